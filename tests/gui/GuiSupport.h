#pragma once

#include <QCoreApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <string>

#include "kestrel/app/KestrelApp.h"
#include "kestrel/app/prKestrel.h"
#include "platform/qt/QtPlatform.h"
#include "platform/virtual/ScriptedOperator.h"
#include "support/TempFolder.h"

namespace testing_support {

// Saves a picture of a window next to the test results for review.
inline bool SaveReviewPicture(QWidget* window, const std::string& name) {
    const QString path =
        QStringLiteral(KESTREL_TEST_RESULTS "/") + QString::fromStdString(name) + ".png";
    return window->grab().save(path);
}

// The Qt desktop with the program folder of a test.
class FolderDesktop : public platform::QtDesktop {
  public:
    FolderDesktop(platform::QtEventLoop& loop, std::filesystem::path folder)
        : QtDesktop(loop), folder_(std::move(folder)) {}
    std::filesystem::path programFolder() const override { return folder_; }
    // Tests run in parallel, and beside a real Kestrel: each takes a lock of its own.
    std::unique_ptr<platform::InstanceLock> lockInstance(const std::string& name) override {
        return platform::LockInstance(name + "-test-" +
                                      std::to_string(QCoreApplication::applicationPid()));
    }

  private:
    std::filesystem::path folder_;
};

// Kestrel's app on the Qt backend, in a test's program folder.
struct QtKestrel {
    explicit QtKestrel(const TempFolder& folder) : desktop(loop, folder.path()) {}
    platform::QtEventLoop loop;
    FolderDesktop desktop;
    platform::QtSerialPorts ports{loop, desktop.programFolder()};
    platform::Platform platform{loop, desktop, ports};
    kestrel::KestrelApp app{platform};
    platform::ScriptedOperator operatorScript{loop};
};

}  // namespace testing_support
