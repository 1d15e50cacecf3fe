#pragma once

#include <string>

#include "platform/core/Control.h"

namespace shared {

// Every log pane of both programs shows its lines in this font.
inline constexpr const char* kLogFont = "Courier New";

// Adds one line in that colour and the log font at the end of a pane.
void AppendColoured(platform::Control& pane, const std::string& text,
                    const platform::Colour& colour);

}  // namespace shared
