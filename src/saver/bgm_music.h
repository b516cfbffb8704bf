#pragma once
// The music player as the saver window drives it.

#include "music/bgm.h"
#include "saver/ports.h"

namespace cindral::saver {

class BgmSaverMusic final : public SaverMusic {
  public:
    explicit BgmSaverMusic(music::Cindral_BGM& bgm) : bgm_(bgm) {}
    void CdOpen() override { bgm_.CdOpen(); }
    void CdPoll() override { bgm_.CdPoll(); }
    bool CdAlive() override { return bgm_.CdAlive(); }
    void CdPrevTrack() override { bgm_.CdPrevTrack(); }
    void CdNextTrack() override { bgm_.CdNextTrack(); }
    void CdStopClose() override { bgm_.CdStopClose(); }
    void Mp3OpenPlay() override { bgm_.Mp3OpenPlay(); }
    void Mp3Repeat() override { bgm_.Mp3Repeat(); }
    void Mp3StopClose() override { bgm_.Mp3StopClose(); }
    void WavPlay() override { bgm_.WavPlay(); }
    void WavStop() override { bgm_.WavStop(); }

  private:
    music::Cindral_BGM& bgm_;
};

}  // namespace cindral::saver
