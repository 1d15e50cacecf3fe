#include "PortCatalogue.h"

#include <array>

#include "kestrel/app/Catalog.h"
#include "kestrel/common/BoxText.h"
#include "shared/Helpers.h"
#include "shared/PortProbe.h"

namespace kestrel {

namespace {
constexpr int kReopenPauseMs = 300;
constexpr int kHighestPortNumber = 100;
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

bool CheckPortPresent(platform::Platform& platform, std::uint8_t language,
                      const PortSettings& settings, const std::string& emptyNameText) {
    if (settings.off) {
        return true;
    }
    if (settings.name.empty()) {
        platform.desktop.messageBox(platform::BoxIcon::Error, emptyNameText,
                                    platform::BoxButtons::Ok);
        return false;
    }
    if (shared::ProbePort(platform.ports, settings.name)) {
        return true;
    }
    platform.desktop.messageBox(
        platform::BoxIcon::Error,
        std::string(CatalogText(PortTexts::PortOpenError, language)) + CutForBox(settings.name),
        platform::BoxButtons::Ok);
    return false;
}

bool ReopenPort(platform::EventLoop& loop, platform::SerialPort& port,
                const PortSettings& settings) {
    if (port.isOpen()) {
        port.close();
    }
    loop.sleep(kReopenPauseMs);
    port.setSpeed(settings.speed);
    port.setName(settings.name);
    return port.isOpen() || port.open();
}

void ReportPortFailure(platform::Desktop& desktop, const platform::SerialPort& port) {
    desktop.messageBox(platform::BoxIcon::Error, CutForBox(port.lastError()),
                       platform::BoxButtons::Ok);
}

}  // namespace kestrel
