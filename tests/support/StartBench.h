#pragma once

#include <sstream>

#include "kestrel/modem/pStartMod.h"
#include "platform/virtual/ScriptedOperator.h"
#include "sim/GsmModemSim.h"
#include "support/ModemBench.h"
#include "support/VirtualEndpoint.h"

namespace testing_support {

// The server start window over the modem service, with the GSM modem simulator on the SERVER
// port. The operator opens the window at 100 ms.
struct StartBench : ModemBench {
    static constexpr int kOpenAt = 100;

    // Runs to `endMs` of virtual time; a window still open then is closed with F10.
    void run(int endMs) {
        op.after(kOpenAt, [this] {
            kestrel::TfStartMod shown(loop, transcript.desktop(), values, modem, work, serverPort);
            window = &shown;
            transcript.desktop().showModal(shown);
            window = nullptr;
        });
        op.after(endMs, [this] { press(platform::keys::F10); });
        loop.runFor(endMs);
    }

    // The operator's key, if the window is open.
    void press(int key) {
        if (window != nullptr) {
            window->keyDown(key);
        }
    }

    // What the program sent the modem and what it showed: command lines, control lines, the
    // window, boxes and the work window's intents.
    std::string log() {
        std::istringstream all(transcript.text());
        std::string kept;
        for (std::string line; std::getline(all, line);) {
            const bool fromPort = line.find(" COM3 -> ") != std::string::npos ||
                                  line.find(" COM3 open") != std::string::npos;
            if (!fromPort) {
                kept += line + "\n";
            }
        }
        return kept;
    }

    VirtualEndpoint line{device};
    sim::GsmModemSim gsm{loop, line};
    platform::ScriptedOperator op{loop};
    kestrel::TfStartMod* window = nullptr;
};

}  // namespace testing_support
