#include "platform/qt/button_timer.h"

#include <QVariant>
#include <QWidget>

#include "button/zo_button.h"

namespace cindral::platform::qt {

using namespace cindral::button;

void SetHoverTimerProperties(QWidget* window, const void* control, int timerId) {
    window->setProperty("zo_ClassID", QVariant::fromValue(reinterpret_cast<quintptr>(control)));
    window->setProperty("zo_TimerID", timerId);
}

void HoverTimerProc(QWidget* window) {
    const QVariant id = window->property("zo_ClassID");
    const QVariant timer = window->property("zo_TimerID");
    if (!id.isValid() || !timer.isValid()) return;
    auto* control = reinterpret_cast<zoButtons_H*>(id.value<quintptr>());
    if (control) control->HoverCheck(timer.toInt());
}

}  // namespace cindral::platform::qt
