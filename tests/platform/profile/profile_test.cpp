#include "platform/profile/profile.h"

#include <gtest/gtest.h>

#include <pwd.h>

#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "support/test_driver.h"

using namespace std::string_literals;
namespace fs = std::filesystem;
namespace profile = platform::profile;

namespace {

class Profile : public testing::Test {
protected:
    std::string read(const std::string& key, std::size_t max = 99) const { return profile::readString(file, "system", key, "default", max); }
    bool write(const std::string& key, const std::string& value, const profile::WriteOptions& options = {}) const
    {
        return profile::writeString(file, "system", key, value, options);
    }
    std::optional<std::string> get(const std::string& name = "QuelvarEV.ini") const { return files.readSettingsFile(name); }
    // No temporary left behind.
    long entries() const { return std::distance(fs::directory_iterator(folder), fs::directory_iterator()); }

    testsupport::TestDriver files;  // for its temporary settings folder
    const fs::path folder = files.settingsFolder();
    fs::path file = folder / "QuelvarEV.ini";
};

TEST_F(Profile, FirstWritesCreateFolderAndFile)
{
    file = folder / "new" / "sub" / "QuelvarEV.ini";
    ASSERT_TRUE(write("Write Delay", "0.07"));
    ASSERT_TRUE(write("Refresh Time", "1"));
    EXPECT_EQ(get("new/sub/QuelvarEV.ini"), "[system]\nWrite Delay=0.07\nRefresh Time=1\n");
    EXPECT_EQ(fs::status(folder / "new").permissions(), fs::perms::owner_all);
}

// A link, garbage, a long line and the user's layout all survive a write.
TEST_F(Profile, HandEditedFileKeepsEveryOtherByteAndItsLink)
{
    const std::string before = "\0\xFF\xFE[[\x80]=\r\n\xC3\x28=\x01\r\n; settings\r\n[Logging]\r\nVCELL1 = True ; keep\r\n\r\n"
                               "  [ SYSTEM ]  ; main\r\n write delay\t=\t\"0.07\"  \r\njunk="s + std::string(500'000, 'x') +
                               "\r\nLong=" + std::string(60, 'a') + ";b\r\nEmpty=\r\nrefresh time=1\r\n\r\n; about the next one\r\n[other]\r\nx=\xFF\0y"s;
    files.writeSettingsFile("real.ini", before);
    fs::create_symlink("real.ini", file);
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(write("Write Delay", "0.1"));
    ASSERT_TRUE(write("Log Rate", "5"));
    std::string expected = before;
    expected.replace(expected.find("\"0.07\""), 6, "0.1");
    expected.insert(expected.find("\r\n\r\n; about") + 2, "Log Rate=5\r\n");
    EXPECT_EQ(get("real.ini"), expected);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(read("write DELAY"), "0.1");
    EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
    EXPECT_EQ(entries(), 2);
}

// A link stays a link also before its target exists; the temporary goes beside the target, where
// the rename can reach; a target in a missing folder, or a loop, fails with nothing made.
TEST_F(Profile, LinkWithoutTargetYetIsWrittenThroughOrFailsWithNothingMade)
{
    fs::create_directory(folder / "kept");
    const struct {
        const char* link;  // to the link named QuelvarEV.ini
        const char* chain; // a second link, named "hop", the first one points at
        const char* written;
    } rows[] = {
        {"real.ini", nullptr, "real.ini"},
        {"kept/../kept/real.ini", nullptr, "kept/real.ini"},
        {"hop", "kept/real.ini", "kept/real.ini"},
        {"missing/real.ini", nullptr, nullptr},
        {"hop", "QuelvarEV.ini", nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.link);
        fs::create_symlink(row.link, file);
        if (row.chain)
            fs::create_symlink(row.chain, folder / "hop");
        fs::path temporaryFolder;
        profile::WriteOptions seen;
        seen.beforeReplace = [&](const fs::path& temporary) { return temporaryFolder = temporary.parent_path(), true; };
        EXPECT_EQ(write("Refresh Time", "2", seen), row.written != nullptr);
        EXPECT_TRUE(fs::is_symlink(file));
        EXPECT_EQ(fs::read_symlink(file), row.link);
        if (row.written) {
            EXPECT_EQ(get(row.written), "[system]\nRefresh Time=2\n");
            EXPECT_EQ(fs::canonical(temporaryFolder), fs::canonical(folder / row.written).parent_path());
            fs::remove(folder / row.written);
        }
        EXPECT_FALSE(fs::exists(folder / "missing"));
        fs::remove(file);
        fs::remove(folder / "hop");
        EXPECT_EQ(entries(), 1);  // "kept" only: no temporary, no stray file
    }
}

TEST_F(Profile, FailedReplaceLeavesTheOldFileWhole)
{
    files.writeSettingsFile("QuelvarEV.ini", "[system]\nRefresh Time=1");
    profile::WriteOptions failing;
    failing.beforeReplace = [&](const fs::path& temporary) {
        EXPECT_EQ(temporary.parent_path(), folder);
        EXPECT_EQ(get(temporary.filename()), "[system]\nRefresh Time=2");
        return false;
    };
    EXPECT_FALSE(write("Refresh Time", "2", failing));
    EXPECT_EQ(get(), "[system]\nRefresh Time=1");
    EXPECT_EQ(entries(), 1);
}

// Over 1 MiB (sparse, so quick) or a pipe (a blocking open would wait for a writer).
TEST_F(Profile, UnusableFilesGiveTheDefaultAndAreNotWritten)
{
    files.writeSettingsFile("QuelvarEV.ini", "[system]\nk=1\n");
    fs::resize_file(file, 100'000'000);
    EXPECT_EQ(read("k"), "default");
    EXPECT_FALSE(write("k", "2"));
    EXPECT_EQ(fs::file_size(file), 100'000'000u);
    fs::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(read("k"), "default");
    EXPECT_FALSE(write("k", "2"));
}

TEST(ProfilePlace, SettingsFolderFollowsXdgThenHomeThenThePasswordDatabase)
{
    EXPECT_EQ(profile::resolve("/etc/x.ini", "/cfg/q"), fs::path("/etc/x.ini"));  // bare names: the settings tests
    // Each test runs in a process of its own under CTest; the environment is not restored.
    ::setenv("HOME", "/home/u", 1);
    ::setenv("XDG_CONFIG_HOME", "/xdg", 1);
    EXPECT_EQ(profile::defaultSettingsFolder(), fs::path("/xdg/quelvar-ev"));
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(profile::defaultSettingsFolder(), fs::path("/home/u/.config/quelvar-ev"));
    const fs::path fromDatabase = fs::path(::getpwuid(::getuid())->pw_dir) / ".config/quelvar-ev";
    for (const char* home : std::initializer_list<const char*>{"relative/home", "", nullptr}) {  // never the current folder
        home ? ::setenv("HOME", home, 1) : ::unsetenv("HOME");
        EXPECT_EQ(profile::defaultSettingsFolder(), fromDatabase) << (home ? home : "unset");
    }
}

}  // namespace
