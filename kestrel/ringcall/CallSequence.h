#pragma once

#include <cstdint>

#include "CallLinks.h"
#include "platform/core/Timer.h"

namespace kestrel {

class TDataModule_RING;

// The steps of a call, in `PhoneStep`.
enum class CallSteps : std::uint8_t { SendEchoOff = 0, WaitOk = 1, Pause = 2, WaitResult = 3 };
// The steps of a hang-up, in the same `PhoneStep`.
enum class HangUpSteps : std::uint8_t { Clear = 0, SendHangUp = 1, WaitOk = 2, Ended = 3 };

// The step machines of a client call over the dial-out modem: the call itself, ticked by the call
// window, and the hang-up, which outlives that window. `tATH0` and `tWait_PHONE` are the client
// call's two timers of the GSM modem service's data module, kept here until that module exists;
// they live for the whole run.
class CallSequence {
  public:
    CallSequence(const ClientCallLinks& links, TDataModule_RING& ring,
                 const ClientCallWindows& windows);

    // One tick of the call; true when the call has ended.
    bool CallStep();
    // One tick of the hang-up; true when it has ended.
    bool HangUpStep();
    void StartHangUp();
    bool HangUpRunning() const { return tATH0.enabled(); }
    // The modem window is closing: a hang-up still running keeps the port and closes it itself.
    void ModemWindowClosing();

    std::uint8_t PhoneStep = 0;
    std::uint8_t StepSeconds = 0;
    std::uint8_t CallSeconds = 0;
    bool NoModemAnswer = false;
    bool ModemError = false;
    bool NoDialTone = false;
    bool NoCarrier = false;
    bool CallTimeout = false;
    // The number field held no number to dial.
    bool NoNumber = false;
    bool CallStarted = false;

    platform::Timer tATH0;
    platform::Timer tWait_PHONE;

  private:
    void tATH0Timer();

    const ClientCallLinks& links_;
    TDataModule_RING& ring_;
    const ClientCallWindows& windows_;
    // Whether the hang-up's end closes the modem window that was open when it started.
    bool closeModemWindow_ = false;
};

}  // namespace kestrel
