#pragma once

#include <filesystem>
#include <string>

#include "kestrel/app/KestrelApp.h"
#include "platform/virtual/ScriptedOperator.h"
#include "platform/win32/Win32Platform.h"
#include "plover/PloverApp.h"
#include "support/TempFolder.h"

namespace testing_support {

// The Win32 desktop of a test's program folder, with a lock name of its own so that tests beside
// each other or beside a real Kestrel do not meet.
class FolderDesktop : public platform::Win32Desktop {
  public:
    FolderDesktop(platform::Win32EventLoop& loop, std::filesystem::path folder)
        : Win32Desktop(loop), folder_(std::move(folder)) {}

    std::filesystem::path programFolder() const override { return folder_; }
    platform::InstanceLockAttempt lockInstance(const std::string& name) override {
        return platform::LockInstance(name + "-test-" + std::to_string(GetCurrentProcessId()));
    }

  private:
    std::filesystem::path folder_;
};

// Kestrel's app on the Win32 backend in a test's program folder.
struct Win32Kestrel {
    explicit Win32Kestrel(const TempFolder& folder) : desktop(loop, folder.path()) {}

    // The window of a form on screen.
    HWND window(const platform::Form& form) const { return desktop.rendererFor(form)->window(); }
    HWND handle(const platform::Form& form, const platform::Control& control) const {
        return desktop.rendererFor(form)->handleFor(control);
    }

    platform::Win32EventLoop loop;
    FolderDesktop desktop;
    platform::Win32SerialPorts ports{loop};
    platform::Platform platform{loop, desktop, ports};
    kestrel::KestrelApp app{platform};
    platform::ScriptedOperator operatorScript{loop};
};

// Plover's app on the Win32 backend in a folder of its own.
struct Win32Plover {
    explicit Win32Plover(const std::filesystem::path& folder) : desktop(loop, folder) {}

    platform::Win32EventLoop loop;
    FolderDesktop desktop;
    platform::Win32SerialPorts ports{loop};
    platform::Platform platform{loop, desktop, ports};
    plover::PloverApp app{platform};
    platform::ScriptedOperator operatorScript{loop};
};

}  // namespace testing_support
