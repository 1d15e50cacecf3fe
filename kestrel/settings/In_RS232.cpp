#include "In_RS232.h"

#include "RefreshPicture.h"
#include "SettingsFile.h"
#include "kestrel/app/KestrelApp.h"
#include "kestrel/app/Language.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/ports/PortCatalogue.h"

namespace kestrel {

using platform::Control;
using platform::ControlKind;
using platform::Rect;

namespace {

const std::vector<std::string> kFastSpeeds = {"300",    "1200",   "2400",   "4800",
                                              "9600",   "19200",  "38400",  "57600",
                                              "115200", "230000", "460000", "921000"};
const std::vector<std::string> kRingSpeeds = {"300",  "1200",  "2400",  "4800",
                                              "9600", "19200", "38400", "115200"};

std::vector<std::string> DesignPortNames() {
    std::vector<std::string> names;
    for (int n = 1; n <= 20; ++n) {
        names.push_back("COM" + std::to_string(n));
    }
    return names;
}

Control& Make(Control& parent, ControlKind kind, const char* name, Rect bounds,
              const std::string& text = {}, bool visible = true) {
    Control& c = platform::AddControl(parent, kind, name, bounds, text);
    c.setVisible(visible);
    return c;
}

Control& List(Control& parent, const char* name, Rect bounds, const std::vector<std::string>& items,
              const std::string& text = {}) {
    Control& c = Make(parent, ControlKind::ComboBox, name, bounds, text);
    c.setItems(items);
    return c;
}

Control& Number(Control& parent, const char* name, Rect bounds, int minimum, int maximum, int value,
                bool visible) {
    Control& c = Make(parent, ControlKind::SpinEdit, name, bounds, std::to_string(value), visible);
    c.setRange(minimum, maximum);
    return c;
}

Control& RefreshButton(Control& parent, const char* name, Rect bounds) {
    Control& c = Make(parent, ControlKind::Button, name, bounds);
    c.setPicture(std::string(kRefreshPicture));
    return c;
}

Control& Check(Control& parent, const char* name, Rect bounds, const std::string& text,
               bool visible, bool checked = false) {
    Control& c = Make(parent, ControlKind::CheckBox, name, bounds, text, visible);
    c.setChecked(checked);
    return c;
}

}  // namespace

TInRS232::TInRS232(KestrelApp& app)
    : Form("InRS232"),
      lBaner(Make(*this, ControlKind::Label, "lBaner", {0, 0, 0, 28}, "УСТАНОВКИ ПО")),
      pPorts(Make(*this, ControlKind::Panel, "pPorts", {0, 0, 336, 0})),
      lLengPO(Make(pPorts, ControlKind::Label, "lLengPO", {10, 8, 120, 22}, "язык ПО")),
      CB_LANGUAGE(List(pPorts, "CB_LANGUAGE", {140, 8, 80, 24}, {"UA", "RU", "EN"})),
      lRS_Serv(Make(pPorts, ControlKind::Label, "lRS_Serv", {10, 40, 316, 18},
                    "Номер порта - \"SERVER\"")),
      chRS_SERV_Off(
          Check(pPorts, "chRS_SERV_Off", {10, 40, 200, 18}, "Выключение порта-\"SERVER\"", false)),
      chXCom_Bcom_SERVER(Check(pPorts, "chXCom_Bcom_SERVER", {10, 40, 20, 18}, "", false)),
      spBut_SERV(RefreshButton(pPorts, "spBut_SERV", {10, 62, 26, 26})),
      cbRS232_SERV(List(pPorts, "cbRS232_SERV", {40, 62, 100, 26}, DesignPortNames())),
      lSpeedServ(Make(pPorts, ControlKind::Label, "lSpeedServ", {156, 58, 170, 34},
                      "Скорость обмена\r\nпо RS-232 (SERVER)")),
      cbSpeedServ(List(pPorts, "cbSpeedServ", {156, 94, 100, 26}, kFastSpeeds, "115200")),
      chSORREL(Check(pPorts, "chSORREL", {10, 94, 130, 20}, "Модем SORREL", false, true)),
      lRS_winPO(Make(pPorts, ControlKind::Label, "lRS_winPO", {10, 128, 316, 18},
                     "Номер норта - \"WIN\"")),
      chRS_WIN_Off(
          Check(pPorts, "chRS_WIN_Off", {10, 128, 200, 18}, "Выключение порта-\"WIN\"", false)),
      chXCom_Bcom_WIN(Check(pPorts, "chXCom_Bcom_WIN", {10, 128, 20, 18}, "", false)),
      spBut_WIN(RefreshButton(pPorts, "spBut_WIN", {10, 150, 26, 26})),
      cbRS232_WIN(List(pPorts, "cbRS232_WIN", {40, 150, 100, 26}, DesignPortNames())),
      Label1(Make(pPorts, ControlKind::Label, "Label1", {156, 146, 170, 34},
                  "Скорость обмена\r\nпо RS-232 (WIN)")),
      cbSpeedWIN(List(pPorts, "cbSpeedWIN", {156, 182, 100, 26}, kFastSpeeds, "115200")),
      lRS_Phone(Make(pPorts, ControlKind::Label, "lRS_Phone", {10, 216, 316, 18},
                     "Номер порта для вызова клиента -\"RING\"")),
      chAuto_Phone(Check(pPorts, "chAuto_Phone", {10, 300, 140, 20}, "Автодозвон", true)),
      chRS_RING_Off(
          Check(pPorts, "chRS_RING_Off", {10, 216, 200, 18}, "Выключение порта-\"RING\"", false)),
      spBut_modRing(RefreshButton(pPorts, "spBut_modRing", {10, 238, 26, 26})),
      cbRS232_modRing(List(pPorts, "cbRS232_modRing", {40, 238, 100, 26}, DesignPortNames())),
      lSpeed_modRing(Make(pPorts, ControlKind::Label, "lSpeed_modRing", {156, 234, 170, 34},
                          "Скорость обмена\r\nпо RS-232 (RING)")),
      cbSpeedModRing(List(pPorts, "cbSpeedModRing", {156, 270, 100, 26}, kRingSpeeds, "115200")),
      pParServ(Make(*this, ControlKind::Panel, "pParServ", {0, 0, 0, 0})),
      lServ(Make(pParServ, ControlKind::Label, "lServ", {10, 8, 300, 24}, "СЕРВЕР")),
      cbAutoStartServ(
          Check(pParServ, "cbAutoStartServ", {10, 40, 300, 20}, "Автозапуск сервера", true)),
      lAPN_Serv(Make(pParServ, ControlKind::LabeledEdit, "lAPN_Serv", {10, 92, 300, 24})),
      lPortS(Make(pParServ, ControlKind::LabeledEdit, "lPortS", {10, 144, 120, 24})),
      lWaitPowerOn(Make(pParServ, ControlKind::Label, "lWaitPowerOn", {10, 180, 200, 34},
                        "Задержка после вкл.\r\nпитания модема (сек.)")),
      seWaitPowerOn(Number(pParServ, "seWaitPowerOn", {220, 184, 70, 26}, 1, 20, 20, true)),
      lTmOut_Conn(Make(pParServ, ControlKind::Label, "lTmOut_Conn", {10, 224, 200, 34},
                       "Таим-аут соединения \r\nклиента с сервером (сек)", false)),
      seTmOut_Conn(Number(pParServ, "seTmOut_Conn", {220, 228, 70, 26}, 0, 65535, 30, false)),
      lTmOut_Online(Make(pParServ, ControlKind::Label, "lTmOut_Online", {10, 262, 200, 34},
                         "Таим-аут соединения \r\nв режиме online (сек)", false)),
      seTmOut_Online(Number(pParServ, "seTmOut_Online", {220, 266, 70, 26}, 0, 65535, 100, false)),
      lTOutTicket(Make(pParServ, ControlKind::Label, "lTOutTicket", {10, 300, 200, 34},
                       "Таим-аут запись в БД  \r\nотправка квитанции (сек)", false)),
      seTOutTicket(Number(pParServ, "seTOutTicket", {220, 304, 70, 26}, 0, 65535, 20, false)),
      mmBaza(add(ControlKind::MainMenu, "mmBaza")),
      mSave(platform::AddMenuItem(mmBaza, "mSave", "СОХРАНИТЬ")),
      mNullMod(platform::AddMenuItem(mmBaza, "mNullMod", "НУЛЬ-МОДЕМНЫЙ КАБЕЛЬ")),
      mExit(platform::AddMenuItem(mmBaza, "mExit", "ВЫХОД")),
      XComm_Serv(app.ports.create()),
      XComm_WIN(app.ports.create()),
      app_(app) {
    setText("УСТАНОВКИ  ПО");
    setBounds({0, 0, 676, 408});
    setBorderStyle(platform::BorderStyle::Dialog);
    setPosition(platform::Position::ScreenCentre);
    lBaner.setAlign(platform::Align::Top);
    lBaner.setFont({"", 12, true, false, false});
    lBaner.setColour(platform::colours::Navy);
    pPorts.setAlign(platform::Align::Left);
    pParServ.setAlign(platform::Align::Client);
    lServ.setFont({"", 12, true, false, false});
    lAPN_Serv.setLabel("APN");
    lPortS.setLabel("Порт");
    XComm_Serv->setName("COM1");
    XComm_WIN->setName("COM2");
    XComm_WIN->setSpeed(9600);

    mSave.onClick = [this] { mSaveClick(); };
    mNullMod.onClick = [this] { app_.fKestrel->RunCableTester(); };
    mExit.onClick = [this] { close(); };
    onKeyDown = [this](int key) { FormKeyDown(key); };
    onClose = [this] { FormClose(); };
    spBut_SERV.onClick = [this] { FillPortList(app_.ports, cbRS232_SERV); };
    spBut_WIN.onClick = [this] { FillPortList(app_.ports, cbRS232_WIN); };
    spBut_modRing.onClick = [this] { FillPortList(app_.ports, cbRS232_modRing); };
}

void TInRS232::SetSettingsCaptions() {
    const auto text = [this](SettingsTexts key) { return std::string(app_.text(key)); };
    lLengPO.setText(text(SettingsTexts::SetLanguage));
    lRS_Serv.setText(text(SettingsTexts::SetPortNumber) + " - \"SERVER\"");
    lRS_Phone.setText(text(SettingsTexts::SetRingPortNumber) + " - \"RING\"");
    chRS_SERV_Off.setText(text(SettingsTexts::SetPortOff) + " - \"SERVER\"");
    chRS_RING_Off.setText(text(SettingsTexts::SetPortOff) + " - \"RING\"");
    lSpeed_modRing.setText(text(SettingsTexts::SetRingSpeed));
    lSpeedServ.setText(text(SettingsTexts::SetServerSpeed));
    lTmOut_Conn.setText(text(SettingsTexts::SetConnectTimeout));
    lTOutTicket.setText(text(SettingsTexts::SetTicketTimeout));
    lServ.setText(text(SettingsTexts::SetServerPanel));
    mSave.setText(text(SettingsTexts::SetSave));
    mExit.setText(text(SettingsTexts::SetExit));
    lBaner.setText(text(SettingsTexts::SetTitle));
    cbAutoStartServ.setText(text(SettingsTexts::SetAutoStart));
    mNullMod.setText(text(SettingsTexts::SetNullModem));
}

PortSettings TInRS232::ServerPortSettings() const {
    return {cbRS232_SERV.text(), SpeedFromText(cbSpeedServ.text()),
            app_.values.settings.ServerPortOff};
}

PortSettings TInRS232::WinPortSettings() const {
    return {cbRS232_WIN.text(), SpeedFromText(cbSpeedWIN.text()), app_.values.settings.WinPortOff};
}

RingPortSetting TInRS232::RingPortSettings() const {
    return {cbRS232_modRing.text(), cbSpeedModRing.text()};
}

void TInRS232::mSaveClick() {
    if (WriteSettingsFile(*this, app_.values, app_.desktop)) {
        close();
    }
}

void TInRS232::FormKeyDown(int key) {
    if (key == platform::keys::Escape || key == platform::keys::Return) {
        close();
    }
}

void TInRS232::FormClose() {
    // A language file that cannot be written is reported; the window still closes, and the
    // language then stays as it was, so the operator is never kept in this window.
    WriteLanguageFile(app_.values, app_.desktop, CB_LANGUAGE.text());
    ReadLanguageFile(app_.values, app_.desktop);
    ReadSettingsFile(*this, app_.values);
    if (app_.values.program.LanguageIndex != app_.values.program.LanguageBeforeSettings) {
        app_.fKestrel->close();
    }
}

}  // namespace kestrel
