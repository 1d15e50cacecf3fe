#pragma once

#include <string>
#include <string_view>

#include "Relay.h"
#include "WinPort.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/common/ProgramValues.h"
#include "kestrel/common/WorkWindowIntents.h"
#include "platform/core/Timer.h"

namespace kestrel {

// What a data-state buffer holds, by `WinHangUpCheck`.
enum class HangUpCheck {
    None = 0,        // no "+++"
    EscapeOnly = 1,  // "+++" without "ATH": data; emptied once 19 more characters followed
    HangUp = 2,      // "+++" and "ATH"
};

// In data state: whether the buffer holds the polling software's hang-up.
HangUpCheck WinHangUpCheck(std::string& buffer);
// The digits of a dial command, in their order.
std::string DialDigits(std::string_view text);

// The Hayes modem the polling software believes it talks to, on the WIN port. In command state it
// answers AT commands half a second later (OK, or CONNECT for a dial command, which also shows the
// number and may start the auto-dial); in data state it only watches for the hang-up. What it
// does not keep for itself goes on through the relay.
class ModemEmulator {
  public:
    enum class Answer { None = 0, Ok = 1, Connect = 2 };

    ModemEmulator(platform::EventLoop& loop, platform::SerialPort& XComm_WIN, ProgramValues& values,
                  WinPort& winPort, Relay& relay, ExchangeLogs& logs, WorkWindowIntents& work);

    // The receive handler of the WIN port.
    void XComm_WINData();
    // In command state: whether `WinRxBuffer` holds a command to answer; sets the answer and, for
    // a dial command, shows the number.
    bool WinCommandCheck();
    // Tick of the answer timer.
    void WinSendAnswer();

    const std::string& WinRxBuffer() const { return WinRxBuffer_; }

    // The answer, half a second after the command that completed it.
    platform::Timer tComMod_Win;
    // The hang-up's path to the connection status control, a second later.
    platform::Timer tStop_CSD_GPRS;

  private:
    platform::SerialPort& XComm_WIN_;
    ProgramValues& values_;
    WinPort& winPort_;
    Relay& relay_;
    ExchangeLogs& logs_;
    WorkWindowIntents& work_;
    std::string WinRxBuffer_;
    Answer EmulatorAnswer_ = Answer::None;
};

}  // namespace kestrel
