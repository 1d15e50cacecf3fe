#pragma once

#include "kestrel/common/ProgramValues.h"
#include "platform/core/Desktop.h"

namespace kestrel {

class TInRS232;

// Work/FileInRS.000: 19 lines, each value at its own line number.
// Fills the settings window's fields and the settings values. A missing or unreadable file
// changes no field. Returns why an existing file could not be read, empty otherwise.
std::string ReadSettingsFile(TInRS232& window, ProgramValues& values);

// Writes the 19 lines from the window's fields. False, after the default error report, when the
// file cannot be created; the fields keep the operator's edits.
bool WriteSettingsFile(TInRS232& window, const ProgramValues& values, platform::Desktop& desktop);

}  // namespace kestrel
