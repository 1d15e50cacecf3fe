// Arbitrary bytes as the settings and language files: read, then written back.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "kestrel/app/Language.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/settings/SettingsFile.h"
#include "support/VirtualKestrel.h"

namespace {

// A fresh program for each input: what the desktop recorded of one input never reaches the next.
struct Fixture {
    explicit Fixture(const testing_support::TempFolder& folder) : k(system, folder) {
        k.app.start();
    }
    platform::VirtualSystem system;
    testing_support::VirtualKestrel k;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing_support::TempFolder folder;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    folder.writeBytes("FileInRS.000", bytes);
    folder.writeBytes("Type_Leng.000", bytes);
    Fixture f(folder);
    kestrel::ReadSettingsFile(*f.k.app.InRS232, f.k.app.values);
    kestrel::ReadLanguageFile(f.k.app.values, f.k.desktop);
    kestrel::WriteSettingsFile(*f.k.app.InRS232, f.k.app.values, f.k.desktop);
    return 0;
}
