#include "WinPort.h"

#include "kestrel/app/Catalog.h"
#include "kestrel/ports/PortCatalogue.h"

namespace kestrel {

WinPort::WinPort(platform::Platform& platform, platform::SerialPort& XComm_WIN,
                 const PortSettingsSource& settings, const ProgramValues& values,
                 ExchangeLogs& logs)
    : platform_(platform),
      XComm_WIN_(XComm_WIN),
      settings_(settings),
      values_(values),
      logs_(logs) {}

bool WinPort::WinPortPresent() {
    return CheckPortPresent(platform_, values_.program.LanguageIndex, settings_.WinPortSettings(),
                            "Err порт \"WIN\"");
}

bool WinPort::WinOpen() {
    const PortSettings settings = settings_.WinPortSettings();
    if (settings.off) {
        return true;
    }
    if (!ReopenPort(platform_.loop, XComm_WIN_, settings)) {
        return false;
    }
    return XComm_WIN_.write("U") == 1;
}

void WinPort::ReportWinPortFailure() {
    ReportPortFailure(platform_.desktop, XComm_WIN_);
}

void WinPort::WinClose() {
    if (!settings_.WinPortSettings().off && XComm_WIN_.isOpen()) {
        XComm_WIN_.close();
    }
}

bool WinPort::WinWrite(LogKind kind, const std::string& bytes) {
    logs_.LogWinBytes(kind, bytes);
    if (WinWriteQuiet(bytes)) {
        return true;
    }
    platform_.desktop.messageBox(
        platform::BoxIcon::Error,
        std::string(CatalogText(SettingsTexts::PortWriteError, values_.program.LanguageIndex)),
        platform::BoxButtons::Ok);
    return false;
}

bool WinPort::WinWriteQuiet(const std::string& bytes) {
    if (settings_.WinPortSettings().off) {
        return true;  // no polling software is attached
    }
    return XComm_WIN_.write(bytes) == bytes.size();
}

}  // namespace kestrel
