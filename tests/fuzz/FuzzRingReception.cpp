// Arbitrary bytes from the dial-out modem, in chunks, through the RING receive handler.
#include <cstddef>
#include <cstdint>

#include "kestrel/ringcall/dRING.h"
#include "support/ClientCallRig.h"

namespace {

struct Fixture {
    Fixture() : r({.silent = true}) { r.call.dRING.RingOpen(); }
    testing_support::ClientCallRig r;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture f;
    kestrel::TDataModule_RING& ring = f.r.call.dRING;
    ring.RingRxBuffer.clear();
    f.r.work.log.clear();
    // A 0x00 byte ends a chunk, so one input is several receptions.
    std::string chunk;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0x00) {
            f.r.ringPort.feed(chunk);
            f.r.loop.processEvents();
            chunk.clear();
            if (ring.RingRxBuffer.size() > 2048) {
                __builtin_trap();  // the buffer must stay bounded
            }
        } else {
            chunk += char(data[i]);
        }
    }
    kestrel::RingResultOf(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
