#include "PowerCycle.h"

namespace kestrel {

namespace {
constexpr int kDtrPulseTicks = 5;
constexpr int kRtsDelayTicks = 2;
constexpr int kRtsPulseTicks = 5;
constexpr int kEchoDelayTicks = 3;
constexpr int kEchoLookTicks = 1;
constexpr int kEchoRetryLimit = 10;
constexpr int kTicksPerSecond = 4;
}  // namespace

PowerCycle::PowerCycle(ComModem& modem, ServerPort& serverPort, std::uint16_t powerOnDelay)
    : modem_(modem), serverPort_(serverPort), powerOnDelay_(powerOnDelay) {}

void PowerCycle::Restart() {
    step_ = PowerStep::Begin;
    gaugeTicks_ = 0;
}

bool PowerCycle::Tick() {
    ++tickCounter_;
    ++gaugeTicks_;
    const bool finished = Step();
    return finished || modem_.SimMissing;
}

bool PowerCycle::Waited(int ticks) {
    if (tickCounter_ < ticks) {
        return false;
    }
    tickCounter_ = 0;
    return true;
}

bool PowerCycle::Step() {
    switch (step_) {
        case PowerStep::Begin:
            gaugeTicks_ = 0;
            powerOnFailed_ = false;
            modem_.CallReadySeen = false;
            modem_.SmsReadySeen = false;
            tickCounter_ = 0;
            if (!serverPort_.IsOpen()) {
                return true;
            }
            serverPort_.SetServerDtr(true);
            step_ = PowerStep::DtrPulse;
            break;
        case PowerStep::DtrPulse:
            if (Waited(kDtrPulseTicks)) {
                serverPort_.SetServerDtr(false);
                step_ = PowerStep::RtsDelay;
            }
            break;
        case PowerStep::RtsDelay:
            if (Waited(kRtsDelayTicks)) {
                serverPort_.SetServerRts(true);
                step_ = PowerStep::RtsPulse;
            }
            break;
        case PowerStep::RtsPulse:
            if (Waited(kRtsPulseTicks)) {
                echoRetries_ = 0;
                serverPort_.SetServerRts(false);
                step_ = PowerStep::SendEcho;
            }
            break;
        case PowerStep::SendEcho:
            if (Waited(kEchoDelayTicks)) {
                modem_.SendModemCommand(ModemCommand::EchoOff);
                step_ = PowerStep::CheckEcho;
            }
            break;
        case PowerStep::CheckEcho:
            if (Waited(kEchoLookTicks)) {
                if (modem_.CommandDone) {
                    step_ = PowerStep::AwaitReady;
                } else if (++echoRetries_ > kEchoRetryLimit) {
                    powerOnFailed_ = true;
                    return true;
                } else {
                    step_ = PowerStep::SendEcho;
                }
            }
            break;
        case PowerStep::AwaitReady:
            // No limit: the operator closes the window if the notice never comes. The tick
            // counter runs on, so the extra delay counts from the answered "E0".
            if (modem_.CallReadySeen || modem_.SmsReadySeen) {
                step_ = PowerStep::ExtraDelay;
            }
            break;
        case PowerStep::ExtraDelay:
            return Waited(powerOnDelay_ * kTicksPerSecond);
    }
    return false;
}

}  // namespace kestrel
