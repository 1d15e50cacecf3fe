#include "DemoFolder.h"

#include <fstream>

namespace tools {

namespace {

bool WriteLines(const std::filesystem::path& path,
                const std::initializer_list<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        out << line << "\r\n";
    }
    return bool(out);
}

}  // namespace

std::string WriteDemoFolder(const std::filesystem::path& stage, const std::filesystem::path& folder,
                            const DemoSettings& settings) {
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
    std::filesystem::create_directories(folder / "Work", ec);
    const bool written =
        WriteLines(folder / "Work" / "ComPorts.000",
                   {"COM1=" + settings.serverDevice, "COM2=" + settings.winDevice,
                    "COM3=" + settings.ringDevice}) &&
        WriteLines(folder / "Work" / "FileInRS.000",
                   {"1.16", "COM1", "115200", "COM2", "115200", "COM3", "115200", "internet.demo",
                    "5001", "30", "100", "20", "0", "0", "0", "0", "20",
                    settings.autoStartServer ? "1" : "0", settings.autoDial ? "1" : "0"});
    return written ? std::string() : "cannot write the Work files of " + folder.string();
}

}  // namespace tools
