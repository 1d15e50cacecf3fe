#pragma once

#include <string>

namespace kestrel {

class KestrelApp;

// The WIN port toward the polling software, as the settings name it. A switched-off WIN port is
// never touched; writes to it are skipped quietly.

// Whether it exists (passes at once when switched off).
bool WinPortPresent(KestrelApp& app);
// Reopens it after the 300 ms pause and sends one "U"; a switched-off port counts as success.
bool WinOpen(KestrelApp& app);
void WinClose(KestrelApp& app);
// Writes with monitor logging of the given kind; a short write shows the port error box.
bool WinWrite(KestrelApp& app, int kind, const std::string& bytes);
// Writes without logging or message.
bool WinWriteQuiet(KestrelApp& app, const std::string& bytes);

}  // namespace kestrel
