#pragma once

#include <string>
#include <string_view>

#include "platform/core/Control.h"
#include "platform/core/EventLoop.h"
#include "platform/core/SerialPort.h"

namespace kestrel {

class KestrelApp;

// Empties a port choice and lists the ports present among COM1..COM100, in numeric order.
void FillPortList(platform::SerialPorts& ports, platform::Control& choice);

// The line speed of a SERVER or WIN speed text (blanks removed); unknown texts and "300" give 9600.
int SpeedFromText(std::string_view text);

// The presence check of a port: passes at once when the port is switched off; an empty name
// shows `emptyNameText`, a missing port the catalog's open error with its name.
bool CheckPortPresent(KestrelApp& app, bool portOff, const std::string& name,
                      const std::string& emptyNameText);

// Closes the port, pauses 300 ms without delivering events, sets speed and name and opens it
// unless it is open. Returns whether it is open.
bool ReopenPort(platform::EventLoop& loop, platform::SerialPort& port, const std::string& name,
                std::string_view speedText);

// Shows the port layer's own report of a port that failed.
void ReportPortFailure(KestrelApp& app, const platform::SerialPort& port);

bool CheckServerPort(KestrelApp& app);
bool OpenServerPort(KestrelApp& app);
void CloseServerPort(KestrelApp& app);
void SetServerDtr(KestrelApp& app, bool on);
void SetServerRts(KestrelApp& app, bool on);

}  // namespace kestrel
