#include "pRs_Wren.h"

#include <algorithm>

#include "PloverApp.h"
#include "RepWren.h"
#include "shared/ColouredLine.h"
#include "shared/Helpers.h"
#include "shared/LanguageCode.h"

namespace plover {

using platform::AddControl;
using platform::AddMenuItem;
using platform::ControlKind;

namespace {

constexpr int kMinCycles = 1;
constexpr int kMaxCycles = 1000;

platform::Control& Coloured(platform::Control& control, const platform::Colour& colour) {
    control.setColour(colour);
    return control;
}

}  // namespace

std::string SelectedPort(const platform::Control& list) {
    const int index = list.itemIndex();
    if (index < 0 || index >= int(list.items().size())) {
        return {};
    }
    const std::string& row = list.items()[std::size_t(index)];
    const auto mark = row.find('>');
    return mark == std::string::npos ? row : row.substr(mark + 1);
}

TfRS_Wren::TfRS_Wren(PloverApp& app)
    : Form("fRS_Wren"),
      mMenu(add(ControlKind::MainMenu, "mMenu")),
      mHelp(AddMenuItem(mMenu, "mHelp", "СПРАВКА")),
      mPO(AddMenuItem(mHelp, "mPO", "О ПРОГРАММЕ ...")),
      mInstr(AddMenuItem(mHelp, "mInstr", "ИНСТРУКЦИЯ ПО")),
      mExit(AddMenuItem(mMenu, "mExit", "ВЫХОД")),
      pMenu(AddControl(*this, ControlKind::Panel, "pMenu", {0, 0, 0, 64})),
      rxStart(Coloured(
          AddControl(pMenu, ControlKind::Switch, "rxStart", {8, 6, 170, 24}, "Контроль портов"),
          platform::colours::Green)),
      rxControl_Data(AddControl(pMenu, ControlKind::Switch, "rxControl_Data", {8, 34, 170, 24},
                                "Передача данных")),
      lRS_01(Coloured(AddControl(pMenu, ControlKind::Label, "lRS_01", {190, 6, 50, 24}, "RS-01"),
                      platform::colours::Blue)),
      stRS_01(AddControl(pMenu, ControlKind::Label, "stRS_01", {240, 6, 90, 24}, "-\"\"-")),
      lRS_02(Coloured(AddControl(pMenu, ControlKind::Label, "lRS_02", {190, 34, 50, 24}, "RS-02"),
                      platform::colours::Maroon)),
      stRS_02(AddControl(pMenu, ControlKind::Label, "stRS_02", {240, 34, 90, 24}, "-\"\"-")),
      lError(AddControl(pMenu, ControlKind::Label, "lError", {340, 6, 80, 52}, "Кол-во\rошибок")),
      stError(Coloured(AddControl(pMenu, ControlKind::Label, "stError", {424, 18, 60, 26}, "0"),
                       platform::colours::Red)),
      lCikl(AddControl(pMenu, ControlKind::Label, "lCikl", {494, 6, 80, 52}, "Циклов\rпроверки")),
      seCikl(AddControl(pMenu, ControlKind::SpinEdit, "seCikl", {578, 18, 80, 26}, "1")),
      CB_LANGUAGE(AddControl(pMenu, ControlKind::ComboBox, "CB_LANGUAGE", {930, 18, 60, 26})),
      rgRS_01(
          Coloured(AddControl(*this, ControlKind::RadioGroup, "rgRS_01", {0, 0, 120, 0}, "RS-01"),
                   platform::colours::Blue)),
      rgRS_02(
          Coloured(AddControl(*this, ControlKind::RadioGroup, "rgRS_02", {0, 0, 120, 0}, "RS-02"),
                   platform::colours::Maroon)),
      reWin(AddControl(*this, ControlKind::RichLog, "reWin", {0, 0, 0, 0})),
      tInit(app.loop, 50, true),
      tContr(app.loop, 300, true),
      app_(app) {
    setText("контроль нуль-модемного кабеля");
    setBounds({0, 0, 1010, 520});
    setPosition(platform::Position::ScreenCentre);
    pMenu.setAlign(platform::Align::Top);
    rgRS_01.setAlign(platform::Align::Left);
    rgRS_02.setAlign(platform::Align::Left);
    reWin.setAlign(platform::Align::Client);
    rxControl_Data.setEnabled(false);
    stError.setFont({"", 12, true, false, false});
    seCikl.setRange(kMinCycles, kMaxCycles);
    CB_LANGUAGE.setItems({std::string(shared::LanguageCodes[0]),
                          std::string(shared::LanguageCodes[1]),
                          std::string(shared::LanguageCodes[2])});
    CB_LANGUAGE.setEditable(false);

    tInit.onTick([this] { tInitTimer(); });
    tContr.onTick([this] { tContrTimer(); });
    rxStart.onChange = [this] { rxStartChange(); };
    rxControl_Data.onChange = [this] { rxControl_DataChange(); };
    CB_LANGUAGE.onChange = [this] { CB_LANGUAGEChange(); };
    mPO.onClick = [this] { app_.ShowAbout(); };
    mInstr.onClick = [this] { app_.ShowManual(); };
    mExit.onClick = [this] { close(); };
    for (platform::Control* c : {static_cast<platform::Control*>(this), &rxStart, &rxControl_Data,
                                 &seCikl, &CB_LANGUAGE, &reWin}) {
        c->onKeyDown = [this](int key) { KeyDown(key); };
    }
    // The tester window is the program: closing it closes the host, which ends the run.
    onClose = [this] { app_.fMenu->close(); };
}

void TfRS_Wren::tInitTimer() {
    tInit.setEnabled(false);
    app_.fMenu->tInit.setEnabled(false);
    app_.fMenu->setVisible(false);
    LoadLanguage();
}

void TfRS_Wren::LoadLanguage() {
    app_.ReadLanguageFile();
    SetCaptions();
    CB_LANGUAGE.setText(std::string(shared::LanguageCode(app_.language.index)));
}

void TfRS_Wren::SetCaptions() {
    const TesterLanguage& l = app_.language;
    setText(l.text(TesterText::WindowCaption));
    mHelp.setText(l.text(TesterText::HelpMenu));
    mPO.setText(l.text(TesterText::AboutMenu));
    mExit.setText(l.text(TesterText::ExitMenu));
    mInstr.setText(l.text(TesterText::ManualMenu));
    rxStart.setText(l.text(TesterText::MonitoringSwitch));
    rxControl_Data.setText(l.text(TesterText::TestSwitch));
    lError.setText(l.text(TesterText::ErrorLabel));
    lCikl.setText(l.text(TesterText::CyclesLabel));
}

void TfRS_Wren::CB_LANGUAGEChange() {
    if (app_.WriteLanguageFile(CB_LANGUAGE.text())) {
        LoadLanguage();
    }
}

void TfRS_Wren::tContrTimer() {
    const bool running = rxStart.checked() || rxControl_Data.checked();
    rgRS_01.setEnabled(!running);
    rgRS_02.setEnabled(!running);
}

void TfRS_Wren::rxStartChange() {
    if (rxStart.checked()) {
        app_.cableTest->StartMonitoring();
    } else {
        app_.cableTest->StopMonitoring();
    }
}

void TfRS_Wren::rxControl_DataChange() {
    if (rxControl_Data.checked()) {
        app_.cableTest->StartTest();
    } else {
        app_.cableTest->EndTest();
    }
}

void TfRS_Wren::KeyDown(int key) {
    if (key == platform::keys::Escape) {
        close();
    }
}

void TfRS_Wren::showPortLists(const std::vector<std::string>& names) {
    for (platform::Control* list : {&rgRS_01, &rgRS_02}) {
        list->setItems(names);
        list->setItemIndex(-1);
    }
}

std::string TfRS_Wren::selectedPort(int side) const {
    return SelectedPort(side == 1 ? rgRS_01 : rgRS_02);
}

void TfRS_Wren::showPortName(int side, const std::string& name) {
    (side == 1 ? stRS_01 : stRS_02).setText(name);
}

void TfRS_Wren::showErrorCount(std::uint16_t errors) {
    stError.setText(std::to_string(errors));
}

int TfRS_Wren::cycles() const {
    // As a spin edit reads a text that is no number: its minimum.
    const std::int64_t value = shared::TextToInt64(seCikl.text());
    return int(std::clamp<std::int64_t>(value, kMinCycles, kMaxCycles));
}

bool TfRS_Wren::monitoringOn() const {
    return rxStart.checked();
}

void TfRS_Wren::enableMonitoring(bool enabled) {
    rxStart.setEnabled(enabled);
}

void TfRS_Wren::enableTest(bool enabled) {
    rxControl_Data.setEnabled(enabled);
}

void TfRS_Wren::switchTestOff() {
    if (rxControl_Data.checked()) {
        rxControl_Data.userSetChecked(false);
    }
}

void TfRS_Wren::clearLog() {
    reWin.clearLines();
}

void TfRS_Wren::logLine(const platform::Colour& colour, const std::string& text) {
    shared::AppendColoured(reWin, text, colour);
}

}  // namespace plover
