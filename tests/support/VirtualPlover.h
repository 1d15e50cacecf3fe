#pragma once

#include <fstream>
#include <string>

#include "platform/virtual/ScriptedOperator.h"
#include "platform/virtual/VirtualDesktop.h"
#include "platform/virtual/VirtualPorts.h"
#include "plover/CableTest.h"
#include "plover/PloverApp.h"
#include "plover/pRs_Wren.h"
#include "support/TempFolder.h"
#include "support/TesterTranscript.h"

namespace testing_support {

// The cable tester on the virtual backend in its own folder, recording a transcript of its edge:
// the ports, the boxes and windows, the run log, the error counter, the port fields and lists and
// the switches.
struct VirtualPlover {
    // The tester window is set up 200 ms after the start.
    static constexpr int kReady = 200;

    VirtualPlover() : vdesktop(loop, system, folder.path()) {
        desktop.onShow = [this](platform::Form& form) {
            if (auto* w = dynamic_cast<plover::TfRS_Wren*>(&form)) {
                for (platform::Control* c : {&w->reWin, &w->stError, &w->stRS_01, &w->stRS_02,
                                             &w->rxStart, &w->rxControl_Data, &w->rgRS_01}) {
                    recorder.watch(*c);
                }
            }
        };
    }

    // Writes a file of the tester's own folder.
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
    plover::TfRS_Wren& window() { return *app.fRS_Wren; }
    plover::CableTest& test() { return *app.cableTest; }

    // At `time` ms after the start, as the operator.
    void at(int time, std::function<void()> action) {
        operatorScript.after(time - int(loop.now()), std::move(action));
    }

    TempFolder folder;
    platform::VirtualEventLoop loop;
    platform::VirtualSystem system;
    platform::VirtualDesktop vdesktop;
    platform::VirtualSerialPorts vports{loop};
    TesterTranscript transcript{loop};
    RecordingDesktop desktop{vdesktop, transcript};
    RecordingPorts ports{vports, transcript};
    ControlRecorder recorder{transcript};
    platform::Platform platform{loop, desktop, ports};
    platform::ScriptedOperator operatorScript{loop};
    plover::PloverApp app{platform};
};

}  // namespace testing_support
