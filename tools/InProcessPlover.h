#pragma once

#include <filesystem>
#include <string>

#include "FolderDesktop.h"
#include "platform/qt/QtSerialPorts.h"
#include "platform/virtual/ScriptedOperator.h"
#include "plover/PloverApp.h"

namespace tools {

// Plover's app on the Qt backend in this process, in a given folder (the tester's own folder,
// holding its port map), with an operator who acts through the rendered widgets.
struct InProcessPlover {
    explicit InProcessPlover(const std::filesystem::path& folder) : desktop(loop, folder) {}

    platform::QtEventLoop loop;
    FolderDesktop desktop;
    platform::QtSerialPorts ports{loop, desktop.programFolder() / plover::PloverApp::kPortMapFile};
    platform::Platform platform{loop, desktop, ports};
    plover::PloverApp app{platform};
    platform::ScriptedOperator operatorScript{loop};
};

// The operator of a data test through the rendered tester window: switches port monitoring on
// until the lists show COM1 and COM2, off again, chooses COM1 as RS-01 and COM2 as RS-02, sets
// the cycles, switches the data test on, answers the final box and leaves with EXIT.
class CableTestOperator {
  public:
    // `beforeExit` runs with the tester window still open, after the run.
    CableTestOperator(InProcessPlover& plover, int cycles, std::function<void()> beforeExit = {});

    bool finished() const { return step_ == Step::Done; }
    // What the run showed: the error counter, the log lines and the final box (empty if none).
    const std::string& errors() const { return errors_; }
    const std::vector<std::string>& log() const { return log_; }
    const std::string& finalBox() const { return finalBox_; }

  private:
    enum class Step { Open, Monitoring, Choosing, Testing, Done };
    void tick();
    bool listsShowBothPorts() const;
    void choose(const platform::Control& list, const std::string& port) const;

    InProcessPlover& p_;
    int cycles_;
    std::function<void()> beforeExit_;
    platform::Timer watch_;
    Step step_ = Step::Open;
    std::string errors_;
    std::vector<std::string> log_;
    std::string finalBox_;
};

}  // namespace tools
