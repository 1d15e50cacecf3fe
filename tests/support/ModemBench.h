#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/modem/dComModem.h"
#include "kestrel/modem/pComModem.h"
#include "kestrel/ports/ServerPort.h"
#include "kestrel/winlink/Relay.h"
#include "kestrel/winlink/WinPort.h"
#include "platform/virtual/VirtualDesktop.h"
#include "platform/virtual/VirtualPorts.h"
#include "support/TempFolder.h"
#include "support/Transcript.h"

namespace testing_support {

// The work window as the modem service sees it: each intent is kept as a call and is a line
// "work ..." of the transcript. Its link setters only tell; they store nothing.
struct RecordingWork : kestrel::WorkWindowIntents {
    explicit RecordingWork(Transcript& transcript) : transcript(transcript) {}

    void SetServerStarted(bool on) override { record("server started " + YesNo(on)); }
    void SetClientConnected(bool on) override { record("connected " + YesNo(on)); }
    void SetClientIdentified(bool on) override { record("identified " + YesNo(on)); }
    void SetPollingLinkUp(bool on) override { record("polling link " + YesNo(on)); }
    void ShowDialledNumber(const std::string& digits) override { record("dialled " + digits); }
    void ShowCallBusy() override { record("call busy"); }
    void StartAutoDial() override { record("auto-dial"); }
    void ShowModemFault(const std::string& line) override {
        record("fault \"" + line + "\" shown");
    }
    void HideModemFault() override { record("fault hidden"); }
    // Like the window's line, the transcript tells only when it comes into view.
    void ShowModemFaultLine() override {
        calls.push_back("fault line shown");
        if (!faultLineShown) {
            faultLineShown = true;
            transcript.add("work", "fault line shown");
        }
    }
    void SetModemFaultText(const std::string& text) override { record("fault \"" + text + "\""); }
    void ShowSignalQuality(std::uint8_t quality) override {
        record("CSQ " + std::to_string(quality));
    }
    void ShowSimAddress(const std::string& address) override { record("IP Sim " + address); }
    void ShowDevice(const kestrel::DeviceFields& d) override {
        record("device \"" + d.manufacturer + "\" " +
               (d.type ? "\"" + *d.type + "\"" : std::string("(type kept)")) + " " +
               d.serialNumber + " \"" + d.phoneNumber + "\" " + d.requestTimeout);
    }
    void ClearDeviceFields() override { record("device fields cleared"); }
    platform::Control* LogPane(kestrel::LogPaneId pane) override {
        return pane == kestrel::LogPaneId::Server ? &serverPane : nullptr;
    }

    Transcript& transcript;
    std::vector<std::string> calls;
    bool faultLineShown = false;
    platform::Control serverPane{platform::ControlKind::RichLog, "reLogDeb_Serv"};

  private:
    static std::string YesNo(bool on) { return on ? "YES" : "NO"; }
    void record(std::string call) {
        transcript.add("work", call);
        calls.push_back(std::move(call));
    }
};

// The SERVER port on COM3 and the WIN port on COM4, as the settings window would give them.
struct BenchPortSettings : kestrel::PortSettingsSource {
    kestrel::PortSettings ServerPortSettings() const override { return {"COM3", 115200, false}; }
    kestrel::PortSettings WinPortSettings() const override { return {"COM4", 115200, false}; }
    kestrel::RingPortSetting RingPortSettings() const override { return {}; }
};

// The modem service and the units it uses on the virtual backend, with the transcript of their
// edge; the SERVER port is open on COM3.
struct ModemBench {
    ModemBench() {
        values.program.LanguageIndex = 2;  // the Russian texts
        values.settings.GprsApn = "internet";
        values.settings.GprsPort = "5000";
        server->setName("COM3");
        server->open();
        server->onDataReceived([this] { modem.XComm_ServData(); });
    }

    // One reception, delivered at once.
    void receive(const std::string& chunk) {
        device.feed(chunk);
        loop.processEvents();
    }

    // The service's bookkeeping in a few lines, for comparing whole.
    std::string state() const {
        std::ostringstream out;
        out << "lines:";
        for (const auto& entry : modem.Lines.entries()) {
            out << " \"" << Escaped(entry.text) << "\"@" << entry.end;
        }
        out << "\nbuffer: \"" << Escaped(modem.ServerRxBuffer) << "\"\n";
        out << "done " << modem.CommandDone << ", timer " << module.tOut_ComM.enabled();
        const std::pair<const char*, bool> flags[] = {
            {"ErrTimeout", modem.ErrTimeout},
            {"ErrCommand", modem.ErrCommand},
            {"ErrSim", modem.ErrSim},
            {"ErrStartupNotice", modem.ErrStartupNotice},
            {"ErrEcho", modem.ErrEcho},
            {"CallReadySeen", modem.CallReadySeen},
            {"SmsReadySeen", modem.SmsReadySeen},
            {"SimMissing", modem.SimMissing},
        };
        for (const auto& [name, on] : flags) {
            if (on) {
                out << ", " << name;
            }
        }
        out << "\n";
        for (const std::string& call : work.calls) {
            out << call << "\n";
        }
        return out.str();
    }

    platform::VirtualEventLoop loop;
    platform::VirtualSystem system;
    TempFolder folder;
    platform::VirtualDesktop desktop{loop, system, folder.path()};
    platform::VirtualSerialPorts ports{loop};
    Transcript transcript{loop, desktop, ports};
    platform::Platform platform{loop, transcript.desktop(), transcript.ports()};
    platform::VirtualPortDevice& device = ports.device("COM3");
    std::unique_ptr<platform::SerialPort> server = transcript.ports().create();
    std::unique_ptr<platform::SerialPort> win = transcript.ports().create();
    kestrel::ProgramValues values;
    BenchPortSettings portSettings;
    RecordingWork work{transcript};
    kestrel::ExchangeLogs logs{loop, values, work};
    kestrel::ServerPort serverPort{platform, *server, portSettings, values};
    kestrel::WinPort winPort{platform, *win, portSettings, values, logs};
    kestrel::Relay relay{*server, winPort, values};
    kestrel::TdComModem module{loop};
    kestrel::ComModem modem{platform, *server, module, values, logs, relay, work};
};

// The stamp the fault line carries at virtual time `ms` of a bench (the clock starts 01.03.2024
// 09:00:00.000).
inline std::string Stamp(int ms) {
    const auto two = [](int n) { return (n < 10 ? "0" : "") + std::to_string(n); };
    const int seconds = ms / 1000;
    const int millis = ms % 1000;
    return " // 01.03.2024 09:" + two(seconds / 60) + ":" + two(seconds % 60) + "." +
           (millis < 100 ? "0" : "") + two(millis) + " ";
}

}  // namespace testing_support
