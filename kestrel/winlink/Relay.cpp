#include "Relay.h"

#include "kestrel/app/KestrelApp.h"
#include "kestrel/settings/In_RS232.h"

namespace kestrel {

namespace {
// Once a device is identified, the polling software's data need not be kept for recognition.
constexpr std::size_t kIdentifiedBufferLimit = 1000;
// Without a device the buffer keeps its tail for recognition, but never grows without bound.
constexpr std::size_t kBufferCeiling = 64 * 1024;
constexpr std::size_t kBufferTail = 1024;
}  // namespace

void ForwardWinToServer(KestrelApp& app, const std::string& chunk) {
    ProgramValues& values = app.values;
    if (!values.ServerWriteFailed && app.InRS232->XComm_Serv->write(chunk) != chunk.size()) {
        values.ServerWriteFailed = true;
    }
    std::string& buffer = values.WinRxBuffer;
    if (values.ClientIdentified && buffer.size() > kIdentifiedBufferLimit) {
        buffer.clear();
    } else if (buffer.size() > kBufferCeiling) {
        buffer.erase(0, buffer.size() - kBufferTail);
    }
}

}  // namespace kestrel
