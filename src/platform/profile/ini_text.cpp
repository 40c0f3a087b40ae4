#include "platform/profile/ini_text.h"

#include <cstddef>

namespace platform::profile {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// What one scan of the text finds out about a section and key.
struct Location {
    bool sectionFound = false;
    // The value of the first matching key, as offsets into the text (blanks around excluded).
    bool keyFound = false;
    std::size_t valueBegin = 0;
    std::size_t valueEnd = 0;
    // End of the last line of the section's first appearance that is neither blank nor a
    // comment, and whether that line has a line ending of its own.
    std::size_t lastLineEnd = 0;
    bool lastLineTerminated = true;
};

Location locate(std::string_view text, std::string_view section, std::string_view key)
{
    Location found;
    bool inSection = false;       // inside any appearance of the section
    bool inFirstSection = false;  // inside its first appearance
    std::size_t pos = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    while (pos < text.size()) {
        const std::size_t newline = text.find('\n', pos);
        const bool terminated = newline != std::string_view::npos;
        const std::size_t end = terminated ? newline + 1 : text.size();
        std::size_t contentEnd = terminated ? newline : text.size();
        if (contentEnd > pos && text[contentEnd - 1] == '\r')
            --contentEnd;
        const std::string_view line = trimmed(text.substr(pos, contentEnd - pos));

        const bool counts = !line.empty() && line.front() != ';';
        if (line.starts_with('[') && line.find(']') != std::string_view::npos) {
            inSection = sameName(trimmed(line.substr(1, line.find(']') - 1)), section);
            inFirstSection = inSection && !found.sectionFound;
            found.sectionFound = found.sectionFound || inSection;
        } else if (counts && inSection) {
            const std::size_t equals = line.find('=');
            if (equals != std::string_view::npos && sameName(trimmed(line.substr(0, equals)), key)) {
                const std::string_view value = trimmed(line.substr(equals + 1));
                // Offsets into the text: line is a view into it.
                found.keyFound = true;
                found.valueBegin = static_cast<std::size_t>(value.data() - text.data());
                found.valueEnd = found.valueBegin + value.size();
                return found;
            }
        }
        if (counts && inFirstSection) {
            found.lastLineEnd = end;
            found.lastLineTerminated = terminated;
        }
        pos = end;
    }
    return found;
}

std::string_view lineEnding(std::string_view text)
{
    const std::size_t newline = text.find('\n');
    return newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r' ? "\r\n"
                                                                                          : "\n";
}

bool hasAny(std::string_view s, std::string_view bytes)
{
    return s.find_first_of(bytes) != std::string_view::npos;
}

bool writable(std::string_view section, std::string_view key, std::string_view value)
{
    using namespace std::string_view_literals;
    const std::string_view lineBreaksAndNul = "\r\n\0"sv;
    return !section.empty() && !key.empty() && !hasAny(section, lineBreaksAndNul) &&
           !hasAny(key, lineBreaksAndNul) && !hasAny(value, lineBreaksAndNul) &&
           !hasAny(section, "]") && !hasAny(key, "=") && !key.starts_with('[') &&
           !key.starts_with(';');
}

}  // namespace

std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key)
{
    section = trimmed(section);
    key = trimmed(key);
    if (section.empty() || key.empty())
        return std::nullopt;
    const Location found = locate(text, section, key);
    if (!found.keyFound)
        return std::nullopt;
    std::string_view value = text.substr(found.valueBegin, found.valueEnd - found.valueBegin);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value)
{
    section = trimmed(section);
    key = trimmed(key);
    value = trimmed(value);  // a read would drop them, and a rewrite would pile them up
    if (!writable(section, key, value))
        return std::nullopt;
    const Location found = locate(text, section, key);
    const std::string_view eol = lineEnding(text);
    std::string result(text);

    if (found.keyFound) {
        result.replace(found.valueBegin, found.valueEnd - found.valueBegin, value);
        return result;
    }

    // Appending after a last line without its own ending: give that line one (completing a
    // lone "\r" rather than doubling it) and leave the new last line without one, as the file was.
    const auto separatorAfterUnterminated = [&] {
        return text.ends_with('\r') ? std::string_view("\n") : eol;
    };
    std::string keyLine;
    keyLine.append(key).append("=").append(value);

    if (found.sectionFound) {
        if (found.lastLineTerminated)
            keyLine.append(eol);
        else
            keyLine.insert(0, separatorAfterUnterminated());
        result.insert(found.lastLineEnd, keyLine);
        return result;
    }

    std::string added;
    const bool terminated = text.empty() || text.ends_with('\n');
    if (!text.empty()) {
        if (!terminated)
            added.append(separatorAfterUnterminated());
        // A blank line before the new section, unless the text already ends in one.
        const std::size_t lastEnd = terminated ? text.size() - 1 : text.size();
        const std::size_t previousNewline = lastEnd == 0 ? std::string_view::npos
                                                         : text.rfind('\n', lastEnd - 1);
        const std::size_t lastBegin =
            previousNewline == std::string_view::npos ? 0 : previousNewline + 1;
        std::string_view last = text.substr(lastBegin, lastEnd - lastBegin);
        if (last.ends_with('\r'))
            last.remove_suffix(1);
        if (!trimmed(last).empty())
            added.append(eol);
    }
    added.append("[").append(section).append("]").append(eol).append(keyLine);
    if (terminated)
        added.append(eol);
    result.append(added);
    return result;
}

}  // namespace platform::profile
