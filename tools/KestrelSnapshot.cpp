// Starts Kestrel as the demo does and saves a PNG of each window on screen after start-up:
// kestrel-snapshot <program folder> <output.png>. For machines without a display, where it runs
// on Qt's offscreen platform.
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

#include "kestrel/app/KestrelApp.h"
#include "kestrel/app/prKestrel.h"
#include "platform/qt/QtPlatform.h"
#include "shared/Helpers.h"

namespace {

class FolderDesktop : public platform::QtDesktop {
  public:
    FolderDesktop(platform::QtEventLoop& loop, std::filesystem::path folder)
        : QtDesktop(loop), folder_(std::move(folder)) {}
    std::filesystem::path programFolder() const override { return folder_; }

  private:
    std::filesystem::path folder_;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrel-snapshot <program folder> <output.png>\n");
        return 2;
    }
    platform::QtEventLoop loop;
    FolderDesktop desktop(loop, std::filesystem::absolute(argv[1]));
    platform::QtSerialPorts ports(loop, desktop.programFolder());
    platform::Platform platform{loop, desktop, ports};
    kestrel::KestrelApp app(platform);
    app.start();
    platform::FormRenderer* renderer = desktop.rendererFor(*app.fKestrel);
    if (renderer == nullptr) {
        std::fprintf(stderr, "kestrel-snapshot: the main window did not open\n");
        return 1;
    }
    shared::WaitWithEvents(loop, 500);
    const QString output = QString::fromLocal8Bit(argv[2]);
    if (!renderer->window()->grab().save(output)) {
        std::fprintf(stderr, "kestrel-snapshot: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("%s\n", QDir(output).absolutePath().toLocal8Bit().constData());
    return 0;
}
