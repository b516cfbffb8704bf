#include "config/profile_text.h"

#include <cstddef>

namespace cindral::config {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsShiftJisLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool NamesMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (IsShiftJisLeadByte(ca) && i + 1 < a.size()) {
            if (ca != cb || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldAscii(ca) != FoldAscii(cb)) {
            return false;
        }
    }
    return true;
}

enum class LineKind { kOther, kSection, kKey };

// One line of the text: [begin, contentEnd) is its content, [contentEnd, end)
// its line ending ("\n", "\r\n" or nothing on a last line without one).
struct Line {
    std::size_t begin = 0;
    std::size_t contentEnd = 0;
    std::size_t end = 0;
    LineKind kind = LineKind::kOther;
    std::string_view name;
    std::string_view value;
    bool blank = true;
};

Line ReadLine(std::string_view text, std::size_t begin) {
    Line line;
    line.begin = begin;
    const std::size_t nl = text.find('\n', begin);
    line.end = nl == std::string_view::npos ? text.size() : nl + 1;
    line.contentEnd = nl == std::string_view::npos ? text.size() : nl;
    if (line.contentEnd > begin && text[line.contentEnd - 1] == '\r' &&
        nl != std::string_view::npos) {
        --line.contentEnd;
    }
    std::string_view content = text.substr(begin, line.contentEnd - begin);
    // Editors may start the file with a UTF-8 byte-order mark; it is not part of the line.
    if (begin == 0 && content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
    const std::string_view trimmed = Trim(content);
    line.blank = trimmed.empty();
    if (!trimmed.empty() && trimmed.front() == '[') {
        const std::size_t close = trimmed.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = LineKind::kSection;
            line.name = Trim(trimmed.substr(1, close - 1));
            return line;
        }
    }
    const std::size_t eq = trimmed.find('=');
    if (eq != std::string_view::npos) {
        line.kind = LineKind::kKey;
        line.name = Trim(trimmed.substr(0, eq));
        line.value = Trim(trimmed.substr(eq + 1));
    }
    return line;
}

// Where the first section of a name and the first key of a name inside it are.
struct Lookup {
    bool sectionFound = false;
    std::optional<Line> key;
    Line lastNonBlank;  // the last non-blank line of the section (its header at least)
};

Lookup Find(std::string_view text, std::string_view section, std::string_view key) {
    Lookup found;
    if (section.empty() || key.empty()) return found;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = ReadLine(text, pos);
        pos = line.end;
        if (line.kind == LineKind::kSection) {
            if (found.sectionFound) break;  // the first section of the name ends here
            if (NamesMatch(line.name, section)) {
                found.sectionFound = true;
                found.lastNonBlank = line;
            }
            continue;
        }
        if (!found.sectionFound) continue;
        if (!line.blank) found.lastNonBlank = line;
        if (!found.key && line.kind == LineKind::kKey && NamesMatch(line.name, key)) {
            found.key = line;
        }
    }
    return found;
}

std::string_view LineEnding(std::string_view text) {
    const std::size_t nl = text.find('\n');
    if (nl == std::string_view::npos) return "\r\n";
    return (nl > 0 && text[nl - 1] == '\r') ? "\r\n" : "\n";
}

bool HasLineBreakOrNul(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsStorableName(std::string_view name) {
    return !name.empty() && Trim(name) == name && !HasLineBreakOrNul(name);
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key) {
    const Lookup found = Find(text, section, key);
    if (!found.key) return std::nullopt;
    return std::string(found.key->value);
}

std::string ReadProfileValue(std::string_view text, std::string_view section,
                             std::string_view key) {
    std::optional<std::string> value = FindProfileValue(text, section, key);
    if (!value) return {};
    const std::size_t nul = value->find('\0');
    if (nul != std::string::npos) value->resize(nul);
    if (value->size() > kProfileValueMax) value->resize(kProfileValueMax);
    return *value;
}

bool IsStorableProfileEntry(std::string_view section, std::string_view key,
                            std::string_view value) {
    return IsStorableName(section) && section.find(']') == std::string_view::npos &&
           IsStorableName(key) && key.find('=') == std::string_view::npos && key.front() != '[' &&
           !HasLineBreakOrNul(value);
}

std::string SetProfileValue(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value) {
    std::string result(text);
    if (!IsStorableProfileEntry(section, key, value)) return result;

    const std::string_view eol = LineEnding(text);
    std::string keyLine(key);
    keyLine += '=';
    keyLine += value;

    const Lookup found = Find(text, section, key);
    if (found.key) {
        result.replace(found.key->begin, found.key->contentEnd - found.key->begin, keyLine);
        return result;
    }
    if (found.sectionFound) {
        const Line& after = found.lastNonBlank;
        if (after.end == after.contentEnd) {  // the text's last line, without an ending
            result.insert(after.end, std::string(eol) + keyLine);
        } else {
            result.insert(after.end, keyLine + std::string(eol));
        }
        return result;
    }
    if (!result.empty() && result.back() != '\n') result += eol;
    result += '[';
    result += section;
    result += ']';
    result += eol;
    result += keyLine;
    result += eol;
    return result;
}

}  // namespace cindral::config
