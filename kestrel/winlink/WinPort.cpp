#include "WinPort.h"

#include "kestrel/app/KestrelApp.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/ports/PortCatalogue.h"
#include "kestrel/settings/In_RS232.h"
#include "shared/Cp1251.h"
#include "shared/Helpers.h"

namespace kestrel {

bool WinPortPresent(KestrelApp& app) {
    return CheckPortPresent(app, app.values.WinPortOff, app.InRS232->cbRS232_WIN.text(),
                            "Err порт \"WIN\"");
}

bool WinOpen(KestrelApp& app) {
    if (app.values.WinPortOff) {
        return true;
    }
    TInRS232& settings = *app.InRS232;
    if (!ReopenPort(app.loop, *settings.XComm_WIN, settings.cbRS232_WIN.text(),
                    settings.cbSpeedWIN.text())) {
        return false;
    }
    return settings.XComm_WIN->write("U") == 1;
}

void WinClose(KestrelApp& app) {
    platform::SerialPort& port = *app.InRS232->XComm_WIN;
    if (!app.values.WinPortOff && port.isOpen()) {
        port.close();
    }
}

bool WinWrite(KestrelApp& app, int kind, const std::string& bytes) {
    LogWin(app, kind, shared::BytesToHexText(bytes), true);
    LogWin(app, kind, shared::Cp1251ToUtf8(shared::StripLineControls(bytes)), true);
    if (WinWriteQuiet(app, bytes)) {
        return true;
    }
    app.desktop.messageBox(platform::BoxIcon::Error,
                           std::string(app.text(SettingsTexts::PortWriteError)),
                           platform::BoxButtons::Ok);
    return false;
}

bool WinWriteQuiet(KestrelApp& app, const std::string& bytes) {
    if (app.values.WinPortOff) {
        return true;  // no polling software is attached
    }
    return app.InRS232->XComm_WIN->write(bytes) == bytes.size();
}

}  // namespace kestrel
