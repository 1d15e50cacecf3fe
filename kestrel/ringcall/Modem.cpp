#include "Modem.h"

#include "ClientCall.h"
#include "PhoneDirectory.h"

namespace kestrel {

using platform::ControlKind;

namespace {
// The work window's dialled-number field before any dial.
constexpr const char* kNoNumber = "-\"\"-";
}  // namespace

TModC::TModC(ClientCall& call)
    : Form("ModC"),
      mModem(add(ControlKind::MainMenu, "mModem")),
      CONNECT1(platform::AddMenuItem(mModem, "CONNECT1", "СОЕДИНЕНИЕ")),
      N1(platform::AddMenuItem(mModem, "N1", "ВЫХОД")),
      Label1(
          platform::AddControl(*this, ControlKind::Label, "Label1", {8, 8, 200, 18}, "Телефон:")),
      ComboBox1(platform::AddControl(*this, ControlKind::ComboBox, "ComboBox1", {8, 28, 464, 24})),
      Panel2(platform::AddControl(*this, ControlKind::Panel, "Panel2", {8, 60, 464, 50})),
      Label2(platform::AddControl(Panel2, ControlKind::Label, "Label2", {4, 4, 120, 18},
                                  "Ответ модема:")),
      StaticText1(
          platform::AddControl(Panel2, ControlKind::Label, "StaticText1", {128, 4, 120, 18})),
      pConnect(platform::AddControl(Panel2, ControlKind::Panel, "pConnect", {380, 4, 80, 40},
                                    "00 сек.")),
      Label3(platform::AddControl(Panel2, ControlKind::Label, "Label3", {256, 4, 120, 18},
                                  "до соединения прошло:")),
      tInit(call.links.host.loop, 100, true),
      call_(call) {
    setText("МОДЕМ");
    setBounds({0, 0, 480, 110});
    setBorderStyle(platform::BorderStyle::Dialog);
    setPosition(platform::Position::ScreenCentre);
    ComboBox1.setFont({"Courier New", 10, false, false, false});
    Panel2.setVisible(false);

    tInit.onTick([this] { tInitTimer(); });
    CONNECT1.onClick = [this] { CONNECT1Click(); };
    N1.onClick = [this] { N1Click(); };
    // No close box: the window closes through its exit command or the call sequence.
    onCloseQuery = [this] { return closing_; };
    onClose = [this] { FormClose(); };
}

void TModC::CloseWindow() {
    closing_ = true;
    close();
}

void TModC::tInitTimer() {
    tInit.setEnabled(false);
    call_.sequence.CallStarted = false;
    CallWorkWindow& work = call_.links.work;
    work.ClearRingLog();
    if (call_.links.values.settings.AutoDial) {
        // The form's own captions stay: the call starts without the operator.
        ComboBox1.setText(work.DialledNumber());
        if (ComboBox1.text() == kNoNumber || ComboBox1.text().empty()) {
            return;
        }
        if (call_.dRING.RingPortPresent()) {
            call_.ShowClientCall();
        } else {
            work.ShowModemFault("Err Phone");
            CloseWindow();
        }
        return;
    }
    LoadPhoneDirectory();
    ApplyCaptions();
}

void TModC::ApplyCaptions() {
    const ClientCallLinks& links = call_.links;
    CONNECT1.setText(CallText(links, ModemTexts::ModemCall));
    N1.setText(CallText(links, ModemTexts::ModemExit));
    Label1.setText(CallText(links, ModemTexts::ModemPhone));
    Label2.setText(CallText(links, ModemTexts::ModemAnswer));
    Label3.setText(CallText(links, ModemTexts::ModemElapsed));
    setText(CallText(links, ModemTexts::ModemTitle));
}

void TModC::LoadPhoneDirectory() {
    const auto path = PhoneDirectoryPath(call_.links.values.program.ProgramFolder);
    const shared::TextFileRead file = shared::ReadTextFile(path);
    if (file.status == shared::TextFileRead::Status::Failed) {
        call_.links.host.desktop.reportError(file.error);
    } else if (file.status == shared::TextFileRead::Status::Missing) {
        const std::string error = EnsurePhoneDirectory(path, kDirectoryHeader);
        if (!error.empty()) {
            call_.links.host.desktop.reportError(error);
        }
    }
    ComboBox1.setItems(DialEntries(file.lines));
}

void TModC::CONNECT1Click() {
    // A hang-up still running owns the modem; it closes this window when it ends.
    if (call_.sequence.HangUpRunning()) {
        return;
    }
    if (ComboBox1.text() == kNoNumber || ComboBox1.text().empty()) {
        call_.links.host.desktop.messageBox(platform::BoxIcon::Error,
                                            CallText(call_.links, WorkTexts::SimNumberMissing),
                                            platform::BoxButtons::Ok);
        return;
    }
    if (call_.dRING.RingPortPresent()) {
        call_.ShowClientCall();
    }
}

void TModC::N1Click() {
    if (call_.sequence.CallStarted) {
        call_.sequence.StartHangUp();
    }
    CloseWindow();
}

void TModC::FormClose() {
    call_.sequence.ModemWindowClosing();
}

}  // namespace kestrel
