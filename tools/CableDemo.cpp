#include "CableDemo.h"

#include <fstream>

#include "plover/PloverApp.h"

namespace tools {

std::string CableDemo::prepare(const std::filesystem::path& stage,
                               const std::filesystem::path& folder) {
    if (!line1.ok() || !line2.ok()) {
        return "no pseudo-terminals";
    }
    std::error_code ec;
    if (!stage.empty()) {
        std::filesystem::copy(stage, folder,
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing,
                              ec);
        if (ec) {
            return "cannot copy " + stage.string() + " to " + folder.string() + ": " + ec.message();
        }
    }
    const std::filesystem::path plover = folder / "Plover";
    std::filesystem::create_directories(plover, ec);
    std::ofstream map(plover / plover::PloverApp::kPortMapFile, std::ios::binary | std::ios::trunc);
    map << "COM1=" << line1.devicePath() << "\r\nCOM2=" << line2.devicePath() << "\r\n";
    map.close();
    return map ? std::string() : "cannot write the port map of " + plover.string();
}

}  // namespace tools
