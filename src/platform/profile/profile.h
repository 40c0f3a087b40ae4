#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// Reads and writes one key of one section of a settings file, in the manner of the classic
// profile-string functions. The text rules are those of ini_text.h. Values are byte strings:
// a "character" below is a byte, as it was for the classic ANSI functions.
namespace platform::profile {

// Files larger than this are not taken for settings files: a read gives the default and a
// write refuses rather than cut the user's data. Real settings files are a few kilobytes.
inline constexpr std::size_t maxFileBytes = 1024 * 1024;

// The key's value, or defaultValue when the file, section or key is missing or the file cannot
// be read (not a regular file, unreadable, larger than maxFileBytes). A key present with an
// empty value gives the empty string, not the default. The result is cut to its first maxChars
// characters. The classic function's buffer of n characters held n - 1 of them and a
// terminator; there is no terminator here, so a caller wanting up to 60 characters passes 60.
// Never blocks on a pipe or device in the file's place. Throws only std::bad_alloc.
std::string readString(const std::filesystem::path& file, std::string_view section,
                       std::string_view key, std::string_view defaultValue, std::size_t maxChars);

struct WriteOptions {
    // Test seam: runs once the temporary file is complete and synced, just before it replaces
    // the settings file; returning false abandons the write as a failed rename would.
    std::function<bool(const std::filesystem::path& temporary)> beforeReplace;
};

// Sets the key in the section, creating the folder, file, section and key as needed and
// keeping every other byte of the file. The new file is written beside the old one, synced and
// renamed over it, so a crash leaves either the old file or the new one, never half of one; it
// keeps the old file's permission bits, and a symbolic link stays a link: the file it names is
// written (made, when it does not exist yet, only in a folder that does), beside itself.
// Returns false, leaving the file as it was and no temporary behind, when the names or value
// cannot be written (see withValue in ini_text.h), the file cannot be read in full (not a
// regular file, unreadable, larger than maxFileBytes) or the new file cannot be put in place.
// Throws only std::bad_alloc.
bool writeString(const std::filesystem::path& file, std::string_view section,
                 std::string_view key, std::string_view value, const WriteOptions& options = {});

// Where a settings file named by the program lives: a relative name (a bare file name, as the
// program uses) inside settingsFolder, an absolute one where it says. With no settings folder a
// relative name gives the empty path: reads give their defaults and writes write nothing.
std::filesystem::path resolve(std::string_view fileName,
                              const std::filesystem::path& settingsFolder);

// $XDG_CONFIG_HOME/quelvar-ev, or ~/.config/quelvar-ev when that is unset, empty or relative.
// The home folder is $HOME when that is absolute, else the user database's entry; an empty path
// when neither gives one. The folder is not created here: writeString creates it when it first writes a file.
std::filesystem::path defaultSettingsFolder();

}  // namespace platform::profile
