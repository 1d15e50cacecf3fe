#pragma once

#include <functional>
#include <memory>
#include <type_traits>

#include "kestrel/modem/pStartMod.h"
#include "kestrel/ports/ServerPort.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/winlink/ModemEmulator.h"
#include "kestrel/work/pWinServ.h"
#include "sim/GsmModemSim.h"
#include "sim/PollingSoftwareSim.h"
#include "support/SettingsFile.h"
#include "support/VirtualEndpoint.h"
#include "support/VirtualKestrel.h"

namespace testing_support {

// A whole server run on the virtual backend: the settings file (by default APN and port, the
// SERVER port on COM3 with a modem peer, the WIN port on COM4 with the polling software). The
// operator presses SERVER at 10 ms and the start button at 200 ms; the ports open by 800 ms and the
// polling software's script starts when its "U" arrives. With the quiet modem a server start could
// only run into time-outs, so the operator closes the start window with F10 as soon as it shows;
// with the GSM modem simulator the start runs.
template <typename ModemPeer>
class BasicServerRun {
  public:
    static constexpr int kServerClick = 10;
    static constexpr int kStartClick = 200;

    explicit BasicServerRun(const SettingsFile& settings = {}) : k(system, folder) {
        settings.store(folder);
        k.app.start();
        polling.startWhenReceived("U");
        if constexpr (std::is_same_v<ModemPeer, sim::QuietModemSim>) {
            startCloser.onTick([this] {
                if (k.app.fStartMod != nullptr) {
                    k.app.fStartMod->keyDown(platform::keys::F10);
                }
            });
            startCloser.setEnabled(true);
        }
    }

    kestrel::TfWinServ& work() { return *k.app.fWinServ; }
    kestrel::ProgramValues& values() { return k.app.values; }
    Transcript& transcript() { return k.transcript; }

    // At `time` ms after the start of the run, while the work window is open.
    void at(int time, std::function<void()> action) {
        k.operatorScript.after(time - int(k.loop.now()), std::move(action));
    }

    // Runs until `end` ms, pressing start unless told not to, and leaves with the exit button.
    void run(int end, bool pressStart = true) {
        at(kServerClick, [this] { k.app.fKestrel->mSERVER.click(); });
        if (pressStart) {
            at(kStartClick, [this] { work().TB_Retry.click(); });
        }
        at(end, [this] {
            if (k.app.fWinServ != nullptr) {
                work().TB_Exit.click();
            }
        });
        k.loop.runFor(end + 1000 - k.loop.now());
    }

    TempFolder folder;
    platform::VirtualSystem system;
    VirtualKestrel k;
    platform::VirtualPortDevice& serverPort = k.ports.device("COM3");
    platform::VirtualPortDevice& winPort = k.ports.device("COM4");
    VirtualEndpoint modemLine{serverPort};
    VirtualEndpoint pollingLine{winPort};
    ModemPeer modem{k.loop, modemLine};
    sim::PollingSoftwareSim polling{k.loop, pollingLine};
    platform::Timer startCloser{k.loop, 10, false};
};

using ServerRun = BasicServerRun<sim::QuietModemSim>;
using ModemServerRun = BasicServerRun<sim::GsmModemSim>;

inline const std::string kOk = "\r\nOK\r\n";
inline const std::string kConnect = "\r\nCONNECT 9600/RLP\r\n";

}  // namespace testing_support
