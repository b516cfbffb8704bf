#include "platform/audio/cd_time_format.h"

#include <algorithm>
#include <cstdio>

#include "platform/audio/interpreter/mci_command.h"
#include "platform/audio/interpreter/mci_errors.h"

namespace cindral::platform::audio {
namespace {

std::string TwoDigits(long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02ld", value);
    return text;
}

std::string Msf(std::int32_t frames) {
    return TwoDigits(frames / (60 * kSectorsPerSecond)) + ":" +
           TwoDigits(frames / kSectorsPerSecond % 60) + ":" + TwoDigits(frames % kSectorsPerSecond);
}

// Up to `maxFields` colon-separated whole numbers.
bool SplitFields(const std::string& text, std::size_t maxFields, std::vector<std::uint32_t>& out) {
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        std::uint32_t v = 0;
        if (!ParseUnsigned(text.substr(start, colon - start), v)) return false;
        out.push_back(v);
        if (out.size() > maxFields) return false;
        if (colon == std::string::npos) return true;
        start = colon + 1;
    }
}

}  // namespace

int CdToc::TrackAt(std::int32_t lsn) const {
    const auto it = std::upper_bound(starts.begin(), starts.end(), lsn);
    return std::max<int>(1, static_cast<int>(it - starts.begin()));
}

std::uint32_t ParseCdTimeFormat(const std::string& text, CdTimeFormat& format) {
    if (text == "tmsf") {
        format = CdTimeFormat::Tmsf;
    } else if (text == "msf") {
        format = CdTimeFormat::Msf;
    } else if (text == "milliseconds" || text == "ms") {
        format = CdTimeFormat::Milliseconds;
    } else {
        return kBadTimeFormat;
    }
    return kOk;
}

const char* CdTimeFormatName(CdTimeFormat format) {
    switch (format) {
        case CdTimeFormat::Tmsf:
            return "tmsf";
        case CdTimeFormat::Msf:
            return "msf";
        case CdTimeFormat::Milliseconds:
            return "milliseconds";
    }
    return "";
}

std::uint32_t ParseCdPosition(const std::string& text, CdTimeFormat format, const CdToc& toc,
                              bool isEnd, std::int32_t& lsn) {
    std::vector<std::uint32_t> f;
    std::int64_t value = 0;
    if (format == CdTimeFormat::Milliseconds) {
        if (!SplitFields(text, 1, f)) return kBadInteger;
        value = static_cast<std::int64_t>(f[0]) * kSectorsPerSecond / 1000 - kPregap;
    } else if (format == CdTimeFormat::Msf) {
        if (!SplitFields(text, 3, f)) return kBadInteger;
        f.resize(3, 0);
        if (f[1] >= 60 || f[2] >= kSectorsPerSecond) return kOutOfRange;
        value = (static_cast<std::int64_t>(f[0]) * 60 + f[1]) * kSectorsPerSecond + f[2] - kPregap;
    } else {
        if (!SplitFields(text, 4, f)) return kBadInteger;
        f.resize(4, 0);
        if (f[0] < static_cast<std::uint32_t>(toc.firstTrack) ||
            f[0] - toc.firstTrack >= toc.starts.size() || f[2] >= 60 || f[3] >= kSectorsPerSecond)
            return kOutOfRange;
        value = toc.starts[f[0] - toc.firstTrack] +
                (static_cast<std::int64_t>(f[1]) * 60 + f[2]) * kSectorsPerSecond + f[3];
    }
    if (value < 0 || value > toc.leadout || (!isEnd && value == toc.leadout)) return kOutOfRange;
    lsn = static_cast<std::int32_t>(value);
    return kOk;
}

std::string FormatCdPosition(std::int32_t lsn, bool trackStart, CdTimeFormat format,
                             const CdToc& toc) {
    switch (format) {
        case CdTimeFormat::Milliseconds:
            return std::to_string((static_cast<std::int64_t>(lsn) + kPregap) * 1000 /
                                  kSectorsPerSecond);
        case CdTimeFormat::Msf:
            return Msf(lsn + kPregap);
        case CdTimeFormat::Tmsf: {
            const int index = toc.TrackAt(lsn);
            const std::int32_t offset = trackStart ? 0 : std::max(0, lsn - toc.starts[index - 1]);
            return TwoDigits(toc.firstTrack + index - 1) + ":" + Msf(offset);
        }
    }
    return {};
}

std::string FormatCdLength(std::int32_t sectors, CdTimeFormat format) {
    if (format == CdTimeFormat::Milliseconds)
        return std::to_string(static_cast<std::int64_t>(sectors) * 1000 / kSectorsPerSecond);
    return Msf(sectors);
}

}  // namespace cindral::platform::audio
