// Arbitrary bytes as the tester's language file: read at start, then written back by a choice in
// the language box and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "support/VirtualPlover.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing_support::VirtualPlover p;
    p.writeFile("Type_Leng.000", std::string(reinterpret_cast<const char*>(data), size));
    p.at(300, [&] {
        if (p.app.language.index < 1 || p.app.language.index > 3) {
            std::abort();
        }
        p.window().CB_LANGUAGE.userSetItemIndex(size > 0 ? data[0] % 3 : 0);
    });
    p.run(400);
    return 0;
}
