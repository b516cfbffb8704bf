#pragma once
// A design-mode container for the button on Qt: message boxes and change reports.

#include <QString>
#include <functional>

#include "button/ports.h"

class QWidget;

namespace cindral::platform::qt {

// A host for a designer that places buttons in design mode: the control's
// information messages appear as message boxes and property changes are
// reported. A run-time host never shows any box.
class QtDesignHost : public button::ButtonHost {
  public:
    explicit QtDesignHost(QWidget* dialogParent,
                          QString displayName = QStringLiteral("zoButtons_H1"));

    bool DesignMode() const override { return true; }
    bool DisplayAsDefault() const override { return isDefault; }
    button::Color AmbientBackColor() const override { return ambientBack; }
    std::string DisplayName() const override { return name_.toStdString(); }
    void PropertyChanged(std::string_view key) override;
    void ShowInformation(const std::string& text, const std::string& title) override;

    bool isDefault = false;
    button::Color ambientBack = button::kSysButtonFace;
    std::function<void(const QString&)> onPropertyChanged;

  private:
    QWidget* parent_;
    QString name_;
};

}  // namespace cindral::platform::qt
