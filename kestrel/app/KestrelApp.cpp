#include "KestrelApp.h"

#include "Splash.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/work/pWinServ.h"
#include "prKestrel.h"
#include "shared/AboutBox.h"
#include "shared/WaitWindow.h"

namespace kestrel {

KestrelApp::KestrelApp(platform::Platform& platform)
    : loop(platform.loop), desktop(platform.desktop), ports(platform.ports) {
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
