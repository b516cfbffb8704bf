#pragma once
// The private-profile (INI) format as plain bytes: finding a key's value and
// replacing or adding one key while every other byte of the text stays as it was.
//
// Rules, chosen to behave like the platform's profile calls:
// - Lines end at "\n"; a "\r" right before it belongs to the line ending.
// - A section starts at a line whose first non-blank byte is "[" and that holds a
//   later "]"; its name is the text between "[" and the last "]", blanks dropped.
//   A "[" line without "]" is an ordinary line.
// - A key line is any other line holding "=": the name is the text before the
//   first "=", the value the text after it, both without surrounding blanks.
//   Lines without "=" (comments, stray text) are kept but never match a key.
// - Names match without regard to ASCII case. A Shift-JIS double-byte character
//   is compared as two exact bytes, so its trail byte is never case-folded.
// - Duplicates: the first section of a name is the only one looked at, and the
//   first key of a name inside it wins, for reading and for writing.
// Blanks are space, tab, CR, VT and FF. A UTF-8 byte-order mark at the very
// start of the text is skipped (and kept on writing).

#include <optional>
#include <string>
#include <string_view>

namespace cindral::config {

// Longest value a read returns, in bytes: the platform reads into a buffer of
// 256 bytes ended by a NUL.
inline constexpr std::size_t kProfileValueMax = 255;

// The value of `key` in the first section named `section`, without surrounding
// blanks and uncut; nullopt when the section or the key is missing.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// What a profile read returns: the found value up to its first NUL, cut to
// kProfileValueMax bytes; the empty text when the section or the key is missing.
std::string ReadProfileValue(std::string_view text, std::string_view section, std::string_view key);

// True when the three texts can be stored so that they read back unchanged:
// names non-empty, without blanks at either end, without line breaks or NUL;
// a key without "=" and not starting with "["; a section without "]"; a value
// without line breaks or NUL (its own surrounding blanks are dropped on reading,
// as on the platform).
bool IsStorableProfileEntry(std::string_view section, std::string_view key, std::string_view value);

// `text` with the line of `key` in section `section` set to "key=value".
// - The key's first line in the section is replaced; its line ending is kept.
// - A missing key is added after the last non-blank line of the section.
// - A missing section is added at the end of the text, followed by the key.
// New line endings copy the text's first line ending ("\r\n" when the text has
// none). Every other byte stays as it was. The caller checks the entry with
// IsStorableProfileEntry first; an entry that fails it leaves the text unchanged.
std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

}  // namespace cindral::config
