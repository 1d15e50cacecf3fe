#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "CallLinks.h"
#include "platform/core/SerialPort.h"

namespace kestrel {

// What the dial-out modem answered, as far as the last line of its reception tells.
enum class RingResult {
    None = -1,
    Ok = 0,
    Connect = 2,
    Ring = 3,
    NoCarrier = 4,
    Error = 5,
    NoDialTone = 6,
    Busy = 7,
    NoAnswer = 8,
    Escape = 9,  // the reception is exactly "+++"
};

enum class RingCommandKind { EchoOff, Dial, HangUp };

// The speed of a RING speed text (blanks already removed): eight standard rates, else 9600.
int RingSpeedOf(std::string_view speedText);

// The number to dial of a directory line or a typed text: the part before the first "//" with
// every blank removed.
std::string PhoneNumberOf(std::string_view text);

// Whether the last non-blank line of a reception, blanks removed, holds `word` from its first
// result letter on. Case matters.
bool RingMatchWord(std::string_view buffer, std::string_view word);

// The result a reception shows; None when it shows nothing known.
RingResult RingResultOf(std::string_view buffer);

// The bytes a command sends; the dial command takes the number to dial (never empty).
std::string RingCommandBytes(RingCommandKind kind, const std::string& number);

// The data module of the dial-out modem on the RING port: opens the port, sends the three
// commands of a call, logs both directions and classifies what the modem answers. The call
// sequence polls `RingLastResult`.
class TDataModule_RING {
  public:
    TDataModule_RING(const ClientCallLinks& links, const ClientCallWindows& windows);

    void RingSetSpeed(const std::string& speedText);
    bool RingOpen();
    void RingClose();
    bool RingPortPresent();
    // False when a dial finds no number to dial: then nothing is sent.
    bool RingCommand(RingCommandKind kind);
    void RingSend(const std::string& bytes);
    bool RingWrite(const std::string& bytes);
    void BComPort_RINGRxChar();
    RingResult RingClassify();

    std::unique_ptr<platform::SerialPort> BComPort_RING;
    std::string RingRxBuffer;
    RingResult RingLastResult = RingResult::None;
    bool PortLost = false;

  private:
    std::string NumberFieldText() const;
    // Keeps the reception buffer bounded while the modem talks without being asked.
    void TrimRxBuffer();

    const ClientCallLinks& links_;
    const ClientCallWindows& windows_;
};

}  // namespace kestrel
