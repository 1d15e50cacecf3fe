#include <gtest/gtest.h>

#include "shared/AboutBox.h"
#include "support/VirtualEndpoint.h"
#include "support/VirtualPlover.h"

using testing_support::VirtualPlover;

namespace {

std::vector<std::string> Captions(plover::TfRS_Wren& w) {
    return {w.text(),
            w.mHelp.text(),
            w.mPO.text(),
            w.mInstr.text(),
            w.mExit.text(),
            w.rxStart.text(),
            w.rxControl_Data.text(),
            w.lError.text(),
            w.lCikl.text(),
            w.CB_LANGUAGE.text()};
}

const std::vector<std::string> kUkrainian = {"контроль нуль-модемного кабелю",
                                             "ДОВІДКА",
                                             "ПРО ПРОГРАМУ ...",
                                             "ІНСТРУКЦІЯ ПЗ",
                                             "ВИХІД",
                                             "Контроль портів",
                                             "Передача даних",
                                             "Кіл-сть\rпомилок",
                                             "Циклів\rперевірки",
                                             "UA"};
const std::vector<std::string> kRussian = {"контроль нуль-модемного кабеля",
                                           "СПРАВКА",
                                           "О ПРОГРАММЕ ...",
                                           "ИНСТРУКЦИЯ ПО",
                                           "ВЫХОД",
                                           "Контроль портов",
                                           "Передача данных",
                                           "Кол-во\rошибок",
                                           "Циклов\rпроверки",
                                           "RU"};
const std::vector<std::string> kEnglish = {"null modem cable control",
                                           "HELP",
                                           "ABOUT THE PROGRAM ...",
                                           "SOFTWARE MANUAL",
                                           "EXIT",
                                           "Port control",
                                           "Data transfer",
                                           "Number\rof errors",
                                           "Cycles\rchecks",
                                           "EN"};

}  // namespace

TEST(TesterWindow, HostShownForAMomentThenTheTesterModalOverIt) {
    VirtualPlover p;
    p.run(1000);
    EXPECT_EQ(p.transcript.of({"window"}), R"(00000 window fMenu opened
00150 window fRS_Wren opened
00200 window fMenu closed
01000 window fRS_Wren closed
)");
    EXPECT_TRUE(p.loop.quitRequested());
    // No application title: the executable's name serves.
    EXPECT_EQ(p.vdesktop.applicationTitle(), "");
}

TEST(TesterWindow, LanguageFileSetsTheCaptionsTheLastLineDeciding) {
    const struct {
        const char* file;  // null: no file
        const std::vector<std::string>& captions;
    } cases[] = {
        {nullptr, kUkrainian},      {"EN\r\n", kEnglish},         {"RU\r\n", kRussian},
        {"RU\r\nEN\r\n", kEnglish}, {"EN\r\nXX\r\n", kUkrainian}, {"ru\r\n", kUkrainian},
        {" RU\r\n", kUkrainian},    {"\r\n", kUkrainian},         {"", kUkrainian},
        {"EN", kEnglish},
    };
    for (const auto& c : cases) {
        VirtualPlover p;
        if (c.file != nullptr) {
            p.writeFile("Type_Leng.000", c.file);
        }
        p.at(300,
             [&] { EXPECT_EQ(Captions(p.window()), c.captions) << (c.file ? c.file : "none"); });
        p.run(400);
        // Reading never writes.
        EXPECT_EQ(p.readFile("Type_Leng.000"), c.file ? c.file : "");
    }
}

TEST(TesterWindow, PickingALanguageWritesOneLineAndSwitchesEveryCaptionAtOnce) {
    VirtualPlover p;
    p.writeFile("Type_Leng.000", "EN\r\nEN\r\n");
    p.at(300, [&] {
        auto& log = p.window().reWin;
        log.appendLine({"kept", platform::colours::Green, ""});
        p.window().CB_LANGUAGE.userSetItemIndex(1);
        EXPECT_EQ(Captions(p.window()), kRussian);
        EXPECT_EQ(log.lines().size(), 1u);
    });
    p.run(400);
    EXPECT_EQ(p.readFile("Type_Leng.000"), "RU\r\n");
}

TEST(TesterWindow, LanguageFileThatCannotBeWrittenOrReadIsReportedAndTheWindowStays) {
    VirtualPlover p;
    // A folder in the file's place can be neither read nor written as a file.
    std::filesystem::create_directory(p.folder.path() / "Type_Leng.000");
    p.at(300, [&] {
        p.window().CB_LANGUAGE.userSetItemIndex(2);
        EXPECT_EQ(Captions(p.window())[0], kUkrainian[0]);
    });
    p.at(2000, [&] { EXPECT_TRUE(p.window().isShown()); });
    p.run(2100);
    const auto errors = p.transcript.of({"error"});
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 2) << errors;
    EXPECT_EQ(errors.substr(0, 6), "00200 ");
    EXPECT_NE(errors.find("\n00300 "), std::string::npos) << errors;
}

TEST(TesterWindow, EscClosesTheWindowFromTheFormSwitchesCyclesLanguageBoxAndLog) {
    const struct {
        const char* control;
        bool closes;
    } cases[] = {
        {"fRS_Wren", true},    {"rxStart", true}, {"rxControl_Data", true}, {"seCikl", true},
        {"CB_LANGUAGE", true}, {"reWin", true},   {"rgRS_01", false},       {"rgRS_02", false},
    };
    for (const auto& c : cases) {
        VirtualPlover p;
        p.at(300, [&] {
            platform::Control& target = *p.window().find(c.control);
            target.keyDown(platform::keys::Return);
            ASSERT_NE(p.app.fRS_Wren, nullptr);
            target.keyDown(platform::keys::Escape);
        });
        p.run(1000);
        EXPECT_EQ(
            p.transcript.of({"window"}).find("00300 window fRS_Wren closed") != std::string::npos,
            c.closes)
            << c.control;
    }
}

TEST(TesterWindow, DataTestNeedsMonitoringSwitchedOnAndOffOnce) {
    VirtualPlover p;
    p.at(300, [&] {
        EXPECT_FALSE(p.window().rxControl_Data.enabled());
        p.window().rxStart.userSetChecked(true);
        EXPECT_FALSE(p.window().rxControl_Data.enabled());
    });
    p.at(500, [&] {
        p.window().rxStart.userSetChecked(false);
        EXPECT_TRUE(p.window().rxControl_Data.enabled());
    });
    p.run(600);
}

TEST(TesterWindow, AboutBoxWithTheTestersOwnTexts) {
    VirtualPlover p;
    p.writeFile("Type_Leng.000", "RU\r\n");
    p.at(300, [&] { p.window().mPO.click(); });
    p.at(500, [&] {
        shared::TAboutForm& about = *p.app.AboutForm;
        EXPECT_EQ(about.lNameFack.text(), "\"Plover\"");
        EXPECT_EQ(about.text(), "О программе");
        EXPECT_EQ(about.Label5.text(), "Программное обеспечение");
        EXPECT_EQ(about.Label_versPr.text(), "Версия 1.03");
        EXPECT_EQ(about.OKButton.text(), "ДА");
        about.OKButton.keyUp(platform::keys::Escape);
    });
    p.run(1000);
    EXPECT_EQ(p.transcript.between(300, 1000), R"(00300 window AboutForm opened
00500 window AboutForm closed
)");
}

TEST(TesterWindow, ManualOpensThroughTheWaitWindowAndAMissingOneIsReported) {
    const struct {
        const char* language;
        bool present;
        std::string box;  // before the path, after it
        std::string after;
    } cases[] = {
        {"RU\r\n", false, "Файл - ", " не найден!!!"},
        {"UA\r\n", false, "Файл -", "не знайдений!!!"},
        {"EN\r\n", false, "File -", " not found!!!"},
        {"RU\r\n", true, "", ""},
    };
    for (const auto& c : cases) {
        VirtualPlover p;
        p.writeFile("Type_Leng.000", c.language);
        if (c.present) {
            p.writeFile("Plover.pdf", "%PDF");
        }
        p.at(300, [&] { p.window().mInstr.click(); });
        p.run(4000);
        const std::string manual =
            testing_support::Escaped((p.folder.path() / "Plover.pdf").string());
        std::string expected = "00300 window fWaitPDF opened\n00350 document \"" + manual + "\"\n";
        if (!c.present) {
            expected += "00350 box information \"" + testing_support::Escaped(c.box) + manual +
                        testing_support::Escaped(c.after) + "\"\n02850 window fWaitPDF closed\n";
        } else {
            expected += "01850 window fWaitPDF closed\n";
        }
        EXPECT_EQ(p.transcript.between(300, 4000), expected) << c.language << c.present;
    }
}

TEST(TesterWindow, AFloodOnAnOpenPortKeepsOnlyWhatAPortBufferHolds) {
    VirtualPlover p;
    testing_support::VirtualEndpoint one{p.vports.device("COM1")};
    testing_support::VirtualEndpoint two{p.vports.device("COM2")};
    p.at(300, [&] { p.window().rxStart.userSetChecked(true); });
    p.at(1500, [&] { p.window().rxStart.userSetChecked(false); });
    p.at(1700, [&] {
        p.window().rgRS_01.userSetItemIndex(0);
        p.window().rgRS_02.userSetItemIndex(1);
        // COM2 goes: the switch stays on with COM1 open and nothing running.
        p.vports.device("COM2").setPresence(platform::PortPresence::Absent);
        p.window().rxControl_Data.userSetChecked(true);
    });
    p.at(3000, [&] {
        for (int i = 0; i < 100; ++i) {
            one.send(std::string(10'000, 'x'));
        }
    });
    p.at(3500, [&] {
        EXPECT_TRUE(p.window().rxControl_Data.checked());
        EXPECT_EQ(p.test().RxBuffer1.size(), plover::CableTest::kRxBufferLimit);
    });
    p.run(3600);
}
