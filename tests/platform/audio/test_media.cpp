#include "test_media.h"

#include <stdlib.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <numbers>

namespace cindral::platform::audio::test_support {
namespace {

constexpr int kRate = 44100;

void Put16(std::ofstream& out, std::uint16_t v) {
    out.put(static_cast<char>(v & 0xFF));
    out.put(static_cast<char>(v >> 8));
}
void Put32(std::ofstream& out, std::uint32_t v) {
    Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(v >> 16));
}
void PutSamples(std::ofstream& out, const std::vector<std::int16_t>& samples) {
    for (std::int16_t s : samples) Put16(out, static_cast<std::uint16_t>(s));
}

std::string Msf(std::size_t sectors) {
    char text[48];
    std::snprintf(text, sizeof text, "%02zu:%02zu:%02zu", sectors / 75 / 60, sectors / 75 % 60,
                  sectors % 75);
    return text;
}

}  // namespace

TempDir::TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "cindral-music-XXXXXX").string();
    path_ = mkdtemp(templ.data());
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::int16_t> Tone(double hertz, double seconds, double amplitude) {
    const auto frames = static_cast<std::size_t>(std::lround(seconds * kRate));
    std::vector<std::int16_t> out(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * hertz * i / kRate)));
        out[2 * i] = out[2 * i + 1] = v;
    }
    return out;
}

void WriteWav(const std::string& path, const std::vector<std::int16_t>& stereo) {
    std::ofstream out(path, std::ios::binary);
    const auto bytes = static_cast<std::uint32_t>(stereo.size() * 2);
    out.write("RIFF", 4);
    Put32(out, 36 + bytes);
    out.write("WAVEfmt ", 8);
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 2);
    Put32(out, kRate);
    Put32(out, kRate * 4);
    Put16(out, 4);
    Put16(out, 16);
    out.write("data", 4);
    Put32(out, bytes);
    PutSamples(out, stereo);
}

bool WriteMp3(const std::string& path, double hertz, double seconds) {
    const std::string wav = path + ".source.wav";
    WriteWav(wav, Tone(hertz, seconds));
    const std::string command = "lame --quiet -b 128 '" + wav + "' '" + path + "'";
    const bool ok = std::system(command.c_str()) == 0;
    std::filesystem::remove(wav);
    return ok;
}

void WriteBinCue(const std::string& cuePath, const std::string& binName,
                 const std::vector<std::vector<std::int16_t>>& tracks) {
    const std::filesystem::path bin = std::filesystem::path(cuePath).parent_path() / binName;
    std::ofstream data(bin, std::ios::binary);
    std::ofstream cue(cuePath);
    cue << "FILE \"" << binName << "\" BINARY\n";
    std::size_t sector = 0;
    for (std::size_t t = 0; t < tracks.size(); ++t) {
        std::vector<std::int16_t> samples = tracks[t];
        samples.resize((samples.size() + 1175) / 1176 * 1176, 0);  // whole sectors
        PutSamples(data, samples);
        char number[24];
        std::snprintf(number, sizeof number, "%02zu", t + 1);
        cue << "  TRACK " << number << " AUDIO\n    INDEX 01 " << Msf(sector) << "\n";
        sector += samples.size() / 1176;
    }
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<ToneRun> ToneRuns(const std::string& diskFile, const std::vector<int>& tones) {
    std::ifstream in(diskFile, std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i + 3 < raw.size(); i += 4)
        left.push_back(static_cast<std::int16_t>(static_cast<std::uint8_t>(raw[i]) |
                                                 (static_cast<std::uint8_t>(raw[i + 1]) << 8)));
    constexpr std::size_t kWindow = kRate / 40;  // 25 ms
    std::vector<ToneRun> runs;
    for (std::size_t at = 0; at + kWindow <= left.size(); at += kWindow) {
        int crossings = 0;
        int peak = 0;
        for (std::size_t i = at; i < at + kWindow; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(left[i])));
            if (i > at && (left[i - 1] < 0) != (left[i] < 0)) ++crossings;
        }
        int tone = -1;
        if (peak < 800) {
            tone = 0;
        } else {
            const double hertz = crossings / 2.0 * 40;
            for (int t : tones)
                if (std::abs(hertz - t) < 0.1 * t) tone = t;
        }
        if (tone < 0) continue;
        if (!runs.empty() && runs.back().hertz == tone)
            runs.back().seconds += 1.0 / 40;
        else
            runs.push_back({tone, 1.0 / 40});
    }
    return runs;
}

std::vector<int> ToneSequence(const std::vector<ToneRun>& runs, double minSeconds) {
    std::vector<int> out;
    for (const ToneRun& run : runs) {
        if (run.seconds < minSeconds || (!out.empty() && out.back() == run.hertz)) continue;
        out.push_back(run.hertz);
    }
    return out;
}

double SecondsOf(const std::vector<ToneRun>& runs, int hertz) {
    double total = 0;
    for (const ToneRun& run : runs)
        if (run.hertz == hertz) total += run.seconds;
    return total;
}

}  // namespace cindral::platform::audio::test_support
