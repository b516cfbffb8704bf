#include "platform/qt/design_host.h"

#include <QMessageBox>

namespace cindral::platform::qt {

using namespace cindral::button;

QtDesignHost::QtDesignHost(QWidget* dialogParent, QString displayName)
    : parent_(dialogParent), name_(std::move(displayName)) {}

void QtDesignHost::PropertyChanged(std::string_view key) {
    if (onPropertyChanged) {
        onPropertyChanged(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())));
    }
}

void QtDesignHost::ShowInformation(const std::string& text, const std::string& title) {
    QString body = QString::fromStdString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox::information(parent_, QString::fromStdString(title), body);
}

}  // namespace cindral::platform::qt
