#include "saver/queued_music.h"

#include <chrono>

namespace cindral::saver {

QueuedSaverMusic::QueuedSaverMusic(music::MediaCommands& commands, const config::Settings& settings)
    : shared_(std::make_shared<Shared>(commands, settings)), thread_(Run, shared_) {}

QueuedSaverMusic::~QueuedSaverMusic() {
    const bool finished = Finish(150);
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stopping = true;
    }
    shared_->changed.notify_all();
    if (finished) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

void QueuedSaverMusic::Post(Call call) {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->jobs.push_back(call);
    }
    shared_->changed.notify_all();
}

void QueuedSaverMusic::CdPoll() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        // A device that holds the queue would otherwise gather five polls a
        // second, to be sent in one burst once it answers.
        if (!shared_->jobs.empty() && shared_->jobs.back() == &music::Cindral_BGM::CdPoll) return;
        shared_->jobs.push_back(&music::Cindral_BGM::CdPoll);
    }
    shared_->changed.notify_all();
}

bool QueuedSaverMusic::Finish(int ms) {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    return shared_->changed.wait_for(lock, std::chrono::milliseconds(ms),
                                     [this] { return shared_->jobs.empty() && !shared_->busy; });
}

void QueuedSaverMusic::Run(std::shared_ptr<Shared> shared) {
    std::unique_lock<std::mutex> lock(shared->mutex);
    for (;;) {
        shared->changed.wait(lock, [&] { return shared->stopping || !shared->jobs.empty(); });
        if (shared->jobs.empty()) return;  // stopping with nothing left
        const Call call = shared->jobs.front();
        shared->jobs.pop_front();
        shared->busy = true;
        lock.unlock();
        (shared->bgm.*call)();
        // Only a poll decides whether polling goes on: CdOpen leaves the
        // player's flag false, and no poll has set it yet.
        if (call == &music::Cindral_BGM::CdPoll) shared->cdAlive = shared->bgm.CdAlive();
        lock.lock();
        shared->busy = false;
        shared->changed.notify_all();
    }
}

}  // namespace cindral::saver
