#pragma once

#include <string>

#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/common/ProgramValues.h"
#include "kestrel/ports/PortSettings.h"
#include "platform/core/Platform.h"

namespace kestrel {

// The WIN port toward the polling software, as the settings name it. A switched-off WIN port is
// never touched; writes to it are skipped quietly.
class WinPort {
  public:
    WinPort(platform::Platform& platform, platform::SerialPort& XComm_WIN,
            const PortSettingsSource& settings, const ProgramValues& values, ExchangeLogs& logs);

    // Whether it exists (passes at once when switched off); a box says what is wrong.
    bool WinPortPresent();
    // Reopens it after the 300 ms pause and sends one "U"; a switched-off port counts as success.
    bool WinOpen();
    // Shows the port layer's report of why the WIN port did not open or take its "U".
    void ReportWinPortFailure();
    void WinClose();
    // Writes with monitor logging of the given kind; a short write shows the port error box.
    bool WinWrite(LogKind kind, const std::string& bytes);
    // Writes without logging or message.
    bool WinWriteQuiet(const std::string& bytes);

  private:
    platform::Platform& platform_;
    platform::SerialPort& XComm_WIN_;
    const PortSettingsSource& settings_;
    const ProgramValues& values_;
    ExchangeLogs& logs_;
};

}  // namespace kestrel
