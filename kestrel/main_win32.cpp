#include <clocale>

#include "kestrel/app/KestrelApp.h"
#include "platform/win32/Win32Platform.h"

int main() {
    // Numbers and dates use the program's own fixed formats, whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    platform::Win32Platform win32;
    kestrel::KestrelApp app(win32.platform);
    app.start();
    app.run();
    return 0;
}
