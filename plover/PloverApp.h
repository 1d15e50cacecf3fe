#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "TesterTexts.h"
#include "platform/core/Platform.h"

namespace shared {
class TAboutForm;
class TfWaitPDF;
}  // namespace shared

namespace plover {

class CableTest;
class TfMenu;
class TfRS_Wren;

// The composition root of the cable tester: the host window, the tester window with its cable
// test while it is open, the language and the program folder.
class PloverApp {
  public:
    static constexpr const char* kLanguageFile = "Type_Leng.000";
    static constexpr const char* kManualFile = "Plover.pdf";
    // Where COM names map to devices on systems without COM ports of their own.
    static constexpr const char* kPortMapFile = "ComPorts.000";

    explicit PloverApp(platform::Platform& platform);
    ~PloverApp();

    // Shows the host window, whose first tick opens the tester window.
    void start();
    // The event loop, until the tester window closes.
    void run();

    // Opens the tester window modally with its cable test; both are released when it closes.
    void ShowTester();
    void ShowAbout();
    void ShowManual();

    // The language file in the program's own folder: the index starts at 1 and the last line
    // decides. Errors go to the default error report; the write returns false after one.
    void ReadLanguageFile();
    bool WriteLanguageFile(const std::string& code);

    platform::EventLoop& loop;
    platform::Desktop& desktop;
    platform::SerialPorts& ports;
    TesterLanguage language;
    std::filesystem::path ProgramFolder;

    std::unique_ptr<TfMenu> fMenu;
    TfRS_Wren* fRS_Wren = nullptr;
    CableTest* cableTest = nullptr;
    shared::TAboutForm* AboutForm = nullptr;
    shared::TfWaitPDF* fWaitPDF = nullptr;
};

}  // namespace plover
