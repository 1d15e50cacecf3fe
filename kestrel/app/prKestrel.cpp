#include "prKestrel.h"

#include "KestrelApp.h"
#include "KestrelPicture.h"
#include "Language.h"
#include "kestrel/common/BoxText.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/modem/pStartMod.h"
#include "kestrel/ports/ServerPort.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/settings/SettingsFile.h"
#include "kestrel/winlink/WinPort.h"
#include "kestrel/work/pFlagDebug.h"
#include "kestrel/work/pWinServ.h"
#include "shared/AboutBox.h"
#include "shared/Helpers.h"
#include "shared/LanguageCode.h"
#include "shared/WaitWindow.h"

namespace kestrel {

using platform::ControlKind;

TfKestrel::TfKestrel(KestrelApp& app)
    : Form("fKestrel"),
      pBaza(add(ControlKind::Panel, "pBaza")),
      iBaza(pBaza.add(ControlKind::Image, "iBaza")),
      rxL_Baza(pBaza.add(ControlKind::Label, "rxL_Baza")),
      mKestrel(add(ControlKind::MainMenu, "mKestrel")),
      mSERVER(platform::AddMenuItem(mKestrel, "mSERVER", "SERVER")),
      mSetPar(platform::AddMenuItem(mKestrel, "mSetPar", "УСТАНОВКИ")),
      mHelp(platform::AddMenuItem(mKestrel, "mHelp", "СПРАВКА")),
      mHELP_PO(platform::AddMenuItem(mHelp, "mHELP_PO", "О ПРОГРАММЕ ...")),
      mHELP_READ(platform::AddMenuItem(mHelp, "mHELP_READ", "ИНСТРУКЦИЯ ПО")),
      mExit(platform::AddMenuItem(mKestrel, "mExit", "ВЫХОД")),
      app_(app) {
    setBounds({0, 0, 396, 326});
    setPosition(platform::Position::ScreenCentre);
    setPicture(std::string(kKestrelPicture));  // the window icon
    pBaza.setAlign(platform::Align::Client);
    iBaza.setAlign(platform::Align::Client);
    iBaza.setPicture(std::string(kKestrelPicture));
    rxL_Baza.setBounds({10, 10, 200, 40});
    rxL_Baza.setText("KESTREL");
    rxL_Baza.setColour(platform::colours::Navy);
    rxL_Baza.setFont({"", 24, true, false, false});

    mSERVER.onClick = [this] { mSERVERClick(); };
    mSetPar.onClick = [this] { mSetParClick(); };
    mHELP_PO.onClick = [this] { ShowAbout(); };
    rxL_Baza.onMouseUp = [this](platform::MouseButton button) {
        if (button == platform::MouseButton::Right) {
            ShowDebugFlags();
        }
    };
    mHELP_READ.onClick = [this] {
        ShowDocument(app_.values.program.ProgramFolder / "Doc" / "Kestrel.pdf");
    };
    mExit.onClick = [this] { close(); };
    // Closing the main window ends the program.
    onClose = [this] { app_.loop.quit(); };
}

void TfKestrel::FormCreate() {
    ProgramValues& values = app_.values;
    values.program.LanguageIndex = 1;
    values.settings.AutoStartServer = false;
    values.settings.AutoDial = false;
    values.program.ProgramFolder = app_.desktop.programFolder();
    ReadLanguageFile(values, app_.desktop);
    SetMenuCaptions();
    // Dates, times and numbers use fixed formats inside the program; the user's system settings
    // get the same formats where the system keeps such settings.
    app_.desktop.writeRegionalFormats();
    platform::InstanceLockAttempt lock = app_.desktop.lockInstance("KESTREL");
    app_.instanceLock = std::move(lock.lock);
    if (!app_.instanceLock) {
        // "Already running" only when another instance holds the lock.
        app_.desktop.messageBox(
            platform::BoxIcon::Error,
            lock.error.empty() ? std::string(app_.text(WorkTexts::AlreadyRunning)) : lock.error,
            platform::BoxButtons::Ok);
        app_.loop.quit();
    }
}

void TfKestrel::SetMenuCaptions() {
    mSERVER.setText(std::string(app_.text(MenuTexts::MenuServer)));
    mSetPar.setText(std::string(app_.text(MenuTexts::MenuSettings)));
    mHelp.setText(std::string(app_.text(MenuTexts::MenuHelp)));
    mExit.setText(std::string(app_.text(MenuTexts::MenuExit)));
    mHELP_PO.setText(std::string(app_.text(MenuTexts::MenuAbout)));
    mHELP_READ.setText(std::string(app_.text(MenuTexts::MenuManual)));
}

void TfKestrel::mSERVERClick() {
    ProgramValues& values = app_.values;
    TInRS232& settings = *app_.InRS232;
    values.program.ProgramFolder = app_.desktop.programFolder();
    if (!CheckWorkFolder()) {
        return;
    }
    const std::string unreadable = ReadSettingsFile(settings, values);
    if (!unreadable.empty()) {
        app_.desktop.messageBox(platform::BoxIcon::Error,
                                std::string(app_.text(WorkFolderTexts::SettingsUnreadable)) + "\n" +
                                    CutForBox(unreadable),
                                platform::BoxButtons::Ok);
        return;
    }
    values.settings.GprsPort = settings.GprsPort();
    values.settings.GprsApn = settings.GprsApn();
    if (!CheckGprsParameters() || !app_.serverPort->CheckServerPort() ||
        !app_.winPort->WinPortPresent()) {
        return;
    }
    // The main window does not come back: the run ends with the work window's exit.
    setVisible(false);
    // The debug flags chosen before the run stay as chosen.
    if (values.debug.DebugFile) {
        const std::string error = app_.logs->ExchangeLogFile.create(
            WorkFile(values, shared::TimeCode(app_.loop) + "FlLog.000"));
        if (!error.empty()) {
            app_.desktop.messageBox(platform::BoxIcon::Information, error,
                                    platform::BoxButtons::Ok);
        }
    }
    ShowWorkWindow();
}

void TfKestrel::ShowWorkWindow() {
    app_.showModalWindow(app_.fWinServ, app_);
}

void TfKestrel::ShowServerStart() {
    if (!app_.serverPort->OpenServerPort()) {
        return;
    }
    // The SERVER port reports its own failure; without the polling software's port the run
    // cannot go on either, so that one is reported the same way.
    if (!app_.winPort->WinOpen()) {
        app_.winPort->ReportWinPortFailure();
        return;
    }
    app_.showModalWindow(app_.fStartMod, app_.loop, app_.desktop, app_.values, *app_.comModem,
                         *app_.workWindow, *app_.serverPort);
}

void TfKestrel::mSetParClick() {
    ProgramValues& values = app_.values;
    TInRS232& settings = *app_.InRS232;
    values.program.LanguageBeforeSettings = values.program.LanguageIndex;
    ReadLanguageFile(values, app_.desktop);
    settings.CB_LANGUAGE.setText(std::string(shared::LanguageCode(values.program.LanguageIndex)));
    ReadSettingsFile(settings, values);
    settings.SetSettingsCaptions();
    app_.desktop.showModal(settings);
}

bool TfKestrel::CheckWorkFolder() {
    const std::filesystem::path work = app_.values.program.ProgramFolder / "Work";
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(work, ec);
    if (std::filesystem::is_directory(status)) {
        return true;
    }
    const WorkFolderTexts problem = std::filesystem::exists(status)
                                        ? WorkFolderTexts::WorkNotAFolder
                                        : WorkFolderTexts::WorkFolderMissing;
    app_.desktop.messageBox(platform::BoxIcon::Error,
                            std::string(app_.text(problem)) + work.string() + "\n" +
                                std::string(app_.text(WorkFolderTexts::WorkFolderExpected)),
                            platform::BoxButtons::Ok);
    return false;
}

bool TfKestrel::CheckGprsParameters() {
    const auto error = [this](SettingsTexts key) {
        app_.desktop.messageBox(platform::BoxIcon::Error, std::string(app_.text(key)),
                                platform::BoxButtons::Ok);
    };
    const bool apnMissing = app_.values.settings.GprsApn.empty();
    const bool portMissing = app_.values.settings.GprsPort.empty();
    if (apnMissing) {
        error(SettingsTexts::ApnMissing);
    }
    if (portMissing) {
        error(SettingsTexts::PortMissing);
    }
    return !apnMissing && !portMissing;
}

void TfKestrel::ShowAbout() {
    shared::AboutTexts texts{std::string(app_.text(AboutTexts::AboutTitle)),
                             std::string(app_.text(AboutTexts::AboutSoftware)),
                             std::string(app_.text(AboutTexts::AboutVersion)),
                             std::string(app_.text(AboutTexts::AboutYes)),
                             "Kestrel",
                             std::string(kKestrelPicture)};
    app_.showModalWindow(app_.AboutForm, app_.loop, std::move(texts));
}

void TfKestrel::ShowDebugFlags() {
    app_.showModalWindow(app_.fFlagDebug, app_);
}

void TfKestrel::ShowDocument(const std::filesystem::path& path) {
    if (path.empty()) {
        return;
    }
    app_.values.program.DocumentPath = path;
    app_.showModalWindow(app_.fWaitPDF, app_.loop, std::string(app_.text(WaitTexts::WaitText)),
                         [this] { OpenDocumentFile(); });
}

bool TfKestrel::OpenDocumentFile() {
    return shared::OpenDocumentFile(app_.desktop, app_.values.program.DocumentPath,
                                    MissingFileTexts());
}

void TfKestrel::RunCableTester() {
#ifdef _WIN32
    constexpr const char* kCableTester = "Plover.exe";
#else
    constexpr const char* kCableTester = "Plover";
#endif
    const std::filesystem::path path = app_.values.program.ProgramFolder / "Plover" / kCableTester;
    // The start is tried first: a missing tester is reported only by the message.
    app_.desktop.startProgram(path);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        shared::ShowMissingFile(app_.desktop, MissingFileTexts(), path);
    }
}

shared::MissingFileTexts TfKestrel::MissingFileTexts() const {
    return {std::string(app_.text(FileTexts::FilePrefix)),
            std::string(app_.text(FileTexts::NotFoundSuffix))};
}

}  // namespace kestrel
