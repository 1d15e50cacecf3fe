#pragma once

#include <filesystem>
#include <string>

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

}  // namespace tools
