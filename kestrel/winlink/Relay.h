#pragma once

#include <string>

namespace kestrel {

class KestrelApp;

// Writes a WIN chunk that the emulator did not keep to the SERVER port, unchanged. The direction
// stops after its first failed write until the next server start.
void ForwardWinToServer(KestrelApp& app, const std::string& chunk);

}  // namespace kestrel
