#pragma once

#include <filesystem>
#include <memory>

#include "platform/core/Form.h"
#include "shared/DocumentOpening.h"

namespace kestrel {

class KestrelApp;

// The main window: the picture, the program label and the menu that starts everything else.
class TfKestrel : public platform::Form {
  public:
    explicit TfKestrel(KestrelApp& app);

    void FormCreate();
    void SetMenuCaptions();
    void mSERVERClick();
    void mSetParClick();

    // The APN and port check of the server start; both boxes can show, APN first.
    bool CheckGprsParameters();
    void ShowWorkWindow();
    // Opens the SERVER port, then the WIN port.
    void ShowServerStart();

    // The operations that open the program's other windows.
    void ShowAbout();
    void ShowDebugFlags();
    void ShowDocument(const std::filesystem::path& path);
    bool OpenDocumentFile();
    // Starts the cable tester beside the program as a process of its own.
    void RunCableTester();

    platform::Control& pBaza;
    platform::Control& iBaza;
    platform::Control& rxL_Baza;
    platform::Control& mKestrel;
    platform::Control& mSERVER;
    platform::Control& mSetPar;
    platform::Control& mHelp;
    platform::Control& mHELP_PO;
    platform::Control& mHELP_READ;
    platform::Control& mExit;

  private:
    shared::MissingFileTexts MissingFileTexts() const;
    // The Work folder beside the program: false, after an error box with its path, when it is
    // missing or not a folder.
    bool CheckWorkFolder();

    KestrelApp& app_;
};

}  // namespace kestrel
