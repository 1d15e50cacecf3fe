#pragma once

#include <string>
#include <string_view>

namespace kestrel {

class KestrelApp;

// The Hayes modem the polling software believes it talks to, on the WIN port.

// The receive handler of the WIN port.
void XComm_WINData(KestrelApp& app);
// In command state: whether the buffer holds a command to answer; sets the answer and, for a dial
// command, shows the number.
bool WinCommandCheck(KestrelApp& app, std::string& buffer);
// In data state: 2 for a hang-up ("+++" and "ATH"), 1 when the buffer was emptied after a "+++"
// with 19 more characters, else 0.
int WinHangUpCheck(std::string& buffer);
// The digits of a dial command, in their order.
std::string DialDigits(std::string_view text);
// Tick of the answer timer.
void WinSendAnswer(KestrelApp& app);

}  // namespace kestrel
