#include "PloverApp.h"

#include "CableTest.h"
#include "PloverPicture.h"
#include "RepWren.h"
#include "pRs_Wren.h"
#include "shared/AboutBox.h"
#include "shared/DocumentOpening.h"
#include "shared/LanguageFile.h"

namespace plover {

PloverApp::PloverApp(platform::Platform& platform)
    : loop(platform.loop), desktop(platform.desktop), ports(platform.ports) {}

PloverApp::~PloverApp() = default;

void PloverApp::start() {
    ProgramFolder = desktop.programFolder();
    fMenu = std::make_unique<TfMenu>(*this);
    desktop.show(*fMenu);
}

void PloverApp::run() {
    loop.runUntil([] { return false; });
}

void PloverApp::ShowTester() {
    auto window = std::make_unique<TfRS_Wren>(*this);
    auto test = std::make_unique<CableTest>(loop, ports, desktop, language, *window);
    fRS_Wren = window.get();
    cableTest = test.get();
    desktop.showModal(*window);
    // The ports close with the cable test.
    cableTest = nullptr;
    test.reset();
    fRS_Wren = nullptr;
}

void PloverApp::ShowAbout() {
    shared::AboutTexts texts{language.text(TesterText::AboutTitle),
                             language.text(TesterText::AboutSoftware),
                             language.text(TesterText::AboutVersion),
                             language.text(TesterText::AboutYes),
                             "Plover",
                             std::string(kPloverPicture)};
    auto about = std::make_unique<shared::TAboutForm>(loop, std::move(texts));
    AboutForm = about.get();
    desktop.showModal(*about);
    AboutForm = nullptr;
}

void PloverApp::ShowManual() {
    shared::ShowDocument(
        loop, desktop, ProgramFolder / kManualFile, language.text(TesterText::WaitText),
        {language.text(TesterText::FilePrefix), language.text(TesterText::NotFoundSuffix)},
        fWaitPDF);
}

void PloverApp::ReadLanguageFile() {
    language.index = 1;
    const std::string error =
        shared::ReadLanguageFile(ProgramFolder / kLanguageFile, language.index);
    if (!error.empty()) {
        desktop.reportError(error);
    }
}

bool PloverApp::WriteLanguageFile(const std::string& code) {
    const std::string error = shared::WriteLanguageFile(ProgramFolder / kLanguageFile, code);
    if (!error.empty()) {
        desktop.reportError(error);
        return false;
    }
    return true;
}

}  // namespace plover
