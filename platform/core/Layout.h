#pragma once

#include <vector>

#include "Control.h"

namespace platform {

// Where each child of a container goes, as aligned controls are placed: top, bottom, left and
// right ones take strips from the remaining client area in child order, client ones fill what is
// left, unaligned ones keep their bounds. Hidden children take no room.
std::vector<Rect> alignedBounds(const Rect& client, const std::vector<const Control*>& children);

}  // namespace platform
