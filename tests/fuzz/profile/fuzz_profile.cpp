// Any text, section, key and value: reads never crash, and a write changes the
// written key and nothing that any other key reads.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/profile_text.h"
#include "config/settings_store.h"

namespace {

using namespace cindral;

void Check(bool condition) {
    if (!condition) std::abort();
}

std::string_view Trim(std::string_view s) {
    const std::string_view blanks = " \t\r\v\f";
    const std::size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

// Takes a piece of at most `limit` bytes off the front of `data`, its length
// chosen by the first byte.
std::string_view Take(std::string_view& data, std::size_t limit) {
    if (data.empty()) return {};
    const std::size_t n =
        std::min<std::size_t>(static_cast<unsigned char>(data[0]) % limit, data.size() - 1);
    const std::string_view piece = data.substr(1, n);
    data.remove_prefix(1 + n);
    return piece;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const std::string_view section = Take(data, 16);
    const std::string_view key = Take(data, 16);
    const std::string_view value = Take(data, 300);
    const std::string_view text = data;

    const std::string read = config::ReadProfileValue(text, section, key);
    Check(read.size() <= config::kProfileValueMax && read.find('\0') == std::string::npos);
    config::ParseSettingNumber(text);
    config::ParseSettingNumber(value);

    if (!config::IsStorableProfileEntry(section, key, value)) {
        Check(config::SetProfileValue(text, section, key, value) == text);
        return 0;
    }
    const std::string written = config::SetProfileValue(text, section, key, value);
    Check(config::FindProfileValue(written, section, key) == std::string(Trim(value)));
    Check(config::SetProfileValue(written, section, key, value) == written);

    // Names longer by one byte never match the written ones.
    const std::string otherKey = std::string(key) + "x";
    const std::string otherSection = std::string(section) + "x";
    Check(config::FindProfileValue(written, section, otherKey) ==
          config::FindProfileValue(text, section, otherKey));
    Check(config::FindProfileValue(written, otherSection, key) ==
          config::FindProfileValue(text, otherSection, key));
    return 0;
}
