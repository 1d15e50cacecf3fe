#pragma once

#include <map>
#include <memory>

#include "FormRenderer.h"
#include "QtEventLoop.h"
#ifndef Q_OS_WIN
#include "TerminationSignals.h"
#endif
#include "platform/core/Desktop.h"

namespace platform {

class QtDesktop : public Desktop {
  public:
    explicit QtDesktop(QtEventLoop& loop);
    ~QtDesktop() override;

    void setApplicationTitle(const std::string& title) override;
    BoxAnswer messageBox(BoxIcon icon, const std::string& text, BoxButtons buttons) override;
    void show(Form& form) override;
    void showModal(Form& form) override;
    void repaint(Form& form) override;
    bool openDocument(const std::filesystem::path& path) override;
    bool startProgram(const std::filesystem::path& path) override;
    ScreenSize screenSize() const override;
    InstanceLockAttempt lockInstance(const std::string& name) override;
    void setTerminationHandler(std::function<void()> handler) override;
    void reportError(const std::string& message) override;
    std::filesystem::path programFolder() const override;
    void writeRegionalFormats() override;

    // The renderer of a form that is or was on screen; null before its first show.
    FormRenderer* rendererFor(const Form& form) const;

  private:
    FormRenderer& render(Form& form);

    QtEventLoop& loop_;
    std::string title_;
    std::map<const Form*, std::unique_ptr<FormRenderer>> renderers_;
#ifndef Q_OS_WIN
    std::unique_ptr<TerminationSignals> termination_;
#endif
};

// The named single-instance lock of this desktop (also used directly by tests).
InstanceLockAttempt LockInstance(const std::string& name);
#ifndef Q_OS_WIN
// Where the lock of that name lives.
std::string InstanceLockPath(const std::string& name);
#endif

}  // namespace platform
