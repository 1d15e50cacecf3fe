#include <gtest/gtest.h>

#include "shared/AboutBox.h"
#include "support/VirtualKestrel.h"

using platform::DesktopRecord;
using testing_support::TempFolder;
using testing_support::VirtualKestrel;

namespace {

std::vector<std::string> MenuCaptions(kestrel::TfKestrel& w) {
    return {w.mSERVER.text(),  w.mSetPar.text(),    w.mHelp.text(),
            w.mHELP_PO.text(), w.mHELP_READ.text(), w.mExit.text()};
}

class Startup : public ::testing::Test {
  protected:
    TempFolder folder;
    platform::VirtualSystem system;
};

}  // namespace

TEST_F(Startup, SplashThenMainWindowInUkrainianWithoutALanguageFile) {
    VirtualKestrel k(system, folder);
    k.app.start();
    EXPECT_EQ(k.desktop.applicationTitle(), "program \"KESTREL\"");
    const auto& r = k.desktop.records();
    ASSERT_GE(r.size(), 4u);
    EXPECT_EQ(r[0].kind, DesktopRecord::Kind::Shown);
    EXPECT_EQ(r[0].text, "SplashForm");
    EXPECT_EQ(r[1].kind, DesktopRecord::Kind::Title);
    EXPECT_EQ(r[2].kind, DesktopRecord::Kind::Closed);
    EXPECT_EQ(r[2].text, "SplashForm");
    EXPECT_EQ(r[3].kind, DesktopRecord::Kind::Shown);
    EXPECT_EQ(r[3].text, "fKestrel");
    EXPECT_EQ(k.app.values.program.LanguageIndex, 1);
    EXPECT_EQ(MenuCaptions(*k.app.fKestrel),
              (std::vector<std::string>{"СЕРВЕР", "НАЛАШТУВАННЯ", "ДОВІДКА", "ПРО ПРОГРАМУ ...",
                                        "ІНСТРУКЦІЯ ПЗ", "ВИХІД"}));
    EXPECT_EQ(k.app.values.program.ProgramFolder, folder.path());
    EXPECT_EQ(k.desktop.regionalFormatWrites(), 1);
}

TEST_F(Startup, LanguageFileWithRuThenEnGivesEnglish) {
    folder.writeBytes("Type_Leng.000", "RU\r\nEN\r\n");
    VirtualKestrel k(system, folder);
    k.app.start();
    EXPECT_EQ(MenuCaptions(*k.app.fKestrel),
              (std::vector<std::string>{"SERVER", "SETTINGS", "HELP", "ABOUT THE PROGRAM ...",
                                        "SOFTWARE MANUAL", "EXIT"}));
}

TEST_F(Startup, RussianMenu) {
    folder.writeBytes("Type_Leng.000", "RU\r\n");
    VirtualKestrel k(system, folder);
    k.app.start();
    EXPECT_EQ(MenuCaptions(*k.app.fKestrel),
              (std::vector<std::string>{"СЕРВЕР", "УСТАНОВКИ", "СПРАВКА", "О ПРОГРАММЕ ...",
                                        "ИНСТРУКЦИЯ ПО", "ВЫХОД"}));
}

TEST_F(Startup, SecondInstanceSaysSoInItsOwnLanguageAndEndsWithoutAMainWindow) {
    VirtualKestrel first(system, folder);
    first.app.start();

    TempFolder secondFolder;
    secondFolder.writeBytes("Type_Leng.000", "RU\r\n");
    VirtualKestrel second(system, secondFolder);
    second.app.start();

    const auto boxes = second.desktop.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Программа \"Harrier\" уже запущена");
    EXPECT_EQ(boxes[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes[0].buttons, platform::BoxButtons::Ok);
    EXPECT_TRUE(second.loop.quitRequested());
    EXPECT_EQ(second.desktop.shownForm("fKestrel"), nullptr);
    second.app.run();  // ends at once

    // The first instance is untouched and still holds the lock.
    EXPECT_NE(first.desktop.shownForm("fKestrel"), nullptr);
    EXPECT_FALSE(first.loop.quitRequested());
    EXPECT_TRUE(first.desktop.boxes().empty());
}

TEST_F(Startup, LockIsReleasedWhenTheProgramEnds) {
    {
        VirtualKestrel first(system, folder);
        first.app.start();
    }
    VirtualKestrel again(system, folder);
    again.app.start();
    EXPECT_TRUE(again.desktop.boxes().empty());
    EXPECT_NE(again.desktop.shownForm("fKestrel"), nullptr);
}

TEST_F(Startup, ExitEndsTheProgram) {
    VirtualKestrel k(system, folder);
    k.app.start();
    k.operatorScript.after(2000, [&] { k.app.fKestrel->mExit.click(); });
    k.app.run();
    EXPECT_TRUE(k.loop.quitRequested());
    EXPECT_EQ(k.loop.now(), 2000);
    EXPECT_FALSE(k.app.fKestrel->isShown());
}

TEST_F(Startup, ManualOpensThroughTheWaitWindowAndReportsAMissingFile) {
    folder.writeBytes("Type_Leng.000", "RU\r\n");
    VirtualKestrel k(system, folder);
    k.app.start();
    k.operatorScript.after(100, [&] { k.app.fKestrel->mHELP_READ.click(); });
    k.loop.runFor(5000);

    const auto manual = folder.path() / "Doc" / "Kestrel.pdf";
    std::vector<DesktopRecord> seen;
    for (const auto& r : k.desktop.records()) {
        if (r.time >= 100) {
            seen.push_back(r);
        }
    }
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].kind, DesktopRecord::Kind::Shown);
    EXPECT_EQ(seen[0].text, "fWaitPDF");
    EXPECT_EQ(seen[1].kind, DesktopRecord::Kind::Document);
    EXPECT_EQ(seen[1].time, 150);
    EXPECT_EQ(seen[2].kind, DesktopRecord::Kind::Box);
    EXPECT_EQ(seen[2].text, "Файл - " + manual.string() + " не найден!!!");
    EXPECT_EQ(seen[2].icon, platform::BoxIcon::Information);
    // Answered a second later; the wait window closes 1.5 s after that.
    EXPECT_EQ(seen[3].kind, DesktopRecord::Kind::Closed);
    EXPECT_EQ(seen[3].time, 150 + 1000 + 1500);
    EXPECT_EQ(k.app.fWaitPDF, nullptr);
}

TEST_F(Startup, EmptyDocumentPathOpensNothing) {
    VirtualKestrel k(system, folder);
    k.app.start();
    const std::size_t before = k.desktop.records().size();
    k.app.fKestrel->ShowDocument({});
    EXPECT_EQ(k.desktop.records().size(), before);
}

TEST_F(Startup, AboutBoxTakesItsTextsOnItsFirstTickAndClosesOnOk) {
    folder.writeBytes("Type_Leng.000", "EN\r\n");
    VirtualKestrel k(system, folder);
    k.app.start();
    k.operatorScript.after(100, [&] { k.app.fKestrel->mHELP_PO.click(); });
    k.operatorScript.after(300, [&] {
        ASSERT_NE(k.app.AboutForm, nullptr);
        EXPECT_EQ(k.app.AboutForm->lNameFack.text(), "\"Kestrel\"");
        EXPECT_EQ(k.app.AboutForm->Label_versPr.text(), "Version 1.16");
        EXPECT_EQ(k.app.AboutForm->OKButton.text(), "YES");
        k.app.AboutForm->OKButton.keyUp(platform::keys::Escape);
    });
    k.loop.runFor(1000);
    EXPECT_EQ(k.app.AboutForm, nullptr);
    EXPECT_NE(k.desktop.shownForm("fKestrel"), nullptr);
}
