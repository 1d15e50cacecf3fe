#pragma once

#include <filesystem>
#include <string>

#include "PtyEndpoint.h"
#include "sim/NullModemCable.h"

namespace tools {

// A simulated null-modem cable between two pseudo-terminals, which Plover's port map in its own
// folder names COM1 and COM2.
struct CableDemo {
    CableDemo(platform::EventLoop& loop, sim::NullModemCable::Fault fault)
        : line1(loop), line2(loop), cable(line1, line2, fault) {}

    // Copies the staged tree (when `stage` is given) into `folder` and writes Plover's port map
    // there. Returns the error, empty on success.
    std::string prepare(const std::filesystem::path& stage, const std::filesystem::path& folder);

    PtyEndpoint line1;
    PtyEndpoint line2;
    sim::NullModemCable cable;
};

}  // namespace tools
