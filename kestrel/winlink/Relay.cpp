#include "Relay.h"

namespace kestrel {

namespace {
// Once a device is identified, the polling software's data need not be kept for recognition.
constexpr std::size_t kIdentifiedBufferLimit = 1000;
// Without a device the buffer keeps its tail for recognition, but never grows without bound.
constexpr std::size_t kBufferCeiling = 64 * 1024;
constexpr std::size_t kBufferTail = 1024;
}  // namespace

Relay::Relay(platform::SerialPort& XComm_Serv, WinPort& winPort, const ProgramValues& values)
    : XComm_Serv_(XComm_Serv), winPort_(winPort), values_(values) {}

void Relay::ForwardWinToServer(const std::string& chunk, std::string& WinRxBuffer) {
    if (!ServerWriteFailed_ && XComm_Serv_.write(chunk) != chunk.size()) {
        ServerWriteFailed_ = true;
    }
    if (values_.links.ClientIdentified() && WinRxBuffer.size() > kIdentifiedBufferLimit) {
        WinRxBuffer.clear();
    } else if (WinRxBuffer.size() > kBufferCeiling) {
        WinRxBuffer.erase(0, WinRxBuffer.size() - kBufferTail);
    }
}

void Relay::ForwardServerToWin(const std::string& chunk) {
    if (!WinWriteFailed_ && !winPort_.WinWriteQuiet(chunk)) {
        WinWriteFailed_ = true;
    }
}

void Relay::ClearWriteFailures() {
    ServerWriteFailed_ = false;
    WinWriteFailed_ = false;
}

}  // namespace kestrel
