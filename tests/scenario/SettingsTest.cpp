#include <gtest/gtest.h>

#include "kestrel/settings/In_RS232.h"
#include "kestrel/settings/SettingsFile.h"
#include "support/VirtualKestrel.h"

using platform::DesktopRecord;
using testing_support::TempFolder;
using testing_support::VirtualKestrel;

namespace {

std::string CrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

const std::vector<std::string> kSample = {
    "1.16", "COM3", "115200", "COM4", "57600", "COM7", "9600", "internet.example",
    "5001", "30",   "100",    "20",   "0",     "0",    "0",    "1",
    "15",   "1",    "0"};

class Settings : public ::testing::Test {
  public:
    void SetUp() override { k.app.start(); }

    kestrel::TInRS232& window() { return *k.app.InRS232; }
    kestrel::ProgramValues& values() { return k.app.values; }
    void read() { kestrel::ReadSettingsFile(window(), values()); }
    bool write() { return kestrel::WriteSettingsFile(window(), values(), k.desktop); }
    void store(const std::vector<std::string>& lines) {
        folder.writeBytes("FileInRS.000", CrLf(lines));
    }
    std::string stored() const { return folder.readBytes("FileInRS.000"); }

    TempFolder folder;
    platform::VirtualSystem system;
    VirtualKestrel k{system, folder};
};

}  // namespace

TEST_F(Settings, ReadFillsFieldsAndValuesAndWriteGivesTheSameFileBack) {
    store(kSample);
    read();
    EXPECT_EQ(window().cbRS232_SERV.text(), "COM3");
    EXPECT_EQ(window().cbSpeedWIN.text(), "57600");
    EXPECT_EQ(window().lAPN_Serv.text(), "internet.example");
    EXPECT_EQ(window().lPortS.text(), "5001");
    EXPECT_TRUE(values().settings.SorrelModem);
    EXPECT_TRUE(values().settings.AutoStartServer);
    EXPECT_FALSE(values().settings.AutoDial);
    EXPECT_EQ(values().settings.PowerOnDelay, 15);
    EXPECT_EQ(values().settings.ConnectPauseTimeout, 30);
    EXPECT_EQ(values().settings.OnlineTimeout, 100);
    EXPECT_EQ(values().settings.TicketTimeout, 20);
    ASSERT_TRUE(write());
    EXPECT_EQ(stored(), CrLf(kSample));
}

TEST_F(Settings, OddCornersOfTheReader) {
    struct Case {
        const char* what;
        int line;  // 1-based
        std::string text;
        std::function<void(Settings&)> check;
    };
    const Case cases[] = {
        {"APN spaces collapse", 8, "my  apn   name",
         [](Settings& s) { EXPECT_EQ(s.window().lAPN_Serv.text(), "my apn name"); }},
        {"delay not a number", 17, "abc",
         [](Settings& s) {
             EXPECT_EQ(s.values().settings.PowerOnDelay, 1);
             EXPECT_EQ(s.window().seWaitPowerOn.text(), "abc");
         }},
        {"delay above the field", 17, "45",
         [](Settings& s) { EXPECT_EQ(s.values().settings.PowerOnDelay, 45); }},
        {"delay beyond 16 bits", 17, "70000",
         [](Settings& s) { EXPECT_EQ(s.values().settings.PowerOnDelay, 65535); }},
        {"time-out not a number", 10, "x",
         [](Settings& s) { EXPECT_EQ(s.values().settings.ConnectPauseTimeout, 0); }},
        {"flag only on exactly 1", 16, "1 ",
         [](Settings& s) { EXPECT_FALSE(s.values().settings.SorrelModem); }},
        {"auto dial", 19, "1", [](Settings& s) { EXPECT_TRUE(s.values().settings.AutoDial); }},
        {"server port off", 13, "1",
         [](Settings& s) {
             EXPECT_TRUE(s.values().settings.ServerPortOff);
             EXPECT_TRUE(s.window().chRS_SERV_Off.checked());
         }},
        {"win port off", 14, "1", [](Settings& s) { EXPECT_TRUE(s.values().settings.WinPortOff); }},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = kSample;
        lines[std::size_t(c.line - 1)] = c.text;
        store(lines);
        read();
        SCOPED_TRACE(c.what);
        c.check(*this);
    }
}

TEST_F(Settings, ServerPortOffCheckBoxStaysCheckedButTheFlagFollowsEachRead) {
    std::vector<std::string> lines = kSample;
    lines[12] = "1";
    store(lines);
    read();
    lines[12] = "0";
    store(lines);
    read();
    EXPECT_FALSE(values().settings.ServerPortOff);
    EXPECT_TRUE(window().chRS_SERV_Off.checked());
    ASSERT_TRUE(write());
    lines[12] = "1";  // the next save writes it on again
    EXPECT_EQ(stored(), CrLf(lines));
}

TEST_F(Settings, RingPortOffIsReadAndWrittenAsZero) {
    std::vector<std::string> lines = kSample;
    lines[14] = "1";
    store(lines);
    read();
    EXPECT_FALSE(window().chRS_RING_Off.checked());
    ASSERT_TRUE(write());
    EXPECT_EQ(stored(), CrLf(kSample));
}

TEST_F(Settings, MissingFileKeepsFieldsAndClearsFlags) {
    values().settings.SorrelModem = true;
    values().settings.AutoStartServer = true;
    values().settings.AutoDial = true;
    read();
    EXPECT_FALSE(values().settings.SorrelModem);  // although its box shows checked
    EXPECT_TRUE(window().chSORREL.checked());
    EXPECT_FALSE(values().settings.AutoStartServer);
    EXPECT_TRUE(values().settings.AutoDial);  // not reset by the reader
    EXPECT_EQ(values().settings.PowerOnDelay, 0);
    EXPECT_EQ(window().seWaitPowerOn.text(), "20");
    EXPECT_EQ(window().cbSpeedServ.text(), "115200");
}

TEST_F(Settings, ShortFileChangesOnlyItsLinesAndLongFileOnlyItsFirst19) {
    store({"1.16", "COM9"});
    read();
    EXPECT_EQ(window().cbRS232_SERV.text(), "COM9");
    EXPECT_EQ(window().cbSpeedServ.text(), "115200");

    std::vector<std::string> lines = kSample;
    for (int i = 0; i < 6; ++i) {
        lines.push_back("extra" + std::to_string(i));
    }
    store(lines);
    read();
    ASSERT_TRUE(write());
    EXPECT_EQ(stored(), CrLf(kSample));
}

TEST_F(Settings, CyrillicApnSurvivesARoundTripByteForByte) {
    // "інтернет  мій" in Windows-1251: the reader collapses the two spaces.
    const std::string apn = "\xB3\xED\xF2\xE5\xF0\xED\xE5\xF2 \xEC\xB3\xE9";
    std::string bytes = CrLf(kSample);
    const std::string marker = "internet.example";
    bytes.replace(bytes.find(marker), marker.size(), apn);
    folder.writeBytes("FileInRS.000", bytes);
    read();
    EXPECT_EQ(window().lAPN_Serv.text(), "інтернет мій");
    ASSERT_TRUE(write());
    EXPECT_EQ(stored(), bytes);
}

TEST_F(Settings, SaveWithoutAWorkFolderReportsAndKeepsTheEdits) {
    std::filesystem::remove_all(folder.path() / "Work");
    window().lAPN_Serv.setText("edited");
    EXPECT_FALSE(write());
    ASSERT_EQ(k.desktop.records().back().kind, DesktopRecord::Kind::Error);
    EXPECT_EQ(window().lAPN_Serv.text(), "edited");
}

// The window as the operator uses it from the main menu.
class SettingsWindow : public Settings {
  protected:
    void openAndThen(int delayMs, std::function<void(kestrel::TInRS232&)> action) {
        k.operatorScript.after(100, [this] { k.app.fKestrel->mSetPar.click(); });
        k.operatorScript.after(100 + delayMs, [this, action] { action(window()); });
    }
};

TEST_F(SettingsWindow, SaveWithNoFileStoresTheDesignValues) {
    openAndThen(500, [](kestrel::TInRS232& w) { w.mSave.click(); });
    k.loop.runFor(2000);
    EXPECT_FALSE(window().isShown());
    EXPECT_EQ(stored(), CrLf({"1.16", "", "115200", "", "115200", "", "115200", "", "", "30", "100",
                              "20", "0", "0", "0", "1", "20", "0", "0"}));
    EXPECT_EQ(folder.readBytes("Type_Leng.000"), "UA\r\n");
    EXPECT_FALSE(k.loop.quitRequested());
}

TEST_F(SettingsWindow, CaptionsFollowTheLanguageWhenItOpens) {
    folder.writeBytes("Type_Leng.000", "EN\r\n");
    openAndThen(200, [](kestrel::TInRS232& w) {
        EXPECT_EQ(w.lBaner.text(), "SOFTWARE INSTALLATIONS");
        EXPECT_EQ(w.lRS_Serv.text(), "Port number - \"SERVER\"");
        EXPECT_EQ(w.mSave.text(), "SAVE");
        EXPECT_EQ(w.lRS_winPO.text(), "Номер норта - \"WIN\"");  // no catalog entry: stays Russian
        EXPECT_EQ(w.text(), "УСТАНОВКИ  ПО");
        EXPECT_EQ(w.CB_LANGUAGE.text(), "EN");
        w.mExit.click();
    });
    k.loop.runFor(1000);
    // The file changed since start-up, so leaving the window ends the program.
    EXPECT_TRUE(k.loop.quitRequested());
}

TEST_F(SettingsWindow, ChangingTheLanguageAndLeavingStoresOnlyTheLanguageAndEndsTheProgram) {
    folder.writeBytes("Type_Leng.000", "RU\r\n");
    store(kSample);
    openAndThen(300, [](kestrel::TInRS232& w) {
        w.CB_LANGUAGE.userSetItemIndex(2);  // "EN"
        w.lAPN_Serv.userSetText("changed");
        w.mExit.click();
    });
    k.loop.runFor(2000);
    EXPECT_EQ(folder.readBytes("Type_Leng.000"), "EN\r\n");
    EXPECT_EQ(stored(), CrLf(kSample));
    EXPECT_EQ(window().lAPN_Serv.text(), "internet.example");  // edits dropped by the re-read
    EXPECT_TRUE(k.loop.quitRequested());
    EXPECT_FALSE(k.app.fKestrel->isShown());
}

TEST_F(SettingsWindow, EscapeAndEnterCloseWithoutSaving) {
    for (int key : {platform::keys::Escape, platform::keys::Return}) {
        openAndThen(300, [key](kestrel::TInRS232& w) {
            w.lPortS.userSetText("9999");
            w.keyDown(key);
        });
        k.loop.runFor(1000);
        EXPECT_FALSE(window().isShown());
        EXPECT_FALSE(std::filesystem::exists(folder.work("FileInRS.000")));
        EXPECT_FALSE(k.loop.quitRequested());
    }
}

TEST_F(SettingsWindow, RefreshListsOnlyPresentPortsAndEmptiesTheField) {
    k.ports.device("COM2");
    k.ports.device("COM17");
    openAndThen(300, [](kestrel::TInRS232& w) {
        EXPECT_EQ(w.cbRS232_WIN.items().size(), 20u);
        w.cbRS232_WIN.setText("COM1");
        w.spBut_WIN.click();
        EXPECT_EQ(w.cbRS232_WIN.text(), "");
        EXPECT_EQ(w.cbRS232_WIN.items(), (std::vector<std::string>{"COM2", "COM17"}));
        w.cbRS232_modRing.userSetText("COM25");  // typed, not in the list: accepted
        w.cbSpeedModRing.userSetText("250000");
        w.mSave.click();
    });
    k.loop.runFor(1000);
    const std::string file = stored();
    EXPECT_NE(file.find("1.16\r\n\r\n115200\r\n\r\n115200\r\nCOM25\r\n250000\r\n"),
              std::string::npos)
        << file;
}

TEST_F(SettingsWindow, UnwritableLanguageFileIsReportedAndTheWindowStillCloses) {
    openAndThen(300, [this](kestrel::TInRS232& w) {
        std::filesystem::remove_all(folder.path() / "Work");
        w.mExit.click();
    });
    k.loop.runFor(3000);
    EXPECT_FALSE(window().isShown());
    bool reported = false;
    for (const auto& r : k.desktop.records()) {
        reported = reported || r.kind == DesktopRecord::Kind::Error;
    }
    EXPECT_TRUE(reported);
    EXPECT_FALSE(k.loop.quitRequested());
}
