// Arbitrary bytes as the phone directory: read, offered for dialling, split for the editor and
// written back.
#include <cstddef>
#include <cstdint>

#include "kestrel/ringcall/EditAM.h"
#include "kestrel/ringcall/PhoneDirectory.h"
#include "kestrel/ringcall/dRING.h"
#include "support/TempFolder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing_support::TempFolder folder;
    folder.writeBytes("FlInPh.000", std::string(reinterpret_cast<const char*>(data), size));
    const auto path = kestrel::PhoneDirectoryPath(folder.path());
    const shared::TextFileRead file = shared::ReadTextFile(path);
    const std::vector<std::string> rows = kestrel::NonEmptyLines(file.lines);
    if (kestrel::DialEntries(file.lines).size() > rows.size()) {
        __builtin_trap();  // every entry is a non-empty line
    }
    for (const std::string& row : rows) {
        const kestrel::DirectoryRow fields = kestrel::SplitDirectoryRow(row);
        kestrel::PhoneNumberOf(kestrel::JoinDirectoryRow(fields.number, fields.comment));
    }
    shared::WriteTextFile(path, rows);
    return 0;
}
