#pragma once
// Test data made at test time (tones, WAV, MP3 through lame, BIN/CUE images)
// and a reader of what SDL's disk audio driver wrote.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace cindral::platform::audio::test_support {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Interleaved stereo 16-bit samples of a sine tone at 44.1 kHz.
std::vector<std::int16_t> Tone(double hertz, double seconds, double amplitude = 12000);

void WriteWav(const std::string& path, const std::vector<std::int16_t>& stereo);
// Encodes a tone with lame; false when lame fails.
bool WriteMp3(const std::string& path, double hertz, double seconds);
// A BIN/CUE audio image, one track per tone, written beside each other.
void WriteBinCue(const std::string& cuePath, const std::string& binName,
                 const std::vector<std::vector<std::int16_t>>& tracks);
void WriteBytes(const std::string& path, const std::string& bytes);

// One stretch of the output: the tone heard (0 for silence) and its length.
struct ToneRun {
    int hertz;
    double seconds;
};

// Reads a disk-driver output file (stereo 16-bit at 44.1 kHz) and splits its
// left channel into stretches of steady tone, each window's pitch snapped to
// the nearest of `tones` (within 10 %), unmatched windows dropped.
std::vector<ToneRun> ToneRuns(const std::string& diskFile, const std::vector<int>& tones);
// Runs shorter than `minSeconds` removed and neighbours of one tone merged.
std::vector<int> ToneSequence(const std::vector<ToneRun>& runs, double minSeconds);
double SecondsOf(const std::vector<ToneRun>& runs, int hertz);

}  // namespace cindral::platform::audio::test_support
