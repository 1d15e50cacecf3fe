#include "pFlagDebug.h"

#include "kestrel/app/KestrelApp.h"
#include "shared/Helpers.h"

namespace kestrel {

using platform::ControlKind;

namespace {

constexpr std::string_view kKeyPicture =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24"><circle cx="8" cy="12" r="5" fill="none" stroke="#806020" stroke-width="2.5"/><path d="M13 12 H22 M19 12 V16" stroke="#806020" stroke-width="2.5"/></svg>)svg";
constexpr std::string_view kApplyPicture =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24"><path d="M4 13 L10 19 L20 5" fill="none" stroke="#2e8b57" stroke-width="3"/></svg>)svg";

}  // namespace

TfFlagDebug::TfFlagDebug(KestrelApp& app)
    : Form("fFlagDebug"),
      chTM_DebMod(platform::AddControl(*this, ControlKind::CheckBox, "chTM_DebMod",
                                       {16, 16, 140, 22}, "Монитор")),
      chTM_debLog(platform::AddControl(*this, ControlKind::CheckBox, "chTM_debLog",
                                       {16, 44, 140, 22}, "Файл")),
      SpeedButton2(
          platform::AddControl(*this, ControlKind::Button, "SpeedButton2", {170, 28, 32, 32})),
      pPass(platform::AddControl(*this, ControlKind::Panel, "pPass", {0, 0, 220, 90})),
      ePass(platform::AddControl(pPass, ControlKind::Edit, "ePass", {16, 30, 120, 24})),
      SpeedButton1(
          platform::AddControl(pPass, ControlKind::Button, "SpeedButton1", {146, 26, 32, 32})),
      tInit(app.loop, 50, true),
      app_(app) {
    setText("Флаги отладки");
    setBounds({0, 0, 220, 120});
    setBorderStyle(platform::BorderStyle::Dialog);
    SpeedButton1.setPicture(std::string(kKeyPicture));
    SpeedButton2.setPicture(std::string(kApplyPicture));
    tInit.onTick([this] { tInitTimer(); });
    SpeedButton1.onClick = [this] { CheckCode(); };
    SpeedButton2.onClick = [this] { SpeedButton2Click(); };
    ePass.onKeyDown = [this](int key) { ePassKeyDown(key); };
}

std::string TfFlagDebug::AccessCode(int hour, int minute) {
    return shared::PadLeft('0', std::to_string(minute), 2) +
           shared::PadLeft('0', std::to_string(hour), 2);
}

void TfFlagDebug::tInitTimer() {
    tInit.setEnabled(false);
    // Until the code is accepted the panel covers the switches.
    pPass.setAlign(platform::Align::Client);
    chTM_DebMod.setChecked(app_.values.debug.DebugMonitor);
    chTM_debLog.setChecked(app_.values.debug.DebugFile);
}

void TfFlagDebug::CheckCode() {
    const platform::DateTime now = app_.loop.wallNow();
    if (ePass.text() == AccessCode(now.hour, now.minute)) {
        pPass.setVisible(false);
    } else {
        close();
    }
}

void TfFlagDebug::ePassKeyDown(int key) {
    if (key == platform::keys::Return) {
        CheckCode();
    } else if (key == platform::keys::Escape) {
        close();
    }
}

void TfFlagDebug::SpeedButton2Click() {
    app_.values.debug.DebugMonitor = chTM_DebMod.checked();
    app_.values.debug.DebugFile = chTM_debLog.checked();
    close();
}

}  // namespace kestrel
