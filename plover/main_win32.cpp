#include <clocale>

#include "platform/win32/Win32Platform.h"
#include "plover/PloverApp.h"

int main() {
    // Numbers use the program's own fixed formats, whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    platform::Win32Platform win32;
    plover::PloverApp app(win32.platform);
    app.start();
    app.run();
    return 0;
}
