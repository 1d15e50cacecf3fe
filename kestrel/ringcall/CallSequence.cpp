#include "CallSequence.h"

#include "Modem.h"
#include "dRING.h"

namespace kestrel {

namespace {
constexpr int kHangUpTickMs = 100;
constexpr int kSecondMs = 1000;
constexpr int kCallLimitSeconds = 25;
constexpr int kOkLimitSeconds = 2;
constexpr int kResultLimitSeconds = 15;
}  // namespace

CallSequence::CallSequence(const ClientCallLinks& links, TDataModule_RING& ring,
                           const ClientCallWindows& windows)
    : tATH0(links.host.loop, kHangUpTickMs, false),
      tWait_PHONE(links.host.loop, kSecondMs, true),
      links_(links),
      ring_(ring),
      windows_(windows) {
    tATH0.onTick([this] { tATH0Timer(); });
    tWait_PHONE.onTick([this] { ++StepSeconds; });
}

bool CallSequence::CallStep() {
    bool ended = false;
    if (CallSeconds > kCallLimitSeconds) {
        CallTimeout = true;
        ended = true;
    }
    if (ring_.PortLost) {
        ended = true;
    }
    switch (CallSteps(PhoneStep)) {
        case CallSteps::SendEchoOff:
            CallSeconds = 0;
            ring_.RingCommand(RingCommandKind::EchoOff);
            StepSeconds = 0;
            PhoneStep = std::uint8_t(CallSteps::WaitOk);
            break;
        case CallSteps::WaitOk:
            // The limit is tested first: an OK in the tick of the time-out comes too late.
            if (StepSeconds > kOkLimitSeconds) {
                NoModemAnswer = true;
                ended = true;
            }
            if (ring_.RingLastResult == RingResult::Ok) {
                StepSeconds = 0;
                PhoneStep = std::uint8_t(CallSteps::Pause);
            }
            break;
        case CallSteps::Pause:
            if (StepSeconds >= 1) {
                CallSeconds = 0;
                links_.values.call.BusySeen = false;
                if (!ring_.RingCommand(RingCommandKind::Dial)) {
                    NoNumber = true;
                    ended = true;
                }
                PhoneStep = std::uint8_t(CallSteps::WaitResult);
            }
            break;
        case CallSteps::WaitResult:
            if (StepSeconds > kResultLimitSeconds) {
                ended = true;
            }
            switch (ring_.RingLastResult) {
                case RingResult::Error:
                    ModemError = true;
                    ended = true;
                    break;
                case RingResult::NoDialTone:
                    NoDialTone = true;
                    ended = true;
                    break;
                case RingResult::Busy:
                    ended = true;
                    break;
                case RingResult::NoAnswer:
                    NoModemAnswer = true;
                    ended = true;
                    break;
                case RingResult::NoCarrier:
                    NoCarrier = true;
                    ended = true;
                    break;
                default:
                    break;
            }
            break;
    }
    return ended;
}

bool CallSequence::HangUpStep() {
    bool ended = ring_.PortLost;
    switch (HangUpSteps(PhoneStep)) {
        case HangUpSteps::Clear:
            ring_.PortLost = false;
            NoModemAnswer = false;
            NoDialTone = false;
            ModemError = false;
            StepSeconds = 0;
            PhoneStep = std::uint8_t(HangUpSteps::SendHangUp);
            break;
        case HangUpSteps::SendHangUp:
            ring_.RingCommand(RingCommandKind::HangUp);
            StepSeconds = 0;
            PhoneStep = std::uint8_t(HangUpSteps::WaitOk);
            break;
        case HangUpSteps::WaitOk:
            if (StepSeconds > kOkLimitSeconds) {
                NoModemAnswer = true;
                ended = true;
            }
            if (ring_.RingLastResult == RingResult::Ok) {
                ended = true;
                PhoneStep = std::uint8_t(HangUpSteps::Ended);
            }
            break;
        case HangUpSteps::Ended:
            break;
    }
    return ended;
}

void CallSequence::StartHangUp() {
    PhoneStep = std::uint8_t(HangUpSteps::Clear);
    closeModemWindow_ = windows_.fModC != nullptr;
    tATH0.setEnabled(true);
}

void CallSequence::ModemWindowClosing() {
    if (HangUpRunning()) {
        closeModemWindow_ = false;
    } else {
        ring_.RingClose();
    }
}

void CallSequence::tATH0Timer() {
    if (!HangUpStep()) {
        return;
    }
    tATH0.setEnabled(false);
    if (closeModemWindow_ && windows_.fModC != nullptr) {
        windows_.fModC->CloseWindow();  // which closes the port
    } else {
        ring_.RingClose();
    }
}

}  // namespace kestrel
