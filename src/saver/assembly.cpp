#include "saver/assembly.h"

#include "saver/bgm_music.h"
#include "saver/queued_music.h"

namespace cindral::saver {

// The player in the form the platform asked for, behind the window's port.
class SaverAssembly::Music {
  public:
    Music(MusicCalls calls, music::MediaCommands& media, const config::Settings& settings) {
        if (calls == MusicCalls::Queued) {
            queued_ = std::make_unique<QueuedSaverMusic>(media, settings);
        } else {
            bgm_ = std::make_unique<music::Cindral_BGM>(media, settings);
            inPlace_ = std::make_unique<BgmSaverMusic>(*bgm_);
        }
    }
    SaverMusic& Port() { return queued_ ? static_cast<SaverMusic&>(*queued_) : *inPlace_; }
    bool Finish(int ms) { return !queued_ || queued_->Finish(ms); }

  private:
    std::unique_ptr<music::Cindral_BGM> bgm_;
    std::unique_ptr<BgmSaverMusic> inPlace_;
    std::unique_ptr<QueuedSaverMusic> queued_;
};

SaverAssembly::SaverAssembly(PlatformPorts ports, startup::ProgramState& state)
    : music_(std::make_unique<Music>(ports.musicCalls, ports.media, state.settings)),
      clock_(ports.clock),
      engine_(fire::ProgramRnd(), [this] { return clock_.TickMs(); }),
      fire_(engine_),
      window_({fire_, ports.display, music_->Port(), ports.host, ports.system, clock_}, state) {}

SaverAssembly::~SaverAssembly() = default;

bool SaverAssembly::FinishMusic(int ms) { return music_->Finish(ms); }

}  // namespace cindral::saver
