#pragma once

#include <filesystem>
#include <string>

#include "PtyEndpoint.h"
#include "sim/DialOutModemSim.h"
#include "sim/GsmModemSim.h"
#include "sim/PollingSoftwareSim.h"

namespace tools {

// The demo program folder: the staged program tree with a Work folder whose port map points
// COM1 (SERVER), COM2 (WIN) and COM3 (RING) at the simulator's terminals, and settings naming
// them, an APN and a GPRS port. The modem has no power control: a pseudo-terminal carries no DTR
// or RTS.
struct DemoSettings {
    std::string serverDevice;
    std::string winDevice;
    std::string ringDevice{};  // none: the RING port is left unmapped
    bool autoStartServer = true;
    bool autoDial = false;
};

// Copies the staged tree (when `stage` is given) and writes the Work files. Returns the error.
std::string WriteDemoFolder(const std::filesystem::path& stage, const std::filesystem::path& folder,
                            const DemoSettings& settings);

// The demo's polling software: once its port opens (the "U"), a few AT commands and a dial.
inline constexpr const char* kDemoNumber = "0501234567";
inline void ScriptDemoPolling(sim::PollingSoftwareSim& polling) {
    polling.startWhenReceived("U");
    polling.command(1000, "AT");
    polling.command(600, "ATE0");
    polling.dial(600, kDemoNumber);
}

// The demo's client device: it identifies itself and then sends a reading.
inline sim::DeviceIdentity DemoDevice() {
    return {
        .phone = kDemoNumber, .requestTimeout = 60, .serial = 100234, .manufacturer = 1, .type = 5};
}

// The demo's simulated peers on pseudo-terminals: the GSM modem on the SERVER line, with the
// client device connecting two seconds after the server socket opened, the polling software on
// the WIN line and a dial-out modem on the RING line that answers a dial with BUSY.
struct DemoPeers {
    explicit DemoPeers(platform::EventLoop& loop)
        : serverLine(loop),
          winLine(loop),
          ringLine(loop),
          modem(loop, serverLine),
          polling(loop, winLine),
          ringModem(loop, ringLine),
          device(loop, DemoDevice()) {
        device.send(1000, "READING 12345.6\r\n");
        modem.connectDeviceOnceListening(device, 2000);
    }

    // Writes the demo folder for these terminals. Returns the error, empty on success.
    std::string prepare(const std::filesystem::path& stage, const std::filesystem::path& folder,
                        bool autoStartServer, bool autoDial = false) {
        if (!serverLine.ok() || !winLine.ok() || !ringLine.ok()) {
            return "no pseudo-terminals";
        }
        return WriteDemoFolder(stage, folder,
                               {serverLine.devicePath(), winLine.devicePath(),
                                ringLine.devicePath(), autoStartServer, autoDial});
    }

    PtyEndpoint serverLine;
    PtyEndpoint winLine;
    PtyEndpoint ringLine;
    sim::GsmModemSim modem;
    sim::PollingSoftwareSim polling;
    sim::DialOutModemSim ringModem;
    sim::DeviceSim device;
};

}  // namespace tools
