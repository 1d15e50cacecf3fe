#pragma once

#include <filesystem>
#include <string>

#include "PtyEndpoint.h"
#include "sim/PollingSoftwareSim.h"

namespace tools {

// The demo program folder: the staged program tree with a Work folder whose port map points
// COM1 (SERVER) and COM2 (WIN) at the simulator's terminals, and settings naming them, an APN
// and a GPRS port.
struct DemoSettings {
    std::string serverDevice;
    std::string winDevice;
    bool autoStartServer = true;
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

// The demo's simulated peers on pseudo-terminals: a quiet modem on the SERVER line and the
// polling software on the WIN line.
struct DemoPeers {
    explicit DemoPeers(platform::EventLoop& loop)
        : serverLine(loop), winLine(loop), modem(loop, serverLine), polling(loop, winLine) {}

    // Writes the demo folder for these terminals. Returns the error, empty on success.
    std::string prepare(const std::filesystem::path& stage, const std::filesystem::path& folder,
                        bool autoStartServer) {
        if (!serverLine.ok() || !winLine.ok()) {
            return "no pseudo-terminals";
        }
        return WriteDemoFolder(stage, folder,
                               {serverLine.devicePath(), winLine.devicePath(), autoStartServer});
    }

    PtyEndpoint serverLine;
    PtyEndpoint winLine;
    sim::QuietModemSim modem;
    sim::PollingSoftwareSim polling;
};

}  // namespace tools
