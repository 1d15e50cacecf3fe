#pragma once

#include <memory>
#include <string_view>

#include "Catalog.h"
#include "kestrel/common/ProgramValues.h"
#include "platform/core/Platform.h"

namespace shared {
class TAboutForm;
class TfWaitPDF;
}  // namespace shared

namespace kestrel {

class TfKestrel;
class TInRS232;
class TfWinServ;
class TfFlagDebug;
class WorkWindowIntents;
class ExchangeLogs;
class ServerPort;
class WinPort;
class Relay;
class ModemEmulator;
class TdComModem;
class ComModem;
class ClientCall;
class TfStartMod;

// How the server program is put together.
//
// Units. Each subsystem's logic is a unit object owned by this app: the exchange logs, the SERVER
// and WIN ports, the relay, the modem emulator, the modem service and its data module, the client
// call. A unit holds its own state under its documented names (`WinRxBuffer`, `ServerWriteFailed`,
// ...) and the timers it drives with their handlers; its public operations carry the documented
// operation names
// (`XComm_WINData`, `WinOpen`, `LogServer`). A data module (`TdComModem`, `TdDop_RS`,
// `TDataModule_RING`) is such a unit: a non-visual object that lives for the whole run and holds
// its timers and ports. A unit is given, at construction, references to the few things it uses
// (the platform, a port, another unit, the program-wide values, the window-intent interface it
// calls); it never takes the whole app, never reaches into another unit's state and never
// touches a window's controls or timers.
//
// Windows. Transient windows are created by the Show... operations and reached through one
// pointer per window class, empty while that window is closed. A window offers intent operations
// for what units need of it (`WorkWindowIntents`: the link setters, the dialled number, the modem
// fault line, the auto-dial timer, the device fields, the log panes); units are given
// `workWindow`, which passes each intent on while the work window is open. The settings window
// offers its settings as values (`PortSettingsSource`).
//
// Program-wide values. What several units read lives in `values`, grouped (program, settings,
// links, debug switches, call); a link flag changes only through its work-window setter.
//
// The app wires it all: it creates the units after the settings window, whose ports they use, and
// hands each port's receptions to its unit.
class KestrelApp {
  public:
    explicit KestrelApp(platform::Platform& platform);
    ~KestrelApp();

    // Start-up up to the event loop: splash, main window and its creation, long-lived modules.
    // Shows the main window unless the program was asked to end meanwhile.
    void start();
    // The event loop, until the program ends.
    void run();
    // Ends the run: through the work window's exit while it is open (the exchange log file
    // closed, the ports closed), else by closing the main window.
    void Exit();

    template <typename Key>
    std::string_view text(Key key) const {
        return CatalogText(key, values.program.LanguageIndex);
    }

    // Creates a transient window, shows it modally with its reference set, and releases it.
    template <typename Window, typename... Args>
    void showModalWindow(Window*& reference, Args&&... args) {
        auto window = std::make_unique<Window>(std::forward<Args>(args)...);
        reference = window.get();
        desktop.showModal(*window);
        reference = nullptr;
    }

    platform::Platform& host;  // what the program is given of the outside world
    platform::EventLoop& loop;
    platform::Desktop& desktop;
    platform::SerialPorts& ports;
    ProgramValues values;
    std::unique_ptr<platform::InstanceLock> instanceLock;

    std::unique_ptr<TfKestrel> fKestrel;
    std::unique_ptr<TInRS232> InRS232;

    std::unique_ptr<WorkWindowIntents> workWindow;  // passes intents to fWinServ while it is open
    std::unique_ptr<ExchangeLogs> logs;
    std::unique_ptr<ServerPort> serverPort;
    std::unique_ptr<WinPort> winPort;
    std::unique_ptr<Relay> relay;
    std::unique_ptr<ModemEmulator> emulator;
    std::unique_ptr<TdComModem> dComModem;
    std::unique_ptr<ComModem> comModem;
    std::unique_ptr<ClientCall> clientCall;  // the dial-out modem and its windows

    TfWinServ* fWinServ = nullptr;
    TfFlagDebug* fFlagDebug = nullptr;
    TfStartMod* fStartMod = nullptr;
    shared::TAboutForm* AboutForm = nullptr;
    shared::TfWaitPDF* fWaitPDF = nullptr;
};

}  // namespace kestrel
