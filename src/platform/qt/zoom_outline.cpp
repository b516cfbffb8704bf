#include "platform/qt/zoom_outline.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QTimerEvent>

namespace cindral::platform::qt {
namespace {

constexpr int kLine = 2;

int Mix(int a, int b, int step) { return a + (b - a) * step / ZoomOutline::kSteps; }

}  // namespace

ZoomOutline::ZoomOutline()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ZoomOutline::Play(const QRect& from, const QRect& to, std::function<void()> done) {
    if (done_) {
        auto previous = std::move(done_);
        previous();
    }
    done_ = std::move(done);
    from_ = from;
    to_ = to;
    step_ = 0;
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        Finish();
        return;
    }
    ShowStep();
    timer_.start(kStepMs, this);
}

void ZoomOutline::WhenDone(std::function<void()> done) {
    if (Running()) {
        auto before = std::move(done_);
        done_ = [before = std::move(before), done = std::move(done)] {
            if (before) before();
            done();
        };
    } else {
        done();
    }
}

void ZoomOutline::ShowStep() {
    const QRect r(
        QPoint(Mix(from_.left(), to_.left(), step_), Mix(from_.top(), to_.top(), step_)),
        QPoint(Mix(from_.right(), to_.right(), step_), Mix(from_.bottom(), to_.bottom(), step_)));
    const QRect frame = r.normalized().adjusted(0, 0, 2 * kLine, 2 * kLine);
    setGeometry(frame);
    const QRect local(QPoint(0, 0), frame.size());
    setMask(QRegion(local).subtracted(QRegion(local.adjusted(kLine, kLine, -kLine, -kLine))));
    if (!isVisible()) show();
    raise();
    update();
}

void ZoomOutline::timerEvent(QTimerEvent* e) {
    if (e->timerId() != timer_.timerId()) return;
    if (++step_ > kSteps) {
        Finish();
        return;
    }
    ShowStep();
}

void ZoomOutline::Finish() {
    timer_.stop();
    hide();
    if (auto done = std::move(done_)) {
        done_ = nullptr;
        done();
    }
}

void ZoomOutline::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(96, 96, 96));
}

}  // namespace cindral::platform::qt
