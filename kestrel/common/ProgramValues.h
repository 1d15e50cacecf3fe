#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace kestrel {

// The program-wide values of the server program; each has one owning unit.
struct ProgramValues {
    std::uint8_t LanguageIndex = 1;  // 1 Ukrainian, 2 Russian, 3 English
    std::filesystem::path ProgramFolder;
    std::string GprsApn;
    std::string GprsPort;
    bool AutoStartServer = false;
    bool AutoDial = false;
    std::filesystem::path DocumentPath;
    // The language when the settings window opened; a change ends the program as it closes.
    std::uint8_t LanguageBeforeSettings = 1;

    // From the settings file.
    bool ServerPortOff = false;
    bool WinPortOff = false;
    bool SorrelModem = false;
    std::uint16_t PowerOnDelay = 0;  // seconds
    std::uint16_t ConnectPauseTimeout = 0;
    std::uint16_t OnlineTimeout = 0;
    std::uint16_t TicketTimeout = 0;

    // The links, each shown by its indicator in the work window.
    bool ServerStarted = false;
    bool ClientConnected = false;
    bool ClientIdentified = false;
    bool PollingLinkUp = false;
    std::uint8_t IdleSeconds = 0;     // seconds without a reception on WIN or SERVER
    std::uint8_t ClientTimeout = 60;  // the silence limit
    bool StatusControlActive = false;

    // The relay: a direction stops after its first failed write until the next server start.
    bool ServerWriteFailed = false;
    bool WinWriteFailed = false;
    std::string ServerRxBuffer;
    std::string WinRxBuffer;

    // The modem emulator's answer waiting to be sent: 1 OK, 2 CONNECT.
    int EmulatorAnswer = 0;
    bool BusySeen = false;

    // Debug switches for the SERVER and WIN panes and the exchange log file.
    bool DebugMonitor = false;
    bool DebugFile = false;
};

// Every file of the program lives in the Work folder beside it.
inline std::filesystem::path WorkFile(const ProgramValues& values, const std::string& name) {
    return values.ProgramFolder / "Work" / name;
}

}  // namespace kestrel
