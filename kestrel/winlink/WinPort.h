#pragma once

namespace kestrel {

class KestrelApp;

// Whether the WIN port, as the settings name it, exists (passes at once when switched off).
bool WinPortPresent(KestrelApp& app);

}  // namespace kestrel
