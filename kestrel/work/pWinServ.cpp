#include "pWinServ.h"

#include "ToolbarPictures.h"
#include "kestrel/app/KestrelApp.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/modem/pComModem.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/ports/ServerPort.h"
#include "kestrel/ringcall/ClientCall.h"
#include "kestrel/winlink/Relay.h"
#include "kestrel/winlink/WinPort.h"
#include "shared/Helpers.h"

namespace kestrel {

using platform::Align;
using platform::Control;
using platform::ControlKind;
using platform::Rect;
namespace colours = platform::colours;

namespace {

constexpr const char* kNoDeviceText = "--\"\"--";
constexpr const char* kClearedText = "-\"\"-";
constexpr platform::Colour kGrey{192, 192, 192};

Control& ToolButton(Control& bar, const char* name, std::string_view picture) {
    Control& c = bar.add(ControlKind::ToolButton, name);
    c.setPicture(std::string(picture));
    return c;
}

Control& Indicator(Control& parent, const char* name, int top) {
    Control& c = platform::AddControl(parent, ControlKind::Label, name, {170, top, 50, 20}, "NO");
    c.setFont({"", 10, true, false, false});
    c.setColour(colours::Red);
    return c;
}

Control& DeviceField(Control& parent, const char* name, int top) {
    Control& c = platform::AddControl(parent, ControlKind::LabeledEdit, name, {240, top, 180, 22},
                                      kNoDeviceText);
    c.setEditable(false);
    c.setBackground(kGrey);
    return c;
}

Control& ModemField(Control& parent, const char* name, Rect bounds, const char* caption) {
    Control& c = platform::AddControl(parent, ControlKind::LabeledEdit, name, bounds);
    c.setLabel(caption);
    c.setEditable(false);
    return c;
}

void ShowIndicator(Control& indicator, bool on) {
    indicator.setText(on ? "YES" : "NO");
    indicator.setColour(on ? colours::Green : colours::Red);
}

}  // namespace

TfWinServ::TfWinServ(KestrelApp& app)
    : Form("fWinServ"),
      TB_WinServ(platform::AddControl(*this, ControlKind::ToolBar, "TB_WinServ", {0, 0, 0, 42})),
      TB_Retry(ToolButton(TB_WinServ, "TB_Retry", pictures::Retry)),
      TB_ContrSost(ToolButton(TB_WinServ, "TB_ContrSost", pictures::Control)),
      TB_Phone(ToolButton(TB_WinServ, "TB_Phone", pictures::Phone)),
      TB_EditPhone(ToolButton(TB_WinServ, "TB_EditPhone", pictures::EditPhone)),
      TB_Help(ToolButton(TB_WinServ, "TB_Help", pictures::Help)),
      TB_Exit(ToolButton(TB_WinServ, "TB_Exit", pictures::Exit)),
      pLogDeb(platform::AddControl(*this, ControlKind::Panel, "pLogDeb", {0, 0, 0, 150})),
      Split_Baza(platform::AddControl(*this, ControlKind::Splitter, "Split_Baza", {0, 0, 0, 4})),
      reLogDeb_Serv(
          platform::AddControl(pLogDeb, ControlKind::RichLog, "reLogDeb_Serv", {0, 0, 320, 0})),
      Split_Log(platform::AddControl(pLogDeb, ControlKind::Splitter, "Split_Log", {0, 0, 4, 0})),
      reLogDeb_WinPh(
          platform::AddControl(pLogDeb, ControlKind::RichLog, "reLogDeb_WinPh", {0, 0, 0, 0})),
      pWrk(platform::AddControl(*this, ControlKind::Panel, "pWrk", {})),
      lErr_Power(platform::AddControl(pWrk, ControlKind::Label, "lErr_Power", {8, 4, 630, 18})),
      lSostServ(platform::AddControl(pWrk, ControlKind::Label, "lSostServ", {8, 24, 630, 18})),
      lStartServ(platform::AddControl(pWrk, ControlKind::Label, "lStartServ", {8, 50, 160, 20},
                                      "Старт сервер")),
      sStartServ(Indicator(pWrk, "sStartServ", 50)),
      lConn_SERV(platform::AddControl(pWrk, ControlKind::Label, "lConn_SERV", {8, 76, 160, 20},
                                      "ОК соединение")),
      sConn_SERV(Indicator(pWrk, "sConn_SERV", 76)),
      lConn_CSD_GPRS(platform::AddControl(pWrk, ControlKind::Label, "lConn_CSD_GPRS",
                                          {8, 102, 160, 20}, "ID ОК")),
      sConn_CSD_GPRS(Indicator(pWrk, "sConn_CSD_GPRS", 102)),
      lConnWin(platform::AddControl(pWrk, ControlKind::Label, "lConnWin", {8, 128, 160, 34},
                                    "ПО WIN\rсоединение")),
      sConnWin(Indicator(pWrk, "sConnWin", 134)),
      leManuf(DeviceField(pWrk, "leManuf", 66)),
      leTypeCorr(DeviceField(pWrk, "leTypeCorr", 106)),
      leSerNumCl(DeviceField(pWrk, "leSerNumCl", 146)),
      leNumPh(DeviceField(pWrk, "leNumPh", 186)),
      leTm_out(DeviceField(pWrk, "leTm_out", 226)),
      rxAuto_Phone(platform::AddControl(pWrk, ControlKind::Switch, "rxAuto_Phone",
                                        {440, 50, 190, 24}, "Автодозвон")),
      pTimeOK(platform::AddControl(pWrk, ControlKind::Panel, "pTimeOK", {440, 84, 190, 50})),
      lTM_OK(platform::AddControl(pTimeOK, ControlKind::Label, "lTM_OK", {6, 4, 180, 18},
                                  "До отключ. ОК (сек)")),
      sStepStopOK(platform::AddControl(pTimeOK, ControlKind::Label, "sStepStopOK", {70, 24, 60, 20},
                                       "000")),
      lPhoneRing(platform::AddControl(pWrk, ControlKind::Label, "lPhoneRing", {440, 144, 190, 18},
                                      "Вызываемый номер ОК")),
      stPhoneRing(platform::AddControl(pWrk, ControlKind::Label, "stPhoneRing", {440, 164, 190, 22},
                                       kClearedText)),
      lCSQ(ModemField(pWrk, "lCSQ", {8, 186, 70, 22}, "CSQ")),
      lIP_Sim(ModemField(pWrk, "lIP_Sim", {86, 186, 140, 22}, "IP Sim")),
      lPortS(ModemField(pWrk, "lPortS", {8, 226, 70, 22}, "Port")),
      lAPN_Serv(ModemField(pWrk, "lAPN_Serv", {86, 226, 140, 22}, "APN")),
      reLogDeb_Phone(
          platform::AddControl(pWrk, ControlKind::RichLog, "reLogDeb_Phone", {8, 258, 630, 0})),
      tInit(app.loop, 100, true),
      tContrWinSost(app.loop, 500, true),
      tStopOK(app.loop, 1000, false),
      tStartPhone(app.loop, 250, false),
      tStopPO(app.loop, 100, false),
      app_(app) {
    setBounds({0, 0, 650, 480});
    setPosition(platform::Position::Designed);
    TB_WinServ.setAlign(Align::Top);
    pLogDeb.setAlign(Align::Bottom);
    Split_Baza.setAlign(Align::Bottom);
    reLogDeb_Serv.setAlign(Align::Left);
    Split_Log.setAlign(Align::Left);
    reLogDeb_WinPh.setAlign(Align::Client);
    pWrk.setAlign(Align::Client);
    reLogDeb_Phone.setAlign(Align::Bottom);
    reLogDeb_Phone.setBounds({0, 0, 0, 120});
    lErr_Power.setColour(colours::Red);
    lErr_Power.setFont({"", 9, true, false, false});
    lErr_Power.setVisible(false);
    lSostServ.setColour(colours::Maroon);
    lSostServ.setFont({"", 9, true, false, false});
    sStepStopOK.setColour(colours::Green);
    sStepStopOK.setFont({"", 12, true, false, false});
    pTimeOK.setVisible(false);
    TB_ContrSost.setEnabled(false);
    TB_Phone.setEnabled(false);

    tInit.onTick([this] { tInitTimer(); });
    tContrWinSost.onTick([this] { ShowServerState(); });
    tStopOK.onTick([this] { tStopOKTimer(); });
    tStartPhone.onTick([this] { tStartPhoneTimer(); });
    tStopPO.onTick([this] { tStopPOTimer(); });
    TB_Retry.onClick = [this] { StartRestartServer(); };
    TB_ContrSost.onClick = [this] { TB_ContrSostClick(); };
    TB_Phone.onClick = [this] { TB_PhoneClick(); };
    TB_EditPhone.onClick = [this] { app_.clientCall->ShowPhoneEditor(); };
    TB_Help.onClick = [this] {
        app_.fKestrel->ShowDocument(app_.values.program.ProgramFolder / "Doc" / "Kestrel.pdf");
    };
    TB_Exit.onClick = [this] { TB_ExitClick(); };
    rxAuto_Phone.onChange = [this] { rxAuto_PhoneChange(); };
    // The run ends only through the exit button.
    onCloseQuery = [] { return false; };
}

void TfWinServ::tInitTimer() {
    tInit.setEnabled(false);
    ProgramValues& values = app_.values;
    values.links.StatusControlActive = false;
    setBounds({0, 0, 650, 480});
    // Without the monitor the work area fills the window.
    pLogDeb.setVisible(values.debug.DebugMonitor);
    Split_Baza.setVisible(values.debug.DebugMonitor);
    rxAuto_Phone.setChecked(values.settings.AutoDial);
    if (values.settings.AutoDial) {
        lPhoneRing.setVisible(true);
        stPhoneRing.setVisible(true);
    }
    ShowAutoDial(values.settings.AutoDial);
    ApplyWorkWindowTexts();
    SetServerStarted(false);
    SetPollingLinkUp(false);
    SetClientConnected(false);
    SetClientIdentified(false);
    lPortS.setText(values.settings.GprsPort);
    lAPN_Serv.setText(values.settings.GprsApn);
    if (values.settings.AutoStartServer) {
        StartRestartServer();
    }
}

void TfWinServ::ApplyWorkWindowTexts() {
    const auto text = [this](WorkTexts key) { return std::string(app_.text(key)); };
    lStartServ.setText(text(WorkTexts::StartServer));
    lConn_SERV.setText(text(WorkTexts::DeviceConnection));
    lConn_CSD_GPRS.setText(text(WorkTexts::DeviceId));
    lConnWin.setText(text(WorkTexts::PollingConnection));
    leManuf.setLabel(text(WorkTexts::Manufacturer));
    leTypeCorr.setLabel(text(WorkTexts::DeviceType));
    leSerNumCl.setLabel(text(WorkTexts::SerialNumber));
    leNumPh.setLabel(text(WorkTexts::PhoneNumber));
    leTm_out.setLabel(text(WorkTexts::RequestTimeout));
    TB_Exit.setHint(text(WorkTexts::ExitProgram));
    TB_Retry.setHint(text(WorkTexts::StartRestart));
    TB_ContrSost.setHint(text(WorkTexts::ServerControl));
    TB_Phone.setHint(text(WorkTexts::CallDevice));
    TB_EditPhone.setHint(text(WorkTexts::CallNumberEditor));
    TB_Help.setHint(std::string(app_.text(MenuTexts::MenuManual)));
    lTM_OK.setText(text(WorkTexts::DeviceOffCountdown));
    lPhoneRing.setText(text(WorkTexts::CalledNumber));
}

void TfWinServ::SetServerStarted(bool on) {
    app_.values.links.ServerStarted_ = on;
    ShowIndicator(sStartServ, on);
    TB_ContrSost.setEnabled(on);
    TB_Phone.setEnabled(on);
}

void TfWinServ::SetClientConnected(bool on) {
    app_.values.links.ClientConnected_ = on;
    ShowIndicator(sConn_SERV, on);
}

void TfWinServ::SetClientIdentified(bool on) {
    app_.values.links.ClientIdentified_ = on;
    ShowIndicator(sConn_CSD_GPRS, on);
}

void TfWinServ::SetPollingLinkUp(bool on) {
    app_.values.links.PollingLinkUp_ = on;
    ShowIndicator(sConnWin, on);
}

void TfWinServ::ShowDialledNumber(const std::string& digits) {
    stPhoneRing.setText(digits);
    stPhoneRing.setColour(colours::Black);
}

void TfWinServ::ShowCallBusy() {
    stPhoneRing.setColour(colours::Green);
}

std::string TfWinServ::DialledNumber() const {
    return stPhoneRing.text();
}

void TfWinServ::StartAutoDial() {
    tStartPhone.setEnabled(true);
}

void TfWinServ::ShowModemFault(const std::string& line) {
    lErr_Power.setText(line);
    lErr_Power.setVisible(true);
}

void TfWinServ::HideModemFault() {
    lErr_Power.setVisible(false);
    lErr_Power.setText("");
}

void TfWinServ::ShowModemFaultLine() {
    lErr_Power.setVisible(true);
}

void TfWinServ::SetModemFaultText(const std::string& text) {
    lErr_Power.setText(text);
}

void TfWinServ::ShowSignalQuality(std::uint8_t quality) {
    lCSQ.setText(std::to_string(quality));
}

void TfWinServ::ShowSimAddress(const std::string& address) {
    lIP_Sim.setText(address);
}

void TfWinServ::ShowDevice(const DeviceFields& device) {
    leManuf.setText(device.manufacturer);
    if (device.type) {
        leTypeCorr.setText(*device.type);
    }
    leSerNumCl.setText(device.serialNumber);
    leNumPh.setText(device.phoneNumber);
    leTm_out.setText(device.requestTimeout);
}

void TfWinServ::ClearDeviceFields() {
    for (Control* field : {&leManuf, &leTypeCorr, &leSerNumCl, &leNumPh, &leTm_out}) {
        field->setText(kClearedText);
    }
}

Control* TfWinServ::LogPane(LogPaneId pane) {
    switch (pane) {
        case LogPaneId::Server:
            return &reLogDeb_Serv;
        case LogPaneId::Win:
            return &reLogDeb_WinPh;
        case LogPaneId::Ring:
            return &reLogDeb_Phone;
    }
    return nullptr;
}

void TfWinServ::LogRing(LogKind kind, const std::string& text) {
    app_.logs->LogRing(kind, text, true);
}

void TfWinServ::ClearRingLog() {
    reLogDeb_Phone.clearLines();
}

void TfWinServ::StartRestartServer() {
    ProgramValues& values = app_.values;
    SetServerStarted(false);
    SetPollingLinkUp(false);
    SetClientConnected(false);
    SetClientIdentified(false);
    if (values.settings.ServerPortOff) {
        app_.desktop.messageBox(platform::BoxIcon::Error,
                                std::string(app_.text(WorkTexts::StartServer)),
                                platform::BoxButtons::Ok);
        return;
    }
    app_.relay->ClearWriteFailures();
    if (!app_.fKestrel->CheckGprsParameters()) {
        return;
    }
    app_.comModem->ClearModemErrors();
    app_.fKestrel->ShowServerStart();
}

void TfWinServ::ShowServerState() {
    const ProgramValues& values = app_.values;
    if (values.links.StatusControlActive) {
        lSostServ.setText(std::string(app_.text(ServerStateTexts::StatusMonitoring)));
    } else {
        const bool s = values.links.ServerStarted();
        const bool c = values.links.ClientConnected();
        const bool p = values.links.PollingLinkUp();
        const auto running = [this](ServerStateTexts key) {
            lSostServ.setText(std::string(app_.text(key)));
            HideModemFault();
            app_.comModem->ErrStartupNotice = false;
        };
        if (s && c && p) {
            running(ServerStateTexts::ServerDeviceAndPolling);
        } else if (s && c && !p) {
            running(ServerStateTexts::ServerDeviceOnly);
        } else if (s && !c && !p) {
            running(ServerStateTexts::ServerWaiting);
        } else if (!s && !c && !p) {
            lSostServ.setText(std::string(app_.text(ServerStateTexts::ServerOff)));
        }
    }
    if (values.links.ClientConnected() && !tStopOK.enabled()) {
        pTimeOK.setVisible(true);
        app_.values.links.IdleSeconds = 0;
        tStopOK.setEnabled(true);
    }
    if (!values.links.ClientConnected()) {
        pTimeOK.setVisible(false);
    }
}

void TfWinServ::tStopOKTimer() {
    LinkValues& links = app_.values.links;
    links.IdleSeconds = std::uint8_t(links.IdleSeconds + 1);
    if (links.IdleSeconds > links.ClientTimeout) {
        links.IdleSeconds = 0;
        tStopOK.setEnabled(false);
        pTimeOK.setVisible(false);
        return;
    }
    sStepStopOK.setText(
        shared::PadLeft('0', std::to_string(links.ClientTimeout - links.IdleSeconds), 3));
}

void TfWinServ::tStartPhoneTimer() {
    tStartPhone.setEnabled(false);
    app_.clientCall->ShowModemWindow();
}

void TfWinServ::TB_ContrSostClick() {
    if (!app_.serverPort->CheckServerPort()) {
        return;
    }
    app_.winPort->WinPortPresent();
}

void TfWinServ::TB_PhoneClick() {
    stPhoneRing.setColour(colours::Black);
    app_.clientCall->ShowModemWindow();
}

void TfWinServ::rxAuto_PhoneChange() {
    app_.values.settings.AutoDial = rxAuto_Phone.checked();
    ShowAutoDial(app_.values.settings.AutoDial);
}

void TfWinServ::ShowAutoDial(bool on) {
    TB_Phone.setVisible(!on);
    TB_EditPhone.setVisible(!on);
}

void TfWinServ::TB_ExitClick() {
    if (app_.serverPort->IsOpen()) {
        app_.serverPort->SetServerDtr(true);
    }
    if (app_.values.debug.DebugFile) {
        app_.logs->CloseExchangeLogFile();
    }
    tStopPO.setEnabled(true);
}

void TfWinServ::tStopPOTimer() {
    tStopPO.setEnabled(false);
    app_.serverPort->CloseServerPort();
    app_.fKestrel->close();
}

}  // namespace kestrel
