#include "config/profile_file.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <fstream>
#include <random>
#include <system_error>

#include "config/profile_text.h"

namespace cindral::config {
namespace fs = std::filesystem;
namespace {

bool WriteWholeFile(const fs::path& file, const std::string& content) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

fs::path UnusedNameBeside(const fs::path& file) {
    static std::mt19937_64 generator = [] {
        std::uint64_t seed =
            static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        try {
            std::random_device device;
            seed ^= (static_cast<std::uint64_t>(device()) << 32) ^ device();
        } catch (...) {
            // The clock alone is enough to keep names apart.
        }
        return std::mt19937_64(seed);
    }();
    static constexpr char kHex[] = "0123456789abcdef";
    fs::path candidate;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::uint64_t n = generator();
        std::string suffix = ".~";
        for (int i = 0; i < 16; ++i, n >>= 4) suffix += kHex[n & 15];
        suffix += ".tmp";
        candidate = file;
        candidate += suffix;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) break;
    }
    return candidate;
}

std::optional<std::string> ReadProfileFile(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) return std::nullopt;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec || size > kProfileFileMax) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    // One byte more than the size read above tells a file that grew meanwhile.
    std::string content(static_cast<std::size_t>(size) + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    // A stream reports a read error as an early end: compare with the size, so that a
    // write never replaces a file by the part of it that could be read.
    if (in.bad() || static_cast<std::uintmax_t>(in.gcount()) != size) return std::nullopt;
    content.resize(static_cast<std::size_t>(size));
    return content;
}

std::string ReadIniValue(std::string_view section, std::string_view key, const fs::path& file) {
    const std::optional<std::string> content = ReadProfileFile(file);
    if (!content) return {};
    return ReadProfileValue(*content, section, key);
}

bool WriteIniValues(std::string_view section, std::span<const ProfileEntry> entries,
                    const fs::path& file) {
    for (const ProfileEntry& entry : entries) {
        if (!IsStorableProfileEntry(section, entry.key, entry.value)) return false;
    }
    std::error_code ec;
    fs::path target = file;
    if (fs::is_symlink(fs::symlink_status(file, ec))) {
        // Replace the file the link points to, not the link.
        target = fs::canonical(file, ec);
        if (ec) return false;
    }
    const fs::file_status status = fs::status(target, ec);
    const bool existed = fs::exists(status);
    std::string content;
    if (existed) {
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) return false;
        std::optional<std::string> old = ReadProfileFile(target);
        if (!old) return false;
        content = std::move(*old);
    }
    for (const ProfileEntry& entry : entries) {
        content = SetProfileValue(content, section, entry.key, entry.value);
    }

    const fs::path temporary = UnusedNameBeside(target);
    if (!WriteWholeFile(temporary, content)) {
        fs::remove(temporary, ec);
        return false;
    }
    if (existed) fs::permissions(temporary, status.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

bool WriteIniValue(std::string_view section, std::string_view key, std::string_view value,
                   const fs::path& file) {
    const ProfileEntry entry{key, value};
    return WriteIniValues(section, std::span<const ProfileEntry>(&entry, 1), file);
}

bool FileExists(const fs::path& path) {
    auto text = path.native();
    if (!text.empty() && text.back() == '\\') text.pop_back();
    if (text.empty()) return false;
    const fs::path trimmed(text);
    std::error_code ec;
    if (!fs::is_regular_file(trimmed, ec)) return false;
    std::ifstream in(trimmed, std::ios::binary);
    return in.is_open();
}

fs::path PathFromUtf8(std::string_view utf8) {
    try {
        return fs::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::exception&) {
        return {};  // not UTF-8 (a value cut inside a character): names no file
    }
}

}  // namespace cindral::config
