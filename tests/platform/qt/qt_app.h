#pragma once
// The one QApplication of the Qt button tests.

#include <QApplication>
#include <cstdlib>

namespace cindral::platform::qt::test {

// One application for the whole test program, on the headless platform
// unless the environment names another one. It is never deleted: destroying
// it among the exit-time statics races Qt's own globals.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "cindral_qt_button_tests";
    static char* argv[] = {name, nullptr};
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace cindral::platform::qt::test
