#include "KestrelApp.h"

#include "Splash.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/modem/dComModem.h"
#include "kestrel/modem/pComModem.h"
#include "kestrel/modem/pStartMod.h"
#include "kestrel/ports/ServerPort.h"
#include "kestrel/ringcall/ClientCall.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/winlink/ModemEmulator.h"
#include "kestrel/winlink/Relay.h"
#include "kestrel/winlink/WinPort.h"
#include "kestrel/work/pWinServ.h"
#include "prKestrel.h"
#include "shared/AboutBox.h"
#include "shared/WaitWindow.h"

namespace kestrel {

namespace {

// What units ask of the work window, passed on while it is open; a closed window shows nothing.
class OpenWorkWindow : public WorkWindowIntents, public CallWorkWindow {
  public:
    explicit OpenWorkWindow(TfWinServ*& window) : window_(window) {}

    void SetServerStarted(bool on) override { pass(&TfWinServ::SetServerStarted, on); }
    void SetClientConnected(bool on) override { pass(&TfWinServ::SetClientConnected, on); }
    void SetClientIdentified(bool on) override { pass(&TfWinServ::SetClientIdentified, on); }
    void SetPollingLinkUp(bool on) override { pass(&TfWinServ::SetPollingLinkUp, on); }
    void ShowDialledNumber(const std::string& digits) override {
        pass(&TfWinServ::ShowDialledNumber, digits);
    }
    void ShowCallBusy() override { pass(&TfWinServ::ShowCallBusy); }
    void StartAutoDial() override { pass(&TfWinServ::StartAutoDial); }
    void ShowModemFault(const std::string& line) override {
        pass(&TfWinServ::ShowModemFault, line);
    }
    void HideModemFault() override { pass(&TfWinServ::HideModemFault); }
    void ShowModemFaultLine() override { pass(&TfWinServ::ShowModemFaultLine); }
    void SetModemFaultText(const std::string& text) override {
        pass(&TfWinServ::SetModemFaultText, text);
    }
    void ShowSignalQuality(std::uint8_t quality) override {
        pass(&TfWinServ::ShowSignalQuality, quality);
    }
    void ShowSimAddress(const std::string& address) override {
        pass(&TfWinServ::ShowSimAddress, address);
    }
    void ShowDevice(const DeviceFields& device) override { pass(&TfWinServ::ShowDevice, device); }
    void ClearDeviceFields() override { pass(&TfWinServ::ClearDeviceFields); }
    platform::Control* LogPane(LogPaneId pane) override {
        return window_ != nullptr ? window_->LogPane(pane) : nullptr;
    }
    void LogRing(LogKind kind, const std::string& text) override {
        pass(&TfWinServ::LogRing, kind, text);
    }
    void ClearRingLog() override { pass(&TfWinServ::ClearRingLog); }
    std::string DialledNumber() const override {
        return window_ != nullptr ? window_->DialledNumber() : std::string();
    }

  private:
    template <typename Operation, typename... Args>
    void pass(Operation operation, const Args&... args) {
        if (window_ != nullptr) {
            (window_->*operation)(args...);
        }
    }

    TfWinServ*& window_;
};

}  // namespace

KestrelApp::KestrelApp(platform::Platform& platform)
    : host(platform), loop(platform.loop), desktop(platform.desktop), ports(platform.ports) {
    // A termination request (a signal) ends the run as the operator's exit does.
    desktop.setTerminationHandler([this] { Exit(); });
}

KestrelApp::~KestrelApp() {
    desktop.setTerminationHandler({});
}

void KestrelApp::Exit() {
    if (fWinServ != nullptr) {
        fWinServ->TB_ExitClick();
    } else if (fKestrel != nullptr) {
        fKestrel->close();
    } else {
        loop.quit();
    }
}

void KestrelApp::start() {
    auto splash = std::make_unique<TSplashForm>();
    desktop.show(*splash);
    desktop.repaint(*splash);
    desktop.setApplicationTitle("program \"KESTREL\"");

    fKestrel = std::make_unique<TfKestrel>(*this);
    fKestrel->FormCreate();
    InRS232 = std::make_unique<TInRS232>(*this);

    platform::SerialPort& server = *InRS232->XComm_Serv;
    platform::SerialPort& win = *InRS232->XComm_WIN;
    auto openWorkWindow = std::make_unique<OpenWorkWindow>(fWinServ);
    CallWorkWindow& callWorkWindow = *openWorkWindow;
    workWindow = std::move(openWorkWindow);
    logs = std::make_unique<ExchangeLogs>(loop, values, *workWindow);
    serverPort = std::make_unique<ServerPort>(host, server, *InRS232, values);
    winPort = std::make_unique<WinPort>(host, win, *InRS232, values, *logs);
    relay = std::make_unique<Relay>(server, *winPort, values);
    emulator =
        std::make_unique<ModemEmulator>(loop, win, values, *winPort, *relay, *logs, *workWindow);
    dComModem = std::make_unique<TdComModem>(loop);
    comModem =
        std::make_unique<ComModem>(host, server, *dComModem, values, *logs, *relay, *workWindow);
    clientCall =
        std::make_unique<ClientCall>(ClientCallLinks{host, *InRS232, values, callWorkWindow});
    win.onDataReceived([this] { emulator->XComm_WINData(); });
    server.onDataReceived([this] { comModem->XComm_ServData(); });

    splash->close();
    splash.reset();
    if (!loop.quitRequested()) {
        desktop.show(*fKestrel);
    }
}

void KestrelApp::run() {
    loop.runUntil([] { return false; });
}

}  // namespace kestrel
