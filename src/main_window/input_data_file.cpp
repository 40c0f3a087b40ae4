#include "main_window/input_data_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace main_window {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    char peek() const { return text_[pos_]; }
    void next() { ++pos_; }
    // Returns whether any blank was skipped.
    bool skipBlanks()
    {
        const std::size_t start = pos_;
        while (!atEnd() && isBlank(peek()))
            next();
        return pos_ != start;
    }
    // One line end: CR LF, LF or a lone CR.
    void skipLineEnd()
    {
        const bool cr = peek() == '\r';
        next();
        if (cr && !atEnd() && peek() == '\n')
            next();
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// An optional minus and at least one digit, within 16 bits. Stops at the first non-digit.
std::optional<std::int16_t> readNumber(Cursor& in)
{
    bool negative = false;
    if (!in.atEnd() && in.peek() == '-') {
        negative = true;
        in.next();
    }
    if (in.atEnd() || !isDigit(in.peek()))
        return std::nullopt;
    std::int32_t magnitude = 0;
    while (!in.atEnd() && isDigit(in.peek())) {
        magnitude = magnitude * 10 + (in.peek() - '0');
        if (magnitude > 32768)
            return std::nullopt;
        in.next();
    }
    const std::int32_t value = negative ? -magnitude : magnitude;
    if (value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

// Between two numbers: blanks, then a comma or one line end with blanks after it, or blanks alone.
bool readSeparator(Cursor& in)
{
    const bool blanks = in.skipBlanks();
    if (in.atEnd())
        return false;
    if (in.peek() == ',') {
        in.next();
    } else if (isLineEnd(in.peek())) {
        in.skipLineEnd();
    } else {
        return blanks;
    }
    in.skipBlanks();
    return true;
}

}  // namespace

std::optional<InputData> parseInputData(std::string_view text, TextEnd end)
{
    Cursor in(text);
    InputData values{};
    in.skipBlanks();
    for (std::size_t field = 0; field < values.size(); ++field) {
        if (field > 0 && !readSeparator(in))
            return std::nullopt;
        const auto number = readNumber(in);
        if (!number)
            return std::nullopt;
        values[field] = *number;
    }
    // The third number must end inside what was read: at the end of the whole file, or at a
    // blank, comma or line end. "300abc" is not 300, and a cut "30" may be the start of "3000".
    if (in.atEnd())
        return end == TextEnd::WholeFile ? std::optional(values) : std::nullopt;
    const char after = in.peek();
    if (isBlank(after) || after == ',' || isLineEnd(after))
        return values;
    return std::nullopt;
}

std::optional<FilePrefix> readFilePrefix(const std::filesystem::path& path, std::size_t limit)
{
    // A device, pipe or socket (or a link to one) is no data file and is never opened: opening
    // some devices has effects of its own. stat follows links.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    // O_NONBLOCK and the second look: something else may have been put in its place meanwhile.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // One byte more than the limit tells whether the file goes on.
    std::string buffer(limit + 1, '\0');
    std::size_t got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + got, buffer.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    const bool wholeFile = got <= limit;
    buffer.resize(wholeFile ? got : limit);
    return FilePrefix{std::move(buffer), wholeFile};
}

std::optional<InputData> readInputDataFile(const std::filesystem::path& path)
{
    const auto prefix = readFilePrefix(path, InputDataReadLimit);
    if (!prefix)
        return std::nullopt;
    return parseInputData(prefix->bytes, prefix->wholeFile ? TextEnd::WholeFile : TextEnd::Cut);
}

}  // namespace main_window
