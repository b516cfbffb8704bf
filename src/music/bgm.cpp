#include "music/bgm.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <string_view>

#include "text/decimal.h"

namespace cindral::music {
namespace {

constexpr const char* kNoCommand = "コマンド文字列が指定されていません";
constexpr const char* kNoDescription = "Error (文字列が取れません)";

template <std::size_t N>
std::string UpToNul(const std::array<char, N>& buf) {
    const void* nul = std::memchr(buf.data(), '\0', N);
    const std::size_t len = nul ? static_cast<const char*>(nul) - buf.data() : N;
    return std::string(buf.data(), len);
}

template <std::size_t N>
bool StartsWith7(const std::array<char, N>& buf, std::string_view word) {
    return std::string_view(buf.data(), 7) == word;
}

// A failed query is recognised by "ERR" anywhere in its upper-cased text.
bool Failed(const std::string& reply) {
    std::string upper = reply;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.find("ERR") != std::string::npos;
}

// The number at the start of a reply (blanks, sign, digits, fraction),
// rounded half to even; 0 when there is none.
// A reply's number as the player reads it: blanks before it skipped, rounded
// to the nearest whole number.
double LeadingNumber(const std::string& text) {
    const std::size_t start = std::min(text.find_first_not_of(" \t"), text.size());
    return std::nearbyint(text::LeadingDecimal(std::string_view(text).substr(start)));
}

}  // namespace

MusicFileKind MusicFileKindOf(const std::string& path) {
    std::string ending = path.size() > 3 ? path.substr(path.size() - 3) : path;
    for (char& c : ending) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (ending == "WAV") return MusicFileKind::Wav;
    if (ending == "MP3") return MusicFileKind::Mp3;
    return MusicFileKind::None;
}

Cindral_BGM::Cindral_BGM(MediaCommands& port, const config::Settings& settings)
    : port_(port), settings_(settings) {}

std::int32_t Cindral_BGM::MciSend(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = kNoCommand;
        return -1;
    }
    const auto code = static_cast<std::int32_t>(
        port_.mciSendStringA(command, replyBuf_.data(), kReplyCapacity, 0));
    if (code != 0) {
        if (port_.mciGetErrorStringA(static_cast<std::uint32_t>(code), errorBuf_.data(),
                                     kErrorCapacity))
            reply = UpToNul(errorBuf_);
        else
            reply = kNoDescription;
        return code;
    }
    reply = UpToNul(replyBuf_);
    return 0;
}

std::string Cindral_BGM::MciQuery(const std::string& command) {
    const std::int32_t code = MciSend(command, lastReply_);
    if (code != 0) return "Error:" + std::to_string(code);
    return lastReply_;
}

std::int32_t Cindral_BGM::MciPlay(const std::string& device, const std::string& from,
                                  const std::string& to) {
    std::string command = "play " + device;
    if (!from.empty()) command += " from " + from;
    if (!to.empty()) command += " to " + to;
    return MciSend(command, lastReply_);
}

std::uint32_t Cindral_BGM::SendDirect(const std::string& command) {
    return port_.mciSendStringA(command, nullptr, 0, 0);
}

void Cindral_BGM::CdOpen() {
    SendDirect("open cdaudio");
    // Positions come back as track:minutes:seconds:frames, ready to be handed
    // to a later play command.
    SendDirect("set cdaudio time format tmsf");
}

void Cindral_BGM::CdPoll() {
    cdAlive_ = true;
    try {
        const std::string current = MciQuery("status cdaudio current track");
        if (Failed(current)) {
            cdAlive_ = false;
            return;
        }
        if (Failed(MciQuery("status cdaudio number of tracks"))) {
            cdAlive_ = false;
            return;
        }
        port_.mciSendStringA("status cdaudio mode", cdModeBuf_.data(), kCdModeCapacity, 0);
        const bool stopped = StartsWith7(cdModeBuf_, "stopped");

        const int repeat = settings_.RepeatTrack;
        if (repeat == 0) {
            // Starts the disc after CdOpen and restarts it whenever it stops.
            if (stopped) MciPlay("cdaudio", "", "");
            return;
        }
        if (stopped || LeadingNumber(current) != repeat) {
            const std::string pos =
                MciQuery("status cdaudio position track " + std::to_string(repeat));
            if (!Failed(pos)) MciPlay("cdaudio", pos, "");
        }
    } catch (...) {
        cdAlive_ = false;
    }
}

void Cindral_BGM::CdStep(int delta) {
    const std::string current = MciQuery("status cdaudio current track");
    if (Failed(current)) return;
    const double track = LeadingNumber(current);
    // A reply no disc could give: leave playback alone.
    if (std::fabs(track) > 1e6) return;
    const std::string pos = MciQuery("status cdaudio position track " +
                                     std::to_string(static_cast<int>(track) + delta));
    if (Failed(pos)) return;
    MciPlay("cdaudio", pos, "");
}

void Cindral_BGM::CdPrevTrack() { CdStep(-1); }

void Cindral_BGM::CdNextTrack() { CdStep(+1); }

void Cindral_BGM::CdStopClose() {
    SendDirect("stop cdaudio");
    SendDirect("close cdaudio");
}

void Cindral_BGM::Mp3OpenPlay() {
    // The quotes keep a path with blanks in one piece.
    const std::string open = "open \"" + settings_.MusicFile + "\" type MPEGVideo Alias MP3Play";
    if (SendDirect(open) == 0) SendDirect("play MP3Play");
}

bool Cindral_BGM::Mp3IsPlaying() {
    port_.mciSendStringA("status MP3Play mode", mp3ModeBuf_.data(), kMp3ModeCapacity, 0);
    return StartsWith7(mp3ModeBuf_, "playing");
}

void Cindral_BGM::Mp3Repeat() {
    if (Mp3IsPlaying()) return;
    SendDirect("stop MP3Play");
    SendDirect("play MP3Play from 0");
}

void Cindral_BGM::Mp3StopClose() {
    SendDirect("stop MP3Play");
    SendDirect("close MP3Play");
}

void Cindral_BGM::WavPlay() {
    if (static_cast<std::int32_t>(port_.waveOutGetNumDevs()) <= 0) return;
    port_.PlaySoundA(settings_.MusicFile.c_str(), 0, SND_ASYNC | SND_LOOP);
}

void Cindral_BGM::WavStop() { port_.PlaySoundA(nullptr, 0, 0); }

}  // namespace cindral::music
