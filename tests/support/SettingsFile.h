#pragma once

#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace testing_support {

// Work/FileInRS.000 by name instead of by line position; the defaults are a working server run:
// SERVER on COM3 and WIN on COM4 at 115200 baud, APN "internet", GPRS port 5001.
struct SettingsFile {
    std::string version = "1.16";
    std::string server = "COM3";
    std::string serverSpeed = "115200";
    std::string win = "COM4";
    std::string winSpeed = "115200";
    std::string ring = "";
    std::string ringSpeed = "115200";
    std::string apn = "internet";
    std::string port = "5001";
    std::string connectTimeout = "30";
    std::string onlineTimeout = "100";
    std::string ticketTimeout = "20";
    bool serverOff = false;
    bool winOff = false;
    bool ringOff = false;
    bool sorrel = true;
    std::string powerOnDelay = "20";
    bool autoStart = false;
    bool autoDial = false;

    // The 19 lines in their order.
    std::vector<std::string> lines() const {
        const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
        return {version,
                server,
                serverSpeed,
                win,
                winSpeed,
                ring,
                ringSpeed,
                apn,
                port,
                connectTimeout,
                onlineTimeout,
                ticketTimeout,
                flag(serverOff),
                flag(winOff),
                flag(ringOff),
                flag(sorrel),
                powerOnDelay,
                flag(autoStart),
                flag(autoDial)};
    }
    // The file as stored: CR LF after every line.
    std::string bytes() const { return CrLf(lines()); }
    void store(const TempFolder& folder) const { folder.writeBytes("FileInRS.000", bytes()); }

    static std::string CrLf(const std::vector<std::string>& lines) {
        std::string bytes;
        for (const std::string& line : lines) {
            bytes += line + "\r\n";
        }
        return bytes;
    }
};

}  // namespace testing_support
