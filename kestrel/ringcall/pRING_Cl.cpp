#include "pRING_Cl.h"

#include "ClientCall.h"
#include "Modem.h"

namespace kestrel {

using platform::Align;
using platform::ControlKind;

namespace {
constexpr int kProgressStep = 10;
constexpr int kProgressFull = 100;
}  // namespace

TfRING_Cl::TfRING_Cl(ClientCall& call)
    : Form("fRING_Cl"),
      lBaner(platform::AddControl(*this, ControlKind::Label, "lBaner", {0, 0, 0, 40})),
      ProgBar_PHONE(
          platform::AddControl(*this, ControlKind::Gauge, "ProgBar_PHONE", {0, 0, 0, 20})),
      lWait(platform::AddControl(*this, ControlKind::Label, "lWait", {0, 0, 0, 28})),
      lExit(platform::AddControl(*this, ControlKind::Label, "lExit", {0, 0, 0, 22})),
      tInit(call.links.host.loop, 50, true),
      tStep_Phone(call.links.host.loop, 250, false),
      tWait(call.links.host.loop, 1000, false),
      call_(call) {
    setBounds({0, 0, 480, 130});
    setBorderStyle(platform::BorderStyle::Dialog);
    setPosition(platform::Position::ScreenCentre);
    setKeyPreview(true);
    lBaner.setAlign(Align::Top);
    ProgBar_PHONE.setAlign(Align::Top);
    ProgBar_PHONE.setRange(0, kProgressFull);
    lWait.setAlign(Align::Top);
    lWait.setFont({"", 12, true, false, false});
    lWait.setColour(platform::colours::Green);
    lExit.setAlign(Align::Bottom);

    tInit.onTick([this] { tInitTimer(); });
    tStep_Phone.onTick([this] { tStep_PhoneTimer(); });
    tWait.onTick([this] { tWaitTimer(); });
    onKeyDown = [this](int key) { FormKeyDown(key); };
    onCloseQuery = [this] { return closing_; };
}

void TfRING_Cl::CloseWindow() {
    closing_ = true;
    close();
}

void TfRING_Cl::tInitTimer() {
    CallSequence& sequence = call_.sequence;
    // The hang-up of the call before still has the modem; this call starts once it has ended.
    if (sequence.HangUpRunning()) {
        return;
    }
    tInit.setEnabled(false);
    const ClientCallLinks& links = call_.links;
    setText(CallText(links, CallTexts::CallTitle));
    lExit.setText(CallText(links, CallTexts::CallStopKeys));
    sequence.PhoneStep = std::uint8_t(CallSteps::SendEchoOff);
    sequence.CallTimeout = false;
    call_.dRING.PortLost = false;
    sequence.NoModemAnswer = false;
    sequence.NoDialTone = false;
    sequence.ModemError = false;
    sequence.NoCarrier = false;
    sequence.NoNumber = false;
    const TModC* modem = call_.windows.fModC;
    lBaner.setText(CallText(links, CallTexts::CallRequest) + " / SIM N - " +
                   (modem != nullptr ? modem->NumberText() : std::string()));
    if (!call_.dRING.RingOpen()) {
        ErrorBox(CallText(links, CallTexts::RingPortError));
        CloseWindow();
        CloseModemWindow();
        return;
    }
    sequence.CallStarted = true;
    tStep_Phone.setEnabled(true);
    tWait.setEnabled(true);
}

void TfRING_Cl::tStep_PhoneTimer() {
    if (call_.sequence.CallStep()) {
        EndCall();
    }
}

void TfRING_Cl::EndCall() {
    CallSequence& sequence = call_.sequence;
    const ClientCallLinks& links = call_.links;
    if (links.values.call.BusySeen) {
        links.work.ShowCallBusy();
    }
    tStep_Phone.setEnabled(false);
    sequence.PhoneStep = 0;
    if (sequence.NoModemAnswer) {
        ErrorBox(CallText(links, CallTexts::NoRingModem));
    }
    if (sequence.ModemError) {
        ErrorBox(CallText(links, CallTexts::PowerCycleModem));
    }
    if (sequence.NoNumber) {
        ErrorBox(CallText(links, WorkTexts::SimNumberMissing));
    }
    if (!sequence.NoModemAnswer && !sequence.ModemError && !sequence.NoNumber) {
        if (sequence.CallTimeout || sequence.NoDialTone || sequence.NoCarrier) {
            ErrorBox(CallText(links, CallTexts::TryLater));
        } else {
            sequence.StartHangUp();
        }
    }
    CloseWindow();
    if (!sequence.HangUpRunning()) {
        CloseModemWindow();
    }
}

void TfRING_Cl::tWaitTimer() {
    CallSequence& sequence = call_.sequence;
    ++sequence.CallSeconds;
    lWait.setText(std::to_string(sequence.CallSeconds));
    const int next = ProgBar_PHONE.value() + kProgressStep;
    ProgBar_PHONE.setValue(next > kProgressFull ? 0 : next);
}

void TfRING_Cl::FormKeyDown(int key) {
    if (key != platform::keys::F10 && key != platform::keys::Space) {
        return;
    }
    tStep_Phone.setEnabled(false);
    call_.sequence.StartHangUp();
    CloseWindow();
}

void TfRING_Cl::CloseModemWindow() {
    if (TModC* modem = call_.windows.fModC) {
        modem->CloseWindow();
    }
}

void TfRING_Cl::ErrorBox(const std::string& text) {
    call_.links.host.desktop.messageBox(platform::BoxIcon::Error, text, platform::BoxButtons::Ok);
}

}  // namespace kestrel
