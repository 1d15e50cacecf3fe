#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace kestrel {

class TfWinServ;

// The link flags, each shown by its indicator in the work window. Only the work window's setters
// write them, so a flag and its indicator never disagree.
class LinkValues {
  public:
    bool ServerStarted() const { return ServerStarted_; }
    bool ClientConnected() const { return ClientConnected_; }
    bool ClientIdentified() const { return ClientIdentified_; }
    bool PollingLinkUp() const { return PollingLinkUp_; }

    std::uint8_t IdleSeconds = 0;     // seconds without a reception on WIN or SERVER
    std::uint8_t ClientTimeout = 60;  // the silence limit
    bool StatusControlActive = false;

  private:
    friend class TfWinServ;

    bool ServerStarted_ = false;
    bool ClientConnected_ = false;
    bool ClientIdentified_ = false;
    bool PollingLinkUp_ = false;
};

// What several units read, grouped by what it is; each value has one owning unit.
struct ProgramValues {
    struct Program {
        std::uint8_t LanguageIndex = 1;  // 1 Ukrainian, 2 Russian, 3 English
        std::filesystem::path ProgramFolder;
        std::filesystem::path DocumentPath;
        // The language when the settings window opened; a change ends the program as it closes.
        std::uint8_t LanguageBeforeSettings = 1;
    } program;

    // From the settings file; the APN and GPRS port copied from the settings window at the
    // SERVER item.
    struct Settings {
        std::string GprsApn;
        std::string GprsPort;
        bool ServerPortOff = false;
        bool WinPortOff = false;
        bool SorrelModem = false;
        std::uint16_t PowerOnDelay = 0;  // seconds
        std::uint16_t ConnectPauseTimeout = 0;
        std::uint16_t OnlineTimeout = 0;
        std::uint16_t TicketTimeout = 0;
        bool AutoStartServer = false;
        bool AutoDial = false;  // also switched in the work window
    } settings;

    LinkValues links;

    // Debug switches for the SERVER and WIN panes and the exchange log file.
    struct Debug {
        bool DebugMonitor = false;
        bool DebugFile = false;
    } debug;

    // The client call: BUSY was seen; every dial command the emulator takes clears it.
    struct Call {
        bool BusySeen = false;
    } call;
};

// Every file of the program lives in the Work folder beside it.
inline std::filesystem::path WorkFile(const ProgramValues& values, const std::string& name) {
    return values.program.ProgramFolder / "Work" / name;
}

}  // namespace kestrel
