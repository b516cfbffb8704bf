#pragma once
// Positions and lengths on an audio CD as the "cdaudio" device's commands
// write them: sector addresses (75 per second) read and written in the
// device's time format.

#include <cstdint>
#include <string>
#include <vector>

namespace cindral::platform::audio {

inline constexpr int kSectorsPerSecond = 75;
inline constexpr std::int32_t kPregap = 150;  // absolute addresses start 2 s before LSN 0

// msf: minutes:seconds:frames of the absolute address; tmsf: the track, then
// minutes:seconds:frames into it; milliseconds of the absolute address.
enum class CdTimeFormat { Msf, Tmsf, Milliseconds };

// A disc's table of contents: tracks in order, each at least a sector long.
struct CdToc {
    int firstTrack = 1;
    std::vector<std::int32_t> starts;  // start LSN of each track, in order
    std::vector<bool> audio;
    std::int32_t leadout = 0;

    // The 1-based index into `starts` of the track that holds `lsn` (the
    // first for addresses before it).
    int TrackAt(std::int32_t lsn) const;
};

// "tmsf", "msf", "milliseconds" or "ms"; 0, or kBadTimeFormat for any other.
std::uint32_t ParseCdTimeFormat(const std::string& text, CdTimeFormat& format);
const char* CdTimeFormatName(CdTimeFormat format);

// `text` in `format` as an LSN on the disc: 0, or kBadInteger for text that
// is not up to the format's colon-separated numbers, kOutOfRange for a field
// or a place off the disc (the lead-out counts only as an end).
std::uint32_t ParseCdPosition(const std::string& text, CdTimeFormat format, const CdToc& toc,
                              bool isEnd, std::int32_t& lsn);
// `lsn` in `format`; in tmsf with `trackStart` the offset is left at zero.
std::string FormatCdPosition(std::int32_t lsn, bool trackStart, CdTimeFormat format,
                             const CdToc& toc);
// A length of `sectors`: milliseconds, or minutes:seconds:frames otherwise.
std::string FormatCdLength(std::int32_t sectors, CdTimeFormat format);

}  // namespace cindral::platform::audio
