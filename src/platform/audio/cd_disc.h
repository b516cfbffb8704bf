#pragma once
// The disc behind the "cdaudio" device, shared by the command thread, the
// reader thread that keeps sectors ahead of the position, and the audio
// thread that mixes them into the output.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "platform/audio/audio_libraries.h"
#include "platform/audio/cd_time_format.h"

namespace cindral::platform::audio {

inline constexpr int kFramesPerSector = 588;  // stereo sample frames in one CD-DA sector

enum CdDiscState { kLoading, kReady, kNoDisc };

// The table of contents is written before `state` turns kReady and fixed
// afterwards; everything under `mutex` is shared with the other threads.
struct CdDisc : CdToc {
    struct Sector {
        std::int32_t lsn;
        std::vector<std::int16_t> samples;  // 588 stereo frames
    };

    explicit CdDisc(const CdioLibrary& library) : lib(library) {}
    ~CdDisc();

    // Reader thread: open the drive if that is still to do, read the table
    // of contents, then keep about half a second of sectors ahead of the
    // position until `quit`.
    void Run();
    // Reads the table of contents of the opened `cdio`: kReady with the
    // position at the first track, or kNoDisc when it has no tracks in order.
    void LoadToc();
    // Audio thread: add buffered sectors to the block and move the position
    // on. An empty queue sounds as silence and holds the position.
    void Mix(std::int16_t* samples, int frames);
    static void MixThunk(void* self, std::int16_t* samples, int frames) {
        static_cast<CdDisc*>(self)->Mix(samples, frames);
    }

    const CdioLibrary& lib;
    std::string drive;
    CdIo_t* cdio = nullptr;
    std::atomic<int> state{kLoading};

    std::mutex mutex;
    std::condition_variable wake;
    bool playing = false;
    bool paused = false;
    bool quit = false;
    std::int32_t position = 0;  // sector of the next frame to sound
    int frameInSector = 0;
    std::int32_t end = 0;  // play stops before this sector
    std::int32_t readNext = 0;
    std::uint64_t generation = 0;  // moves on whenever buffered sectors become stale
    std::deque<Sector> queue;

  private:
    // Reads `count` sectors from `lsn` as samples; data sectors and unreadable
    // ones sound as silence.
    void ReadSectors(std::int32_t lsn, std::int32_t count, std::vector<Sector>& out);
};

}  // namespace cindral::platform::audio
