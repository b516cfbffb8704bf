#pragma once
// The caption-zoom effect: an outline rectangle that moves from one screen
// rectangle to another in a few steps. It is a shaped, input-transparent
// window, so it needs no compositor; a platform without windows of its own
// (the off-screen one) shows nothing. Input is never blocked.

#include <QBasicTimer>
#include <QRect>
#include <QWidget>
#include <functional>

namespace cindral::platform::qt {

class ZoomOutline : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSteps = 8;
    static constexpr int kStepMs = 25;  // 200 ms in all

    ZoomOutline();
    // Starts the effect; `done` runs when it has ended (at once when the
    // platform cannot draw it). A running effect is replaced.
    void Play(const QRect& from, const QRect& to, std::function<void()> done = {});
    bool Running() const { return timer_.isActive(); }
    // Runs `done` after the running effect, or now when none runs.
    void WhenDone(std::function<void()> done);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void timerEvent(QTimerEvent* e) override;

  private:
    void ShowStep();
    void Finish();

    QRect from_, to_;
    int step_ = 0;
    QBasicTimer timer_;
    std::function<void()> done_;
};

}  // namespace cindral::platform::qt
