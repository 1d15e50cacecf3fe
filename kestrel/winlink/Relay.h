#pragma once

#include <string>

#include "WinPort.h"
#include "kestrel/common/ProgramValues.h"
#include "platform/core/SerialPort.h"

namespace kestrel {

// The data relay between the polling software (WIN) and the client device (SERVER): chunks are
// written as received, unchanged. Each direction stops after its first failed write, silently,
// until the next server start.
class Relay {
  public:
    Relay(platform::SerialPort& XComm_Serv, WinPort& winPort, const ProgramValues& values);

    // A WIN chunk the emulator did not keep goes to the SERVER port; then the size rule on the
    // emulator's buffer: once a device is identified its data need not be kept for recognition.
    void ForwardWinToServer(const std::string& chunk, std::string& WinRxBuffer);
    // A SERVER chunk of an identified device goes to the WIN port.
    void ForwardServerToWin(const std::string& chunk);
    // The server start opens both directions again.
    void ClearWriteFailures();

    bool ServerWriteFailed() const { return ServerWriteFailed_; }
    bool WinWriteFailed() const { return WinWriteFailed_; }

  private:
    platform::SerialPort& XComm_Serv_;
    WinPort& winPort_;
    const ProgramValues& values_;
    bool ServerWriteFailed_ = false;
    bool WinWriteFailed_ = false;
};

}  // namespace kestrel
