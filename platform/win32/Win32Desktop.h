#pragma once

#include <map>
#include <memory>

#include "FormRenderer.h"
#include "Win32EventLoop.h"
#include "platform/core/Desktop.h"

namespace platform {

class Win32Desktop : public Desktop {
  public:
    explicit Win32Desktop(Win32EventLoop& loop);
    ~Win32Desktop() override;

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

    Win32EventLoop& loop_;
    std::string title_;
    std::function<void()> termination_;
    Win32EventLoop::ReceiverId terminationReceiver_ = 0;
    std::map<const Form*, std::unique_ptr<FormRenderer>> renderers_;
};

// The named single-instance lock: a mutex of that name in the user's session (also used directly
// by tests).
InstanceLockAttempt LockInstance(const std::string& name);

}  // namespace platform
