#pragma once

namespace kestrel {

class KestrelApp;

// The receive handler of the SERVER port.
void XComm_ServData(KestrelApp& app);

}  // namespace kestrel
