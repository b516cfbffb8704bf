#include "platform/qt/settings_app.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>

#include "platform/qt/settings_window.h"
#include "settings_window/file_settings_sink.h"

namespace cindral::platform::qt {
namespace {

// For the start-up benchmark: the wall-clock time of the window's first
// paint, printed when CINDRAL_FIRST_PAINT_STAMP is set.
void StampFirstPaint() {
    if (!std::getenv("CINDRAL_FIRST_PAINT_STAMP")) return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    std::fprintf(stderr, "first-paint-realtime-ns %lld cpu-ms %.1f\n",
                 static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec,
                 cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
    std::fflush(stderr);
}

QtMessageHandler g_qtMessages = nullptr;

// Qt ends the process with an abort when it cannot start (no platform, no
// display connection); it has said why by then, so end with a plain failure.
void FailOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (g_qtMessages) g_qtMessages(type, context, message);
    if (type != QtFatalMsg) return;
    std::fprintf(stderr, "cindral: the settings window cannot be shown\n");
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

int RunSettingsWindow(config::Settings& settings, const std::filesystem::path& settingsFile) {
    static int argc = 1;
    static char name[] = "cindral";
    static char* argv[] = {name, nullptr};
    g_qtMessages = qInstallMessageHandler(FailOnFatal);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    settings_window::FileSettingsSink sink(settingsFile, std::cerr);
    settings_window::EffectOrigin origin;
    QtSettingsWindow window(settings, origin, sink);
    window.onClosed = [] { QCoreApplication::quit(); };
    window.onFirstPaint = [] { QTimer::singleShot(0, [] { StampFirstPaint(); }); };
    window.Load();
    window.show();
    const int status = app.exec();
    return sink.Failed() ? 1 : status;
}

}  // namespace cindral::platform::qt
