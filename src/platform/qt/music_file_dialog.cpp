#include "platform/qt/music_file_dialog.h"

#include <QFileDialog>

#include "settings_window/layout.h"

namespace cindral::platform::qt {
namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString QtMusicFileDialog::NameFilter() {
    // "*.MP3;*.WAV" as Qt writes patterns; Qt's file list compares names
    // without regard to case, so "a.mp3" and "B.Wav" are offered too.
    return FromView(settings_window::kFileDialogFilterName) + QStringLiteral(" (") +
           FromView(settings_window::kFileDialogPatterns).split(u';').join(u' ') + u')';
}

void QtMusicFileDialog::Configure(QFileDialog& dialog) {
    dialog.setWindowTitle(FromView(settings_window::kFileDialogTitle));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(NameFilter());
    dialog.setWindowModality(Qt::WindowModal);
}

std::optional<std::string> QtMusicFileDialog::ChooseMusicFile() {
    QFileDialog dialog(owner_);
    Configure(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.front().toStdString();
}

}  // namespace cindral::platform::qt
