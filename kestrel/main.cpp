#include <QApplication>
#include <clocale>

#include "kestrel/app/KestrelApp.h"
#include "platform/qt/QtPlatform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Numbers and dates use the program's own fixed formats, whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    platform::QtPlatform qt;
    kestrel::KestrelApp app(qt.platform);
    app.start();
    app.run();
    return 0;
}
