#pragma once

#include <optional>
#include <string>
#include <string_view>

// The INI text rules of the settings file, on text held in memory; profile.h adds the file.
//
// - A line ends in "\n" or "\r\n" (a lone "\r" at the very end of the text counts as an ending
//   too); a UTF-8 byte-order mark at the start is passed over. Any other byte is plain text, NULs
//   and invalid UTF-8 included.
// - "[name]" starts a section; blanks (space, tab) inside the brackets and anything after "]"
//   are ignored. A line starting with ";" is a comment. "key = value" is a key; other lines,
//   and keys before the first section, belong to no key.
// - Section and key names match without regard to ASCII letter case; blanks around names, around
//   "=" and around the value are not part of them. A section that appears twice is one section.
// - On read, one pair of enclosing quotes, double or single, is removed from the value, as the
//   classic profile functions do; a semicolon inside the value is kept (comments after values are
//   the caller's business).
// - The first matching key wins on read, and a write replaces that same one.
namespace platform::profile {

// The value of the key, or nothing when the section or key is not there. A key that is
// present with nothing after "=" gives the empty string.
std::optional<std::string> findValue(std::string_view text, std::string_view section,
                                     std::string_view key);

// The text with the key set to value, every other byte kept as it was:
// - an existing key gets only its value replaced (its spacing and line ending stay);
// - a new key goes after the last line of its section that is not blank or a comment;
// - a new section goes at the end of the text, after a blank line.
// New lines use the text's own line ending ("\n" when it has none); a text without a final
// line ending keeps lacking one. Blanks around the value are dropped, as a read would drop
// them; quotes around it are written, and a read removes them again.
// Nothing when the names or the value cannot be written without changing the meaning of the
// file: an empty section or key; a line break or NUL anywhere; "]" in the section; "=" in
// the key or a key that starts with "[" or ";".
std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value);

}  // namespace platform::profile
