#pragma once

#include <filesystem>
#include <string>

#include "platform/qt/QtDesktop.h"

class QWidget;
class QAction;

namespace tools {

// The Qt desktop of a program folder other than the executable's (a demo or a test folder).
// Tests running beside each other or beside a real Kestrel give their lock a name of their own.
// The operator of a demo or test acts through the rendered widgets it gives.
class FolderDesktop : public platform::QtDesktop {
  public:
    FolderDesktop(platform::QtEventLoop& loop, std::filesystem::path folder,
                  std::string lockSuffix = {})
        : QtDesktop(loop), folder_(std::move(folder)), lockSuffix_(std::move(lockSuffix)) {}

    std::filesystem::path programFolder() const override { return folder_; }
    platform::InstanceLockAttempt lockInstance(const std::string& name) override {
        return platform::LockInstance(name + lockSuffix_);
    }

    // The rendered widget or menu action of a control of a shown form.
    QWidget* widget(const platform::Form& form, const platform::Control& control) const;
    QAction* action(const platform::Form& form, const platform::Control& control) const;
    // Clicks the widget of a control as the operator would (a menu item is triggered).
    void click(const platform::Form& form, const platform::Control& control) const;

  private:
    std::filesystem::path folder_;
    std::string lockSuffix_;
};

}  // namespace tools
