#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "PortSettings.h"
#include "platform/core/Control.h"
#include "platform/core/Platform.h"

namespace kestrel {

// Empties a port choice and lists the ports present among COM1..COM100, in numeric order.
void FillPortList(platform::SerialPorts& ports, platform::Control& choice);

// The line speed of a SERVER or WIN speed text (blanks removed); unknown texts and "300" give 9600.
int SpeedFromText(std::string_view text);

// The presence check of a port: passes at once when the port is switched off; an empty name
// shows `emptyNameText`, a missing port the catalog's open error with its name.
bool CheckPortPresent(platform::Platform& platform, std::uint8_t language,
                      const PortSettings& settings, const std::string& emptyNameText);

// Closes the port, pauses 300 ms without delivering events, sets speed and name and opens it
// unless it is open. Returns whether it is open.
bool ReopenPort(platform::EventLoop& loop, platform::SerialPort& port,
                const PortSettings& settings);

// Shows the port layer's own report of a port that failed.
void ReportPortFailure(platform::Desktop& desktop, const platform::SerialPort& port);

}  // namespace kestrel
