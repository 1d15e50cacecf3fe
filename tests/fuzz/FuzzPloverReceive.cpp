// Arbitrary bytes arriving on both test ports, in chunks at different moments, while a two-cycle
// data test runs: the receive handlers, the checks and the log.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/VirtualPlover.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing_support::VirtualPlover p;
    platform::VirtualPortDevice& com1 = p.vports.device("COM1");
    platform::VirtualPortDevice& com2 = p.vports.device("COM2");
    p.at(300, [&] { p.window().rxStart.userSetChecked(true); });
    p.at(1500, [&] { p.window().rxStart.userSetChecked(false); });
    p.at(1700, [&] {
        p.window().rgRS_01.userSetItemIndex(0);
        p.window().rgRS_02.userSetItemIndex(1);
        p.window().seCikl.userSetText("2");
        p.window().rxControl_Data.userSetChecked(true);
    });
    // A 0xFF byte ends a chunk; chunks go to COM1 and COM2 in turn, 100 ms apart from 2000 ms.
    std::string chunk;
    int sent = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0xFF) {
            p.at(2000 + 100 * (sent % 40),
                 [&, bytes = chunk, n = sent] { (n % 2 == 0 ? com2 : com1).feed(bytes); });
            chunk.clear();
            ++sent;
        } else {
            chunk += char(data[i]);
        }
    }
    p.at(6900, [&] {
        if (p.test().RxBuffer1.size() > plover::CableTest::kRxBufferLimit ||
            p.test().RxBuffer2.size() > plover::CableTest::kRxBufferLimit) {
            std::abort();
        }
    });
    p.run(7000);
    return 0;
}
