// Arbitrary bytes as the settings and language files: read, then written back.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "kestrel/app/Language.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/settings/SettingsFile.h"
#include "support/VirtualKestrel.h"

namespace {

struct Fixture {
    Fixture() : k(system, folder) { k.app.start(); }
    testing_support::TempFolder folder;
    platform::VirtualSystem system;
    testing_support::VirtualKestrel k;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fixture f;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    f.folder.writeBytes("FileInRS.000", bytes);
    f.folder.writeBytes("Type_Leng.000", bytes);
    kestrel::ReadSettingsFile(*f.k.app.InRS232, f.k.app.values);
    kestrel::ReadLanguageFile(f.k.app.values, f.k.desktop);
    kestrel::WriteSettingsFile(*f.k.app.InRS232, f.k.app.values, f.k.desktop);
    return 0;
}
