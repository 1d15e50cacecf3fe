#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "kestrel/ringcall/ClientCall.h"
#include "kestrel/ringcall/Modem.h"
#include "platform/virtual/ScriptedOperator.h"
#include "platform/virtual/VirtualDesktop.h"
#include "platform/virtual/VirtualPorts.h"
#include "sim/DialOutModemSim.h"
#include "support/TempFolder.h"
#include "support/VirtualEndpoint.h"

namespace kestrel {
// Results print as their numbers.
inline void PrintTo(RingResult result, std::ostream* out) {
    *out << int(result);
}
}  // namespace kestrel

namespace testing_support {

// The work window as the client call sees it: records each request with its time.
class RecordingWorkWindow : public kestrel::CallWorkWindow {
  public:
    struct LogEntry {
        kestrel::RingLogKind kind;
        std::string text;
    };

    explicit RecordingWorkWindow(platform::EventLoop& loop) : loop_(loop) {}

    void LogRing(kestrel::RingLogKind kind, const std::string& text) override {
        log.push_back({kind, text});
    }
    void ClearRingLog() override {
        log.clear();
        note("log cleared");
    }
    std::string DialledNumber() const override { return number; }
    void ShowDialledNumber(const std::string& shown) override {
        number = shown;
        note("number \"" + shown + "\"");
    }
    void ShowDialledNumberRung() override { note("number green"); }
    void ShowPhoneFault() override { note("fault \"Err Phone\""); }

    std::string number = "-\"\"-";
    std::vector<LogEntry> log;
    std::vector<std::string> notes;  // "<time> <what>"

  private:
    void note(const std::string& what) {
        notes.push_back(std::to_string(loop_.now()) + " " + what);
    }

    platform::EventLoop& loop_;
};

// The client call alone on the virtual backend, in Russian: its RING port is COM5 with a dial-out
// modem on the line, its program folder a fresh one.
struct ClientCallRig {
    explicit ClientCallRig(sim::DialOutModemSim::Script script = {}) : modem(loop, line, script) {}

    // Opens the modem window (blocking in its nested loop) at `time` ms.
    void openModemWindowAt(int time) {
        operatorScript.after(time - int(loop.now()), [this] { call.ShowModemWindow(); });
    }
    kestrel::TModC* modemWindow() const { return call.windows.fModC; }

    TempFolder folder;
    platform::VirtualEventLoop loop;
    platform::VirtualSystem system;
    platform::VirtualDesktop desktop{loop, system, folder.path()};
    platform::VirtualSerialPorts ports{loop};
    platform::ScriptedOperator operatorScript{loop};
    RecordingWorkWindow work{loop};
    std::uint8_t LanguageIndex = 2;
    std::filesystem::path ProgramFolder = folder.path();
    bool AutoDial = false;
    bool BusySeen = false;
    kestrel::RingPortSetting ringSetting{"COM5", "9600"};
    kestrel::ClientCall call{{loop, desktop, ports, work, [this] { return ringSetting; },
                              LanguageIndex, ProgramFolder, AutoDial, BusySeen}};
    platform::VirtualPortDevice& ringPort = ports.device("COM5");
    VirtualEndpoint line{ringPort};
    sim::DialOutModemSim modem;
};

}  // namespace testing_support
