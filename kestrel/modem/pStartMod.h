#pragma once

#include "PowerCycle.h"
#include "StartSequencer.h"
#include "pComModem.h"
#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace kestrel {

// The server start window: brings the GSM modem to a listening server socket in up to three
// phases (power cycling for the modem kind with power control, modem control, server start) and
// closes when they end, on an error, or on F10 or Space.
class TfStartMod : public platform::Form, private StartWindowLink {
  public:
    TfStartMod(platform::EventLoop& loop, platform::Desktop& desktop, const ProgramValues& values,
               ComModem& modem, WorkWindowIntents& work, ServerPort& serverPort);
    ~TfStartMod() override;

    platform::Control& pBaza;
    platform::Control& lBaner;
    platform::Control& gStepPr;
    platform::Control& lTwait;
    platform::Control& lTm_Out;
    platform::Control& lExit;

    platform::Timer tInit;
    platform::Timer tChoosePhase;
    platform::Timer tPowerOffOn;
    platform::Timer tContrM;
    platform::Timer tStartServ;
    platform::Timer tWaitNetComMod;
    platform::Timer tStepTm_OUT;

  private:
    void tInitTimer();
    void tChoosePhaseTimer();
    void tPowerOffOnTimer();
    void tContrMTimer();
    void tStartServTimer();
    void tWaitNetComModTimer();
    void PowerCycleEnd();
    void ModemControlEnd();
    void ServerStartEnd();
    void ShowStartTexts();
    void ShowProgress(int value);
    void FormKeyDown(int key);
    void FormClose();
    void CloseStartWindow() override { close(); }

    platform::Desktop& desktop_;
    const ProgramValues& values_;
    ComModem& modem_;
    WorkWindowIntents& work_;
    StartSequencer sequencer_;
    PowerCycle power_;
};

}  // namespace kestrel
