#include "platform/audio/interpreter/mci_command.h"

#include <cctype>

#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Whether a keyword that may follow a quoted word starts at `at`.
bool KeywordAt(const std::string& command, std::size_t at) {
    static const char* const kFollowers[] = {"type",   "alias", "shareable", "wait",
                                             "notify", "from",  "to"};
    std::size_t end = at;
    while (end < command.size() && !IsBlank(command[end])) ++end;
    const std::string word = Lower(command.substr(at, end - at));
    for (const char* k : kFollowers)
        if (word == k) return true;
    return false;
}

// The quote that ends a quoted word starting at `from`: one followed by the
// end of the command or by blanks and a keyword, so that file names holding
// quotes come through whole; failing that, the first quote before a blank.
std::size_t ClosingQuote(const std::string& command, std::size_t from) {
    std::size_t fallback = std::string::npos;
    for (std::size_t q = command.find('"', from); q != std::string::npos;
         q = command.find('"', q + 1)) {
        std::size_t next = q + 1;
        if (next == command.size()) return q;
        if (!IsBlank(command[next])) continue;
        while (next < command.size() && IsBlank(command[next])) ++next;
        if (next == command.size() || KeywordAt(command, next)) return q;
        if (fallback == std::string::npos) fallback = q;
    }
    return fallback;
}

// Where the first quoted word opens, or npos.
std::size_t FirstOpeningQuote(const std::string& command) {
    std::size_t i = 0;
    const std::size_t n = command.size();
    while (true) {
        while (i < n && IsBlank(command[i])) ++i;
        if (i >= n) return std::string::npos;
        if (command[i] == '"') return i;
        while (i < n && !IsBlank(command[i])) ++i;
    }
}

// `firstClose`, when not npos, ends the first quoted word there.
MciWords Split(const std::string& command, std::size_t firstClose) {
    MciWords out;
    std::size_t i = 0;
    const std::size_t n = command.size();
    bool firstQuoted = true;
    while (true) {
        while (i < n && IsBlank(command[i])) ++i;
        if (i >= n) break;
        std::string word;
        if (command[i] == '"') {
            const std::size_t close = firstQuoted && firstClose != std::string::npos
                                          ? firstClose
                                          : ClosingQuote(command, i + 1);
            firstQuoted = false;
            if (close == std::string::npos) {
                out.error = kNoClosingQuote;
                return out;
            }
            word = command.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < n && !IsBlank(command[i])) word += command[i++];
        }
        out.words.push_back(std::move(word));
    }
    return out;
}

}  // namespace

MciWords SplitMciCommand(const std::string& command) { return Split(command, std::string::npos); }

std::vector<MciWords> SplitMciCommandReadings(const std::string& command) {
    std::vector<MciWords> readings{SplitMciCommand(command)};
    const std::size_t open = FirstOpeningQuote(command);
    if (open == std::string::npos) return readings;
    const std::size_t chosen = ClosingQuote(command, open + 1);
    for (std::size_t q = command.find('"', open + 1); q != std::string::npos;
         q = command.find('"', q + 1)) {
        if (q == chosen || (q + 1 < command.size() && !IsBlank(command[q + 1]))) continue;
        readings.push_back(Split(command, q));
    }
    return readings;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool ParseUnsigned(const std::string& text, std::uint32_t& value) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (v > 0xFFFFFFFFull) return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

}  // namespace cindral::platform::audio
