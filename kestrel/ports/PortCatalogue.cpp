#include "PortCatalogue.h"

#include <array>

#include "kestrel/app/KestrelApp.h"
#include "kestrel/settings/In_RS232.h"
#include "shared/Helpers.h"
#include "shared/PortProbe.h"

namespace kestrel {

namespace {
constexpr int kReopenPauseMs = 300;
constexpr int kHighestPortNumber = 100;
// The probe byte every opening sends.
constexpr const char* kProbeByte = "U";
}  // namespace

void FillPortList(platform::SerialPorts& ports, platform::Control& choice) {
    choice.setItems({});
    choice.setItemIndex(-1);
    choice.setText("");
    std::vector<std::string> present;
    for (int n = 1; n <= kHighestPortNumber; ++n) {
        const std::string name = "COM" + std::to_string(n);
        if (shared::ProbePort(ports, name)) {
            present.push_back(name);
        }
    }
    choice.setItems(present);
}

int SpeedFromText(std::string_view text) {
    static constexpr std::array<int, 11> kSpeeds = {1200,  2400,   4800,   9600,   19200, 38400,
                                                    57600, 115200, 230000, 460000, 921000};
    const std::string compact = shared::RemoveSpaces(text);
    for (int speed : kSpeeds) {
        if (compact == std::to_string(speed)) {
            return speed;
        }
    }
    return 9600;
}

bool CheckPortPresent(KestrelApp& app, bool portOff, const std::string& name,
                      const std::string& emptyNameText) {
    if (portOff) {
        return true;
    }
    if (name.empty()) {
        app.desktop.messageBox(platform::BoxIcon::Error, emptyNameText, platform::BoxButtons::Ok);
        return false;
    }
    if (shared::ProbePort(app.ports, name)) {
        return true;
    }
    app.desktop.messageBox(platform::BoxIcon::Error,
                           std::string(app.text(PortTexts::PortOpenError)) + name,
                           platform::BoxButtons::Ok);
    return false;
}

bool ReopenPort(platform::EventLoop& loop, platform::SerialPort& port, const std::string& name,
                std::string_view speedText) {
    if (port.isOpen()) {
        port.close();
    }
    loop.sleep(kReopenPauseMs);
    port.setSpeed(SpeedFromText(speedText));
    port.setName(name);
    return port.isOpen() || port.open();
}

void ReportPortFailure(KestrelApp& app, const platform::SerialPort& port) {
    app.desktop.messageBox(platform::BoxIcon::Error, port.lastError(), platform::BoxButtons::Ok);
}

bool CheckServerPort(KestrelApp& app) {
    return CheckPortPresent(app, app.values.ServerPortOff, app.InRS232->cbRS232_SERV.text(),
                            "Err порт \"SERVER\"");
}

bool OpenServerPort(KestrelApp& app) {
    if (app.values.ServerPortOff) {
        return false;
    }
    TInRS232& settings = *app.InRS232;
    platform::SerialPort& port = *settings.XComm_Serv;
    ReopenPort(app.loop, port, settings.cbRS232_SERV.text(), settings.cbSpeedServ.text());
    if (port.write(kProbeByte) != 1) {
        ReportPortFailure(app, port);
        return false;
    }
    return true;
}

void CloseServerPort(KestrelApp& app) {
    platform::SerialPort& port = *app.InRS232->XComm_Serv;
    if (!app.values.ServerPortOff && port.isOpen()) {
        port.close();
    }
}

void SetServerDtr(KestrelApp& app, bool on) {
    app.InRS232->XComm_Serv->setDtr(on);
}

void SetServerRts(KestrelApp& app, bool on) {
    app.InRS232->XComm_Serv->setRts(on);
}

}  // namespace kestrel
