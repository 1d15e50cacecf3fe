#pragma once

#include <cstdint>

#include "pComModem.h"

namespace kestrel {

// Steps of the two command phases of the server start.
enum class StartStep : std::uint8_t {
    Begin = 0,
    TakeNext = 5,
    AwaitReply = 10,
    AwaitPause = 20,
    BeginLinkCheck = 30,
    CheckLink = 31,
    AwaitClose = 32,
    QueryStatusAgain = 40,
    AwaitStatus = 41,
};

// The command phases of the server start: modem control (echo off, signal quality, delete SMS,
// IP status, and closing a client socket still open) and server start (the part of the GPRS
// bring-up the IP status shows missing, then the server socket). One step per timer tick; after
// each reply the command's pause, counted by the pause timer.
class StartSequencer {
  public:
    StartSequencer(ComModem& modem, platform::Timer& tWaitNetComMod, bool sorrelModem);

    // One step of a phase; true when the phase has finished.
    bool ModemControlStep();
    bool ServerStartStep();
    // Back to the first step, for the next phase.
    void Restart() { step_ = StartStep::Begin; }
    // A tick of the pause timer.
    void PauseTick() { ++pauseCounter_; }

    StartStep step() const { return step_; }
    int SequenceNo() const { return sequenceNo_; }
    int StepIndex() const { return stepIndex_; }
    int PauseCounter() const { return pauseCounter_; }

  private:
    // Sends the sequence's next command; false when the sequence is exhausted.
    bool TakeNextCommand();
    // The steps both phases share, waiting for the reply and then the pause.
    void ReplyAndPauseStep();

    ComModem& modem_;
    platform::Timer& tWaitNetComMod_;
    bool sorrelModem_;
    StartStep step_ = StartStep::Begin;
    int sequenceNo_ = 1;
    int stepIndex_ = 0;
    int pauseLength_ = 0;
    int pauseCounter_ = 0;
};

}  // namespace kestrel
