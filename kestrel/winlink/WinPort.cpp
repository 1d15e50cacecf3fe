#include "WinPort.h"

#include "kestrel/app/KestrelApp.h"
#include "kestrel/ports/PortCatalogue.h"
#include "kestrel/settings/In_RS232.h"

namespace kestrel {

bool WinPortPresent(KestrelApp& app) {
    return CheckPortPresent(app, app.values.WinPortOff, app.InRS232->cbRS232_WIN.text(),
                            "Err порт \"WIN\"");
}

}  // namespace kestrel
