#include "TestFrames.h"

#include "pCRC16.h"
#include "shared/Helpers.h"

namespace plover {

namespace {

constexpr std::size_t kFrameSize = 32;

// The CRC goes through its four-digit hex text, so its high byte comes first.
std::string WithCrc(const std::string& body) {
    return body + shared::HexTextToBytes(shared::ByteToHex(Crc16Modbus(body), 4));
}

}  // namespace

std::string FrameA() {
    std::string body;
    for (int b = 0x01; b <= 0x1E; ++b) {
        body += char(b);
    }
    return WithCrc(body);
}

std::string FrameB() {
    std::string body;
    for (int b = 0x1E; b >= 0x01; --b) {
        body += char(b);
    }
    return WithCrc(body);
}

CompareResult CompareFrame(const std::string& sent, const std::string& received) {
    if (received.empty()) {
        return CompareResult::NothingReceived;
    }
    if (received.size() != kFrameSize || received != sent.substr(0, kFrameSize)) {
        return CompareResult::WrongData;
    }
    return CompareResult::Good;
}

}  // namespace plover
