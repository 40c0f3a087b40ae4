#include "platform/profile/profile.h"

#include "platform/profile/ini_text.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::profile {

namespace fs = std::filesystem;

namespace {

// Closes a descriptor on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, so that a failing close (a late write error) can be seen.
    bool close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0;
    }

private:
    int fd_;
};

enum class LoadStatus { Loaded, Missing, Unusable };

struct Loaded {
    LoadStatus status = LoadStatus::Unusable;
    std::string bytes;
    mode_t mode = 0;
};

Loaded load(const fs::path& file)
{
    Loaded result;
    // O_NONBLOCK: a pipe in the file's place must not hang us waiting for a writer.
    const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (fd.get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            result.status = LoadStatus::Missing;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<std::size_t>(info.st_size) > maxFileBytes) {
        return result;
    }
    // The size can change under us: ask for one byte more than the size to notice growth,
    // and only for a file that grew make room for the limit plus the byte that exceeds it.
    result.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t total = 0;
    for (;;) {
        if (total == result.bytes.size()) {
            if (total > maxFileBytes)
                break;
            result.bytes.resize(maxFileBytes + 1);
        }
        const ssize_t n = ::read(fd.get(), result.bytes.data() + total, result.bytes.size() - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Loaded{};
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    if (total > maxFileBytes)
        return Loaded{};
    result.bytes.resize(total);
    result.status = LoadStatus::Loaded;
    result.mode = info.st_mode & 07777;
    return result;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Private to the user, as configuration folders should be.
bool makeFolders(const fs::path& folder)
{
    std::error_code error;
    if (fs::is_directory(folder, error))
        return true;
    const fs::path parent = folder.parent_path();
    if (!parent.empty() && parent != folder && !makeFolders(parent))
        return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || (errno == EEXIST && fs::is_directory(folder, error));
}

// Removes the temporary file unless it has been put in place.
class TemporaryFile {
public:
    explicit TemporaryFile(fs::path path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    const fs::path& get() const { return path_; }
    void keep() { path_.clear(); }

private:
    fs::path path_;
};

// Opens a new, unused file beside target; its mode follows the umask, as a new file's should.
std::optional<fs::path> createBeside(const fs::path& target, int& fd)
{
    static std::atomic<unsigned> counter = 0;
    const std::string stem = "." + target.filename().string() + ".tmp-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = target.parent_path() / (stem + "-" + std::to_string(counter++));
        fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0)
            return candidate;
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

// The file a chain of symbolic links ends at, existing or not; the name itself when it is no
// link. Relative links count from their own folder. Empty for a loop or an unreadable link.
std::optional<fs::path> linkTarget(const fs::path& file)
{
    fs::path at = file;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(at, error);
        if (!fs::is_symlink(status))
            return at;
        const fs::path next = fs::read_symlink(at, error);
        if (error || next.empty())
            return std::nullopt;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return std::nullopt;
}

}  // namespace

std::string readString(const fs::path& file, std::string_view section, std::string_view key,
                       std::string_view defaultValue, std::size_t maxChars)
{
    std::optional<std::string> value;
    if (!file.empty()) {
        const Loaded loaded = load(file);
        if (loaded.status == LoadStatus::Loaded)
            value = findValue(loaded.bytes, section, key);
    }
    std::string result = value ? std::move(*value) : std::string(defaultValue);
    if (result.size() > maxChars)
        result.resize(maxChars);
    return result;
}

bool writeString(const fs::path& file, std::string_view section, std::string_view key,
                 std::string_view value, const WriteOptions& options)
{
    if (file.empty() || !file.has_filename())
        return false;
    // Replacing a symbolic link with a plain file would cut the user's link; write its target.
    const std::optional<fs::path> resolved = linkTarget(file);
    if (!resolved)
        return false;
    const fs::path& target = *resolved;
    const bool linked = target != file;

    const Loaded old = load(target);
    if (old.status == LoadStatus::Unusable)
        return false;
    const std::optional<std::string> updated = withValue(old.bytes, section, key, value);
    if (!updated)
        return false;
    if (old.status == LoadStatus::Loaded && *updated == old.bytes)
        return true;

    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    // A link's target is made only in a folder that is there: the link names where the user
    // keeps the file, and a missing folder there is more likely a typo than a wish.
    std::error_code error;
    if (linked ? !fs::is_directory(folder, error) : !makeFolders(folder))
        return false;
    int rawFd = -1;
    const std::optional<fs::path> temporaryPath = createBeside(target, rawFd);
    if (!temporaryPath)
        return false;
    TemporaryFile temporary(*temporaryPath);
    FileDescriptor fd(rawFd);
    if (!writeAll(fd.get(), *updated))
        return false;
    if (old.status == LoadStatus::Loaded && ::fchmod(fd.get(), old.mode) != 0)
        return false;
    if (::fsync(fd.get()) != 0 || !fd.close())
        return false;
    if (options.beforeReplace && !options.beforeReplace(temporary.get()))
        return false;
    if (::rename(temporary.get().c_str(), target.c_str()) != 0)
        return false;
    temporary.keep();

    // Make the rename itself durable; the new file is in place either way.
    const FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() >= 0)
        ::fsync(folderFd.get());
    return true;
}

fs::path resolve(std::string_view fileName, const fs::path& settingsFolder)
{
    const fs::path name(fileName);
    if (name.is_absolute())
        return name;
    // No settings folder (no home either): no file, rather than one in the current folder.
    return settingsFolder.empty() ? fs::path() : settingsFolder / name;
}

namespace {

fs::path userDatabaseHome()
{
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 1024, '\0');
    for (;;) {
        passwd entry {};
        passwd* found = nullptr;
        const int result = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (result == ERANGE && buffer.size() < 1024 * 1024) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (result != 0 || !found || !entry.pw_dir || !fs::path(entry.pw_dir).is_absolute())
            return {};
        return entry.pw_dir;
    }
}

}  // namespace

fs::path defaultSettingsFolder()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && fs::path(configHome).is_absolute())
        return fs::path(configHome) / "quelvar-ev";
    // A relative HOME would put the settings under whatever folder the program was started in.
    fs::path home;
    if (const char* homeVariable = std::getenv("HOME"); homeVariable && fs::path(homeVariable).is_absolute())
        home = homeVariable;
    else
        home = userDatabaseHome();
    if (home.empty())
        return {};
    return home / ".config" / "quelvar-ev";
}

}  // namespace platform::profile
