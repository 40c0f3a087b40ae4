// Feeds arbitrary bytes to the settings file reader and writer, through a real file in a private
// temporary folder, and checks that a write changes nothing but the one value it sets.
//
// Input: three control bytes choosing the section, key and value (from a table or from the
// input itself), then the settings file's bytes.

#include "platform/profile/ini_text.h"
#include "platform/profile/profile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

namespace fs = std::filesystem;
namespace profile = platform::profile;

namespace {

// Made once per process and removed at exit. On tmpfs where there is one, since the writer
// syncs every file it writes and a disk would make each run slow.
const fs::path& folder()
{
    static const fs::path made = [] {
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm")
                                                                  : fs::temp_directory_path();
        std::string name = (base / "profile_fuzz.XXXXXX").string();
        if (!::mkdtemp(name.data()))
            std::abort();
        return fs::path(name);
    }();
    // Registered after the path is made, so that it runs before the path is destroyed.
    static const int removal = std::atexit([] {
        std::error_code ignored;
        fs::remove_all(folder(), ignored);
    });
    (void)removal;
    return made;
}

void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "profile_fuzz: %s\n", what);
        std::abort();
    }
}

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What a read gives back for a value written as given: the reader's own rules, on a text that
// holds nothing but that key.
std::string asRead(std::string_view value)
{
    return profile::findValue("[s]\nk=" + std::string(value) + "\n", "s", "k").value_or("\x01");
}

// Whether the probe names the key that was written, as the reader sees names.
bool namesWrittenKey(std::string_view section, std::string_view key, std::string_view probeSection,
                     std::string_view probeKey)
{
    const auto alone = profile::withValue("", section, key, "1");
    return alone && profile::findValue(*alone, probeSection, probeKey).has_value();
}

// From the table, or (high bit set) a few bytes of the input itself.
std::string pick(std::uint8_t control, std::string_view body, std::size_t from,
                 const std::array<std::string_view, 6>& table)
{
    if (!(control & 0x80))
        return std::string(table[control % table.size()]);
    from = body.empty() ? 0 : from % body.size();
    return std::string(body.substr(from, control & 0x0F));
}

constexpr std::array<std::string_view, 6> sections = {"system", "SYSTEM", " Logging ", "new one",
                                                      "a", "x[y"};
constexpr std::array<std::string_view, 6> keys = {"Refresh Time", "write delay", "k", "VCELL1",
                                                  " k\t", "a b"};
constexpr std::array<std::string_view, 6> values = {"", "1", " 2 ", "\"q x\"", "'0.5 ; c", "=;[]"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::string body(reinterpret_cast<const char*>(data) + 3, size - 3);
    const std::string section = pick(data[0], body, 0, sections);
    const std::string key = pick(data[1], body, body.size() / 2, keys);
    const std::string value = pick(data[2], body, body.size() / 3, values);

    const fs::path file = folder() / "QuelvarEV.ini";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << body;

    // Probes read before and after the write; those naming another key must not change.
    struct Probe {
        std::string_view section;
        std::string_view key;
        std::string before;
    };
    std::array<Probe, 7> probes = {{{"system", "Refresh Time", {}},
                                    {"System", "Write Delay", {}},
                                    {"logging", "k", {}},
                                    {"a", "a b", {}},
                                    {"new one", "VCELL1", {}},
                                    {section, key, {}},
                                    {section, "k", {}}}};
    for (Probe& probe : probes) {
        probe.before = profile::readString(file, probe.section, probe.key, "\x01", 4096);
        const std::string cut = profile::readString(file, probe.section, probe.key, "\x01", 60);
        check(probe.before.compare(0, 60, cut) == 0, "a cut read is not the start of the full one");
    }

    const bool writable = profile::withValue(body, section, key, value).has_value();
    const bool written = profile::writeString(file, section, key, value);
    check(written == (writable && body.size() <= profile::maxFileBytes), "unexpected write outcome");
    const std::string after = fileBytes(file);
    for (const fs::directory_entry& entry : fs::directory_iterator(folder()))
        check(entry.path() == file, "a temporary file was left behind");
    if (!written) {
        check(after == body, "a refused write changed the file");
        return 0;
    }

    // One splice only, and what it removed lay inside one line (the old value).
    std::size_t prefix = 0;
    while (prefix < body.size() && prefix < after.size() && body[prefix] == after[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < body.size() - prefix && suffix < after.size() - prefix &&
           body[body.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::string_view removed = std::string_view(body).substr(prefix, body.size() - prefix - suffix);
    check(removed.find('\n') == std::string_view::npos, "a write changed more than one line");

    check(profile::readString(file, section, key, "\x01", 4096) == asRead(value),
          "a read after the write does not give the value written");
    for (const Probe& probe : probes) {
        if (namesWrittenKey(section, key, probe.section, probe.key))
            continue;
        check(profile::readString(file, probe.section, probe.key, "\x01", 4096) == probe.before,
              "a write changed another key");
    }
    check(profile::writeString(file, section, key, value) && fileBytes(file) == after,
          "writing the same value again changed the file");
    return 0;
}
