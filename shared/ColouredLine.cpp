#include "ColouredLine.h"

namespace shared {

void AppendColoured(platform::Control& pane, const std::string& text,
                    const platform::Colour& colour) {
    pane.appendLine({text, colour, kLogFont});
}

}  // namespace shared
