#include <QApplication>
#include <clocale>

#include "platform/qt/QtPlatform.h"
#include "plover/PloverApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // Numbers use the program's own fixed formats, whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    // The port map lies in the tester's own folder, beside the program.
    platform::QtPlatform qt(plover::PloverApp::kPortMapFile);
    plover::PloverApp app(qt.platform);
    app.start();
    app.run();
    return 0;
}
