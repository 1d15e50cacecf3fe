#include "pStartMod.h"

#include <algorithm>

#include "kestrel/app/Catalog.h"

namespace kestrel {

using platform::Align;
using platform::ControlKind;

namespace {
constexpr int kCommandGaugeMaximum = 8;
constexpr int kPowerGaugeMaximum = 120;
}  // namespace

TfStartMod::TfStartMod(platform::EventLoop& loop, platform::Desktop& desktop,
                       const ProgramValues& values, ComModem& modem, WorkWindowIntents& work,
                       ServerPort& serverPort)
    : Form("fStartMod"),
      pBaza(platform::AddControl(*this, ControlKind::Panel, "pBaza", {})),
      lBaner(platform::AddControl(pBaza, ControlKind::Label, "lBaner", {0, 0, 0, 28})),
      gStepPr(platform::AddControl(pBaza, ControlKind::Gauge, "gStepPr", {16, 36, 328, 22})),
      lTwait(platform::AddControl(pBaza, ControlKind::Label, "lTwait", {16, 64, 80, 16})),
      lTm_Out(platform::AddControl(pBaza, ControlKind::Label, "lTm_Out", {264, 64, 80, 16})),
      lExit(platform::AddControl(pBaza, ControlKind::Label, "lExit", {0, 0, 0, 20})),
      tInit(loop, 50, true),
      tChoosePhase(loop, 100, false),
      tPowerOffOn(loop, 250, false),
      tContrM(loop, 50, false),
      tStartServ(loop, 50, false),
      tWaitNetComMod(loop, 250, false),
      tStepTm_OUT(loop, 500, true),
      desktop_(desktop),
      values_(values),
      modem_(modem),
      work_(work),
      sequencer_(modem, tWaitNetComMod, values.settings.SorrelModem),
      power_(modem, serverPort, values.settings.PowerOnDelay) {
    setText("СТАРТ СЕРВЕР");
    setBounds({0, 0, 360, 136});
    setBorderStyle(platform::BorderStyle::Dialog);
    setPosition(platform::Position::ScreenCentre);
    setKeyPreview(true);
    pBaza.setAlign(Align::Client);
    lBaner.setAlign(Align::Top);
    lBaner.setColour(platform::colours::Navy);
    lBaner.setFont({"", 12, true, false, false});
    gStepPr.setColour(platform::colours::Green);
    gStepPr.setRange(0, kCommandGaugeMaximum);
    lTwait.setFont({"", 7, false, false, false});
    lTm_Out.setFont({"", 7, false, false, false});
    lExit.setAlign(Align::Bottom);
    lExit.setColour(platform::colours::Maroon);

    tInit.onTick([this] { tInitTimer(); });
    tChoosePhase.onTick([this] { tChoosePhaseTimer(); });
    tPowerOffOn.onTick([this] { tPowerOffOnTimer(); });
    tContrM.onTick([this] { tContrMTimer(); });
    tStartServ.onTick([this] { tStartServTimer(); });
    tWaitNetComMod.onTick([this] { tWaitNetComModTimer(); });
    tStepTm_OUT.onTick([this] { lTm_Out.setText(std::to_string(modem_.ResponseTicks)); });
    onKeyDown = [this](int key) { FormKeyDown(key); };
    onClose = [this] { FormClose(); };
}

TfStartMod::~TfStartMod() {
    modem_.SetStartWindow(nullptr);
}

void TfStartMod::ShowStartTexts() {
    setText(std::string(CatalogText(StartTexts::StartTitle, values_.program.LanguageIndex)));
    lExit.setText(
        std::string(CatalogText(StartTexts::StartStopKeys, values_.program.LanguageIndex)));
    lBaner.setText(
        std::string(CatalogText(StartTexts::StartModemControl, values_.program.LanguageIndex)));
}

void TfStartMod::ShowProgress(int value) {
    gStepPr.setValue(std::min(value, gStepPr.maximum()));
}

void TfStartMod::tInitTimer() {
    tInit.setEnabled(false);
    modem_.SetStartWindow(this);
    modem_.ClearModemErrors();
    modem_.ServerRxBuffer.clear();
    ShowStartTexts();
    sequencer_.Restart();
    tChoosePhase.setEnabled(true);
}

void TfStartMod::tChoosePhaseTimer() {
    tChoosePhase.setEnabled(false);
    ShowProgress(0);
    power_.Restart();
    if (values_.settings.SorrelModem) {
        tPowerOffOn.setEnabled(true);
    } else {
        tContrM.setEnabled(true);
    }
}

void TfStartMod::tPowerOffOnTimer() {
    const bool beginning = power_.step() == PowerStep::Begin;
    const bool finished = power_.Tick();
    if (beginning) {
        lBaner.setText(
            std::string(CatalogText(FileTexts::ModemPowerOn, values_.program.LanguageIndex)));
        gStepPr.setRange(0, kPowerGaugeMaximum);
    }
    ShowProgress(power_.GaugeTicks());
    lTwait.setText(std::to_string(power_.GaugeTicks()));
    if (finished) {
        PowerCycleEnd();
    }
}

void TfStartMod::PowerCycleEnd() {
    tPowerOffOn.setEnabled(false);
    if (modem_.SimMissing) {
        modem_.SimMissing = false;
        desktop_.messageBox(
            platform::BoxIcon::None,
            std::string(CatalogText(FileTexts::SimError, values_.program.LanguageIndex)),
            platform::BoxButtons::Ok);
        close();
    } else if (power_.PowerOnFailed()) {
        desktop_.messageBox(
            platform::BoxIcon::None,
            std::string(CatalogText(FileTexts::ModemPowerError, values_.program.LanguageIndex)),
            platform::BoxButtons::Ok);
        close();
    } else {
        // The notices of the booting modem raised the start-up flag; it means nothing here.
        ShowStartTexts();
        gStepPr.setRange(0, kCommandGaugeMaximum);
        ShowProgress(0);
        modem_.ClearModemErrors();
        tContrM.setEnabled(true);
    }
}

void TfStartMod::tContrMTimer() {
    const bool finished = sequencer_.ModemControlStep();
    ShowProgress(sequencer_.StepIndex());
    if (finished) {
        ModemControlEnd();
    }
}

void TfStartMod::ModemControlEnd() {
    tContrM.setEnabled(false);
    if (modem_.ErrorFlagged()) {
        modem_.StopResponseTimer();
        modem_.ClearLineTable();
        modem_.ShowModemErrors();
        close();
        return;
    }
    sequencer_.Restart();
    modem_.PendingCommand = ModemCommand::None;
    lBaner.setText(
        std::string(CatalogText(StartTexts::StartServerStep, values_.program.LanguageIndex)));
    if (modem_.ModemIpState == IpState::IpProcessing) {
        // The modem is busy with a connection of its own: nothing to start.
        modem_.ClearLineTable();
        modem_.PendingCommand = ModemCommand::None;
        close();
        return;
    }
    work_.SetModemFaultText("");
    tStartServ.setEnabled(true);
}

void TfStartMod::tStartServTimer() {
    const bool finished = sequencer_.ServerStartStep();
    ShowProgress(sequencer_.StepIndex());
    if (finished) {
        ServerStartEnd();
    }
}

void TfStartMod::ServerStartEnd() {
    tStartServ.setEnabled(false);
    modem_.ClearLineTable();
    if (modem_.ErrorFlagged()) {
        modem_.ShowModemErrors();
    } else {
        modem_.PendingCommand = ModemCommand::None;
        work_.SetServerStarted(true);
    }
    close();
}

void TfStartMod::tWaitNetComModTimer() {
    sequencer_.PauseTick();
    lTwait.setText(std::to_string(sequencer_.PauseCounter()));
}

void TfStartMod::FormKeyDown(int key) {
    if (key == platform::keys::F10 || key == platform::keys::Space) {
        close();
    }
}

void TfStartMod::FormClose() {
    modem_.ClearModemErrors();
    modem_.SetStartWindow(nullptr);
}

}  // namespace kestrel
