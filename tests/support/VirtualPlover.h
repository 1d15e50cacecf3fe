#pragma once

#include <fstream>
#include <functional>
#include <string>

#include "platform/virtual/ScriptedOperator.h"
#include "platform/virtual/VirtualDesktop.h"
#include "platform/virtual/VirtualPorts.h"
#include "plover/CableTest.h"
#include "plover/PloverApp.h"
#include "plover/pRs_Wren.h"
#include "support/TempFolder.h"
#include "support/Transcript.h"

namespace testing_support {

// The cable tester on the virtual backend in its own folder, with the transcript of its edge:
// the ports, boxes and windows, and the tester window's log, error counter, port fields, first
// list and switches.
struct VirtualPlover {
    VirtualPlover() : vdesktop(loop, system, folder.path()) {
        for (const char* name :
             {"reWin", "stError", "stRS_01", "stRS_02", "rxStart", "rxControl_Data", "rgRS_01"}) {
            transcript.watch(name);
        }
    }

    // A file of the tester's own folder.
    void writeFile(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder.path() / name, std::ios::binary) << bytes;
    }
    std::string readFile(const std::string& name) const {
        std::ifstream in(folder.path() / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Starts the program, runs the operator's script and presses EXIT at `end` ms after the
    // start (the tester window is modal, so a run always ends by closing it).
    void run(int end) {
        app.start();
        at(end, [this] {
            if (app.fRS_Wren != nullptr) {
                window().mExit.click();
            }
        });
        loop.runFor(end + 2000);
    }
    // At `time` ms after the start, as the operator.
    void at(int time, std::function<void()> action) {
        operatorScript.after(time - int(loop.now()), std::move(action));
    }

    // Valid while the tester window is open (from 150 ms).
    plover::TfRS_Wren& window() { return *app.fRS_Wren; }
    plover::CableTest& test() { return *app.cableTest; }

    TempFolder folder;
    platform::VirtualEventLoop loop;
    platform::VirtualSystem system;
    platform::VirtualDesktop vdesktop;
    platform::VirtualSerialPorts vports{loop};
    Transcript transcript{loop, vdesktop, vports};
    platform::Platform platform{loop, transcript.desktop(), transcript.ports()};
    platform::ScriptedOperator operatorScript{loop};
    plover::PloverApp app{platform};
};

}  // namespace testing_support
