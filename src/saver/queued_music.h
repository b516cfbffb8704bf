#pragma once
// The music player as the saver drives it, run on a thread of its own: a
// media device may take seconds to open a file or spin up a disc, and the
// window must keep drawing and end within moments of a key whatever the
// device does. Calls from the window are queued and return at once. CdAlive
// is the result of the last poll that has finished (true until one has), so
// the CD timer follows the polls a tick late rather than waiting for one; a
// poll queued while another still waits adds nothing and is dropped.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "music/bgm.h"
#include "saver/ports.h"

namespace cindral::saver {

class QueuedSaverMusic final : public SaverMusic {
  public:
    // `commands` and `settings` must outlive the thread: a thread stuck in a
    // device call is left behind by the destructor, for the process to end.
    QueuedSaverMusic(music::MediaCommands& commands, const config::Settings& settings);
    // Finishes with a wait of at most 150 ms.
    ~QueuedSaverMusic() override;

    void CdOpen() override { Post(&music::Cindral_BGM::CdOpen); }
    void CdPoll() override;
    bool CdAlive() override { return shared_->cdAlive; }
    void CdPrevTrack() override { Post(&music::Cindral_BGM::CdPrevTrack); }
    void CdNextTrack() override { Post(&music::Cindral_BGM::CdNextTrack); }
    void CdStopClose() override { Post(&music::Cindral_BGM::CdStopClose); }
    void Mp3OpenPlay() override { Post(&music::Cindral_BGM::Mp3OpenPlay); }
    void Mp3Repeat() override { Post(&music::Cindral_BGM::Mp3Repeat); }
    void Mp3StopClose() override { Post(&music::Cindral_BGM::Mp3StopClose); }
    void WavPlay() override { Post(&music::Cindral_BGM::WavPlay); }
    void WavStop() override { Post(&music::Cindral_BGM::WavStop); }

    // Waits up to `ms` for the queued calls to finish; true when they did.
    // A device that hangs is left behind: the process ends without it.
    bool Finish(int ms);

  private:
    using Call = void (music::Cindral_BGM::*)();
    // What the thread uses; shared so that a thread left behind stays valid.
    struct Shared {
        Shared(music::MediaCommands& commands, const config::Settings& settings)
            : bgm(commands, settings) {}
        music::Cindral_BGM bgm;
        std::atomic<bool> cdAlive{true};
        std::mutex mutex;
        std::condition_variable changed;
        std::deque<Call> jobs;
        bool busy = false;
        bool stopping = false;
    };
    void Post(Call call);
    static void Run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace cindral::saver
