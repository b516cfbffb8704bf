#include "platform/linux/music/mci_command.h"

#include <cctype>

#include "platform/linux/music/mci_errors.h"

namespace cindral::platform::linux_music {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

MciWords SplitMciCommand(const std::string& command) {
    MciWords out;
    std::size_t i = 0;
    const std::size_t n = command.size();
    while (true) {
        while (i < n && IsBlank(command[i])) ++i;
        if (i >= n) break;
        std::string word;
        if (command[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (command[i] == '"' && (i + 1 == n || IsBlank(command[i + 1]))) {
                    closed = true;
                    ++i;
                    break;
                }
                word += command[i++];
            }
            if (!closed) {
                out.error = kNoClosingQuote;
                return out;
            }
        } else {
            while (i < n && !IsBlank(command[i])) word += command[i++];
        }
        out.words.push_back(std::move(word));
    }
    return out;
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

}  // namespace cindral::platform::linux_music
