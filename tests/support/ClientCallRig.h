#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "kestrel/ringcall/ClientCall.h"
#include "kestrel/ringcall/Modem.h"
#include "kestrel/ringcall/pRING_Cl.h"
#include "platform/virtual/ScriptedOperator.h"
#include "platform/virtual/VirtualDesktop.h"
#include "platform/virtual/VirtualPorts.h"
#include "sim/DialOutModemSim.h"
#include "support/TempFolder.h"
#include "support/Transcript.h"
#include "support/VirtualEndpoint.h"

namespace kestrel {
// Results print as their numbers.
inline void PrintTo(RingResult result, std::ostream* out) {
    *out << int(result);
}
}  // namespace kestrel

namespace testing_support {

// The work window as the client call sees it: its fields are transcript lines, its RING log pane
// a list.
class RecordingWorkWindow : public kestrel::CallWorkWindow {
  public:
    struct LogEntry {
        kestrel::LogKind kind;
        std::string text;
    };

    explicit RecordingWorkWindow(Transcript& transcript) : transcript_(transcript) {}

    void LogRing(kestrel::LogKind kind, const std::string& text) override {
        log.push_back({kind, text});
    }
    void ClearRingLog() override { log.clear(); }
    std::string DialledNumber() const override { return number; }
    void ShowDialledNumber(const std::string& shown) override {
        number = shown;
        transcript_.add("stPhoneRing", "\"" + Escaped(shown) + "\"");
    }
    void ShowCallBusy() override { transcript_.add("stPhoneRing", "green"); }
    void ShowModemFault(const std::string& line) override {
        transcript_.add("lErr_Power", "\"" + Escaped(line) + "\"");
    }

    std::string number = "-\"\"-";
    std::vector<LogEntry> log;

  private:
    Transcript& transcript_;
};

// The settings as the client call reads them: only the RING port matters.
struct RingSettings : kestrel::PortSettingsSource {
    kestrel::PortSettings ServerPortSettings() const override { return {}; }
    kestrel::PortSettings WinPortSettings() const override { return {}; }
    kestrel::RingPortSetting RingPortSettings() const override { return ring; }
    kestrel::RingPortSetting ring{"COM5", "9600"};
};

inline kestrel::ProgramValues RussianIn(const TempFolder& folder) {
    kestrel::ProgramValues values;
    values.program.LanguageIndex = 2;
    values.program.ProgramFolder = folder.path();
    return values;
}

// A transcript with its Cyrillic texts readable: each run of escaped bytes that is valid UTF-8
// is shown as those characters; other escapes stay.
inline std::string ReadableText(const std::string& transcript) {
    std::string out;
    std::size_t i = 0;
    while (i < transcript.size()) {
        std::string run;
        std::size_t j = i;
        while (j + 3 < transcript.size() && transcript.compare(j, 2, "\\x") == 0) {
            run += char(std::stoi(transcript.substr(j + 2, 2), nullptr, 16));
            j += 4;
        }
        if (run.empty()) {
            out += transcript[i++];
            continue;
        }
        std::size_t k = 0;
        bool utf8 = true;
        while (k < run.size() && utf8) {
            const auto lead = static_cast<unsigned char>(run[k]);
            const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
            utf8 = length > 0 && k + length <= run.size();
            for (std::size_t m = 1; utf8 && m < length; ++m) {
                utf8 = (static_cast<unsigned char>(run[k + m]) & 0xC0) == 0x80;
            }
            k += length;
        }
        out += utf8 ? run : transcript.substr(i, j - i);
        i = j;
    }
    return out;
}

// The client call alone on the virtual backend, in Russian, with the transcript of its edge: its
// RING port is COM5 with a dial-out modem on the line, its program folder a fresh one.
struct ClientCallRig {
    explicit ClientCallRig(sim::DialOutModemSim::Script script = {}) : modem(loop, line, script) {}

    // Opens the modem window (blocking in its nested loop) at `time` ms.
    void openModemWindowAt(int time) {
        operatorScript.after(time - int(loop.now()), [this] { call.ShowModemWindow(); });
    }
    // At `time` ms the operator types `number` into the open modem window and starts the call.
    void callAt(int time, const std::string& number) {
        operatorScript.after(time - int(loop.now()), [this, number] {
            modemWindow()->ComboBox1.userSetText(number);
            modemWindow()->CONNECT1.click();
        });
    }
    // At `time` ms, while the call window is open, the operator presses a key.
    void keyAt(int time, int key) {
        operatorScript.after(time - int(loop.now()),
                             [this, key] { call.windows.fRING_Cl->keyDown(key); });
    }
    kestrel::TModC* modemWindow() const { return call.windows.fModC; }
    // The transcript so far, readable.
    std::string text() { return ReadableText(transcript.text()); }

    TempFolder folder;
    platform::VirtualEventLoop loop;
    platform::VirtualSystem system;
    platform::VirtualDesktop desktop{loop, system, folder.path()};
    platform::VirtualSerialPorts ports{loop};
    Transcript transcript{loop, desktop, ports};
    platform::ScriptedOperator operatorScript{loop};
    RecordingWorkWindow work{transcript};
    platform::Platform host{loop, transcript.desktop(), transcript.ports()};
    RingSettings settings;
    kestrel::ProgramValues values = RussianIn(folder);
    kestrel::ClientCall call{{host, settings, values, work}};
    platform::VirtualPortDevice& ringPort = ports.device("COM5");
    VirtualEndpoint line{ringPort};
    sim::DialOutModemSim modem;
};

}  // namespace testing_support
