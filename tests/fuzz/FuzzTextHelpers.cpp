// Arbitrary bytes through the helpers that take text from ports and files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/core/PortNames.h"
#include "shared/Cp1251.h"
#include "shared/Helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Every byte read from a port or a file survives the way into the program and back.
    if (shared::Utf8ToCp1251(shared::Cp1251ToUtf8(bytes)) != bytes) {
        std::abort();
    }
    shared::Utf8ToCp1251(bytes);
    const std::string hex = shared::BytesToHexText(bytes);
    if (shared::HexTextToBytes(hex) != bytes) {
        std::abort();
    }
    shared::HexTextToBytes(bytes);
    shared::TextToInt64(bytes);
    shared::HexToInt(bytes);
    shared::CollapseSpaces(bytes);
    shared::TrimSpaces(bytes);
    shared::StripLineControls(bytes);
    shared::DropControlChars(bytes);
    shared::FirstFourBytesToInt(bytes);
    platform::ParsePortMap(bytes);
    platform::ComPortNumber(bytes);
    return 0;
}
