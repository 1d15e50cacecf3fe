#pragma once

#include <cstdint>

#include "kestrel/ports/ServerPort.h"
#include "pComModem.h"

namespace kestrel {

enum class PowerStep : std::uint8_t {
    Begin = 0,
    DtrPulse = 1,
    RtsDelay = 2,
    RtsPulse = 3,
    SendEcho = 4,
    CheckEcho = 5,
    AwaitReady = 6,
    ExtraDelay = 7,
};

// Switching the modem kind with power control on: a pulse on DTR, a pulse on RTS, then "E0"
// every second until the modem answers (eleven sends at most), then its ready notice and the
// configured extra delay. One step per 250 ms tick.
class PowerCycle {
  public:
    PowerCycle(ComModem& modem, ServerPort& serverPort, std::uint16_t powerOnDelay);

    void Restart();
    // One tick: true when the phase has finished (see SimMissing and PowerOnFailed).
    bool Tick();
    PowerStep step() const { return step_; }
    std::uint16_t GaugeTicks() const { return gaugeTicks_; }
    std::uint8_t EchoRetries() const { return echoRetries_; }
    bool PowerOnFailed() const { return powerOnFailed_; }

  private:
    bool Step();
    // True once the tick counter has reached `ticks`; it then starts again from 0.
    bool Waited(int ticks);

    ComModem& modem_;
    ServerPort& serverPort_;
    std::uint16_t powerOnDelay_;
    PowerStep step_ = PowerStep::Begin;
    std::uint16_t tickCounter_ = 0;
    std::uint8_t echoRetries_ = 0;
    std::uint16_t gaugeTicks_ = 0;
    bool powerOnFailed_ = false;
};

}  // namespace kestrel
