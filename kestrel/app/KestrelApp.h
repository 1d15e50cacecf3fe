#pragma once

#include <memory>
#include <string_view>

#include "Catalog.h"
#include "kestrel/common/ExchangeLogs.h"
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

// The composition root of the server program: it owns the long-lived windows and modules and the
// program-wide values; transient windows are reached through one reference per window class,
// empty while that window is closed.
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
        return CatalogText(key, values.LanguageIndex);
    }

    // Creates a transient window, shows it modally with its reference set, and releases it.
    template <typename Window, typename... Args>
    void showModalWindow(Window*& reference, Args&&... args) {
        auto window = std::make_unique<Window>(std::forward<Args>(args)...);
        reference = window.get();
        desktop.showModal(*window);
        reference = nullptr;
    }

    platform::EventLoop& loop;
    platform::Desktop& desktop;
    platform::SerialPorts& ports;
    ProgramValues values;
    ExchangeLogs logs;
    std::unique_ptr<platform::InstanceLock> instanceLock;

    std::unique_ptr<TfKestrel> fKestrel;
    std::unique_ptr<TInRS232> InRS232;
    TfWinServ* fWinServ = nullptr;
    TfFlagDebug* fFlagDebug = nullptr;
    shared::TAboutForm* AboutForm = nullptr;
    shared::TfWaitPDF* fWaitPDF = nullptr;
};

}  // namespace kestrel
