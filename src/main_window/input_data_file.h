#pragma once
// The "Input by File" data file: three signed 16-bit numbers (charge current mA, charge voltage
// mV, input current mA), on one line with commas or blanks between them or on three lines.
// Whatever follows the third number is ignored. Only a short prefix of the file is ever read, so
// a huge or endless file costs no more than a small one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace main_window {

inline constexpr const char* InputDataFileName = "QuelvarInputData.txt";

// Three numbers of at most six characters need a few dozen bytes; the rest is room for blanks.
inline constexpr std::size_t InputDataReadLimit = 256;

using InputData = std::array<std::int16_t, 3>;

enum class TextEnd { WholeFile, Cut };

// The three numbers at the front of `text`; nothing when the text does not start with them.
// Each field is a plain decimal integer with an optional leading minus; blanks (space, tab)
// before and after it are skipped; fields are separated by a comma, a line end or blanks alone.
// An empty field, a blank line, a fraction, a sign other than a leading minus, any other
// character in a field, or a number outside -32768..32767 is an error. With TextEnd::Cut the
// text is only the start of the file, so a third number that runs to its end is an error too.
std::optional<InputData> parseInputData(std::string_view text, TextEnd end);

struct FilePrefix {
    std::string bytes;  // at most the limit asked for
    bool wholeFile;     // false when the file holds more than `bytes`
};

// The first `limit` bytes of a regular file; nothing when it is missing, unreadable, or not a
// regular file (a directory, a pipe, a socket or a device in its place, or a link to one; these
// are never opened).
std::optional<FilePrefix> readFilePrefix(const std::filesystem::path& path, std::size_t limit);

// Reads and parses the data file; nothing on any failure.
std::optional<InputData> readInputDataFile(const std::filesystem::path& path);

}  // namespace main_window
