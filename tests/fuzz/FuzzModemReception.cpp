// Arbitrary bytes from the GSM modem or a device, in chunks, through the SERVER reception path
// with an arbitrary command outstanding, while the response timer ticks. Nothing may crash and
// the buffers must stay bounded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/modem/dComModem.h"
#include "kestrel/modem/pComModem.h"
#include "kestrel/winlink/Relay.h"
#include "kestrel/winlink/WinPort.h"
#include "platform/virtual/VirtualDesktop.h"
#include "platform/virtual/VirtualPorts.h"
#include "support/TempFolder.h"

namespace {

// A work window that shows nothing; the start window's closing only unregisters it.
struct Quiet : kestrel::WorkWindowIntents, kestrel::PortSettingsSource, kestrel::StartWindowLink {
    void SetServerStarted(bool) override {}
    void SetClientConnected(bool) override {}
    void SetClientIdentified(bool) override {}
    void SetPollingLinkUp(bool) override {}
    void ShowDialledNumber(const std::string&) override {}
    void ShowCallBusy() override {}
    void StartAutoDial() override {}
    void ShowModemFault(const std::string&) override {}
    void HideModemFault() override {}
    void ShowModemFaultLine() override {}
    void SetModemFaultText(const std::string&) override {}
    void ShowSignalQuality(std::uint8_t) override {}
    void ShowSimAddress(const std::string&) override {}
    void ShowDevice(const kestrel::DeviceFields&) override {}
    void ClearDeviceFields() override {}
    platform::Control* LogPane(kestrel::LogPaneId) override { return nullptr; }
    kestrel::PortSettings ServerPortSettings() const override { return {"COM3", 115200, false}; }
    kestrel::PortSettings WinPortSettings() const override { return {"COM4", 115200, true}; }
    kestrel::RingPortSetting RingPortSettings() const override { return {}; }
    void CloseStartWindow() override { modem->SetStartWindow(nullptr); }

    kestrel::ComModem* modem = nullptr;
};

struct Fixture {
    Fixture() {
        quiet.modem = &modem;
        server->setName("COM3");
        server->open();
        server->onDataReceived([this] { modem.XComm_ServData(); });
    }
    platform::VirtualEventLoop loop;
    platform::VirtualSystem system;
    testing_support::TempFolder folder;
    platform::VirtualDesktop desktop{loop, system, folder.path()};
    platform::VirtualSerialPorts ports{loop};
    platform::Platform platform{loop, desktop, ports};
    platform::VirtualPortDevice& device = ports.device("COM3");
    std::unique_ptr<platform::SerialPort> server = ports.create();
    std::unique_ptr<platform::SerialPort> win = ports.create();
    kestrel::ProgramValues values;
    Quiet quiet;
    kestrel::ExchangeLogs logs{loop, values, quiet};
    kestrel::WinPort winPort{platform, *win, quiet, values, logs};
    kestrel::Relay relay{*server, winPort, values};
    kestrel::TdComModem module{loop};
    kestrel::ComModem modem{platform, *server, module, values, logs, relay, quiet};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture f;
    if (size < 2) {
        return 0;
    }
    f.modem.ResetModemState();
    f.values.debug.DebugMonitor = (data[1] & 1) != 0;
    f.modem.SetStartWindow((data[1] & 2) != 0 ? &f.quiet : nullptr);
    f.modem.SendModemCommand(kestrel::ModemCommand(data[0] % (kestrel::kModemCommandCount + 2)));
    // A 0xFF byte ends a reception; each reception is followed by 100 ms of response ticks.
    std::string chunk;
    for (std::size_t i = 2; i <= size; ++i) {
        if (i == size || data[i] == 0xFF) {
            f.device.feed(chunk);
            f.loop.runFor(100);
            chunk.clear();
        } else {
            chunk += char(data[i]);
        }
        if (f.modem.ServerRxBuffer.size() > kestrel::ComModem::kServerRxLimit ||
            f.modem.Lines.LineCount() > kestrel::LineTable::kCapacity) {
            std::abort();
        }
    }
    return 0;
}
