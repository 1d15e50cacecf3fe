#include <gtest/gtest.h>

#include "kestrel/ringcall/EditAM.h"
#include "kestrel/ringcall/PhoneDirectory.h"
#include "shared/Cp1251.h"
#include "support/ClientCallRig.h"

using testing_support::ClientCallRig;

namespace {

// The directory file as stored: Windows-1251, CR LF after every line.
std::string Stored(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += shared::Utf8ToCp1251(line) + "\r\n";
    }
    return bytes;
}

const std::string kFourLines =
    Stored({"//справочник телефонов", "", "012345 // office", "067 000 11 22"});

// The modem window (manual mode) at 10 ms; `look` runs at 500 ms, then the window is left.
void WithModemWindow(ClientCallRig& r, const std::function<void(kestrel::TModC&)>& look) {
    r.openModemWindowAt(10);
    r.operatorScript.after(500, [&] {
        look(*r.modemWindow());
        if (r.modemWindow() != nullptr) {
            r.modemWindow()->N1.click();
        }
    });
    r.loop.runFor(3000);
}

// The editor at 10 ms; `act` runs at 500 ms with the loaded editor; Cancel closes it if open.
void WithEditor(ClientCallRig& r, const std::function<void(kestrel::TEditorAdrM&)>& act) {
    r.operatorScript.after(10, [&] { r.call.ShowPhoneEditor(); });
    r.operatorScript.after(500, [&] {
        act(*r.call.windows.EditorAdrM);
        if (r.call.windows.EditorAdrM != nullptr) {
            r.call.windows.EditorAdrM->BitBtn2.click();
        }
    });
    r.loop.runFor(5000);
}

// The operator types into a field of the editor: the text, then the key release.
void Type(platform::Control& field, const std::string& text) {
    field.userSetText(text);
    field.keyUp('7');
}

}  // namespace

TEST(ModemWindow, OffersTheEntriesOfTheDirectoryUnchangedAndInTheCurrentLanguage) {
    ClientCallRig r;
    r.folder.writeBytes("FlInPh.000", kFourLines + Stored({" // words only", "   ", "0 // x"}));
    WithModemWindow(r, [](kestrel::TModC& m) {
        EXPECT_EQ(m.ComboBox1.items(),
                  (std::vector<std::string>{"012345 // office", "067 000 11 22", "0 // x"}));
        EXPECT_EQ(m.ComboBox1.text(), "");
        EXPECT_EQ(m.text(), "МОДЕМ");
        EXPECT_EQ(m.CONNECT1.text(), "ВЫЗОВ");
        EXPECT_EQ(m.N1.text(), "ВЫХОД");
        EXPECT_EQ(m.Label1.text(), "Телефон:");
        EXPECT_FALSE(m.Panel2.visible());
    });
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"),
              kFourLines + Stored({" // words only", "   ", "0 // x"}));
}

TEST(ModemWindow, AMissingDirectoryIsCreatedWithItsHeaderWhateverTheLanguage) {
    ClientCallRig r;
    r.values.program.LanguageIndex = 3;
    WithModemWindow(r, [](kestrel::TModC& m) {
        EXPECT_TRUE(m.ComboBox1.items().empty());
        EXPECT_EQ(m.CONNECT1.text(), "CONNECTION");
        EXPECT_EQ(m.text(), "MODEM");
    });
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"), Stored({"//справочник телефонов"}));
}

TEST(ModemWindow, WithoutAWorkFolderTheErrorNamesThePathAndTheWindowStaysUsable) {
    ClientCallRig r;
    std::filesystem::remove_all(r.folder.path() / "Work");
    WithModemWindow(r, [](kestrel::TModC& m) { EXPECT_TRUE(m.isShown()); });
    const std::string text = r.text();
    EXPECT_NE(text.find("00110 error \"Cannot create file \\\"" +
                        (r.folder.path() / "Work" / "FlInPh.000").string()),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("00500 window ModC closed"), std::string::npos) << text;
}

TEST(ModemWindow, InAutoDialModeTheDirectoryIsNotReadAndTheFormCaptionsStay) {
    ClientCallRig r;
    r.values.settings.AutoDial = true;
    WithModemWindow(r, [](kestrel::TModC& m) {
        EXPECT_EQ(m.CONNECT1.text(), "СОЕДИНЕНИЕ");
        EXPECT_TRUE(m.ComboBox1.items().empty());
    });
    EXPECT_FALSE(std::filesystem::exists(r.folder.work("FlInPh.000")));
}

TEST(ModemWindow, TheChosenRowIsShownWholeInTheCallBannerAndItsNumberIsDialled) {
    ClientCallRig r;
    r.folder.writeBytes("FlInPh.000", kFourLines);
    r.transcript.watch("lBaner");
    r.openModemWindowAt(10);
    r.operatorScript.after(500, [&] {
        r.modemWindow()->ComboBox1.userSetItemIndex(1);
        r.modemWindow()->CONNECT1.click();
    });
    r.loop.runFor(8000);
    const std::string text = r.text();
    EXPECT_NE(text.find("00550 lBaner \"Запрос \\\"ОК\\\" сер.N -  / SIM N - 067 000 11 22\""),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("02100 stPhoneRing \"0670001122\""), std::string::npos) << text;
    EXPECT_NE(text.find("02100 COM5 <- \"ATD0670001122;\\r\""), std::string::npos) << text;
}

TEST(PhoneEditor, LoadsEveryNonEmptyLineWithAnEmptyRowAndSplitsTheFirst) {
    ClientCallRig r;
    r.folder.writeBytes("FlInPh.000", Stored({"//справочник телефонов", "", "012345 // office"}));
    WithEditor(r, [](kestrel::TEditorAdrM& e) {
        EXPECT_EQ(e.ListBox1.items(),
                  (std::vector<std::string>{"//справочник телефонов", "012345 // office", ""}));
        EXPECT_EQ(e.ListBox1.itemIndex(), 0);
        EXPECT_EQ(e.LabeledEdit1.text(), "");
        EXPECT_EQ(e.LabeledEdit2.text(), "справочник телефонов");
        EXPECT_EQ(e.text(), "РЕДАКТОР - \"НОМЕР ТЕЛЕФОНА\"");
        EXPECT_EQ(e.LabeledEdit1.label(), "РЕДАКТОР - \"НОМЕР ТЕЛЕФОНА\"");
        EXPECT_EQ(e.LabeledEdit2.label(), "  КОММЕНТАРИЙ");
        EXPECT_EQ(e.BitBtn1.text(), "Сохранить");
        e.ListBox1.userSetItemIndex(1);
        EXPECT_EQ(e.LabeledEdit1.text(), "012345");
        EXPECT_EQ(e.LabeledEdit2.text(), "office");
    });
}

TEST(PhoneEditor, SplitsRowsIntoNumberAndComment) {
    struct Case {
        const char* row;
        const char* number;
        const char* comment;
    };
    const Case cases[] = {
        {"012345 // office", "012345", "office"},
        {"  0 12  //   two  // slashes ", "0 12", "two  // slashes "},
        {"//header", "", "header"},
        {"067 000 11 22", "067 000 11 22", ""},  // no comment: all number
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const kestrel::DirectoryRow row = kestrel::SplitDirectoryRow(c.row);
        EXPECT_EQ(row.number, c.number) << c.row;
        EXPECT_EQ(row.comment, c.comment) << c.row;
    }
    EXPECT_EQ(kestrel::JoinDirectoryRow(" 067", "   office "), " 067 // office ");
    EXPECT_EQ(kestrel::JoinDirectoryRow("", ""), " // ");
}

TEST(PhoneEditor, TypingIntoTheLastRowMakesAnEntryAndANewEmptyRowAndSaveWritesIt) {
    ClientCallRig r;
    r.folder.writeBytes("FlInPh.000", Stored({"//справочник телефонов", "", "012345 // office"}));
    r.operatorScript.after(10, [&] { r.call.ShowPhoneEditor(); });
    r.operatorScript.after(500, [&] {
        kestrel::TEditorAdrM& e = *r.call.windows.EditorAdrM;
        e.ListBox1.userSetItemIndex(2);
        Type(e.LabeledEdit1, "067");
        EXPECT_EQ(e.ListBox1.items(),
                  (std::vector<std::string>{"//справочник телефонов", "012345 // office", "067 // ",
                                            ""}));
        Type(e.LabeledEdit2, "  склад №2");
        EXPECT_EQ(e.ListBox1.items()[2], "067 // склад №2");
        EXPECT_EQ(e.ListBox1.items().size(), 4u);
        e.BitBtn1.click();
    });
    r.loop.runFor(3000);
    EXPECT_EQ(r.call.windows.EditorAdrM, nullptr);
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"),
              Stored({"//справочник телефонов", "012345 // office", "067 // склад №2"}));
}

TEST(PhoneEditor, CancelLeavesTheFileAndTypingIntoTheHeaderRewritesIt) {
    ClientCallRig r;
    const std::string file = Stored({"//справочник телефонов", "012345 // office"});
    r.folder.writeBytes("FlInPh.000", file);
    WithEditor(r, [](kestrel::TEditorAdrM& e) {
        Type(e.LabeledEdit2, "phones");
        EXPECT_EQ(e.ListBox1.items()[0], " // phones");
    });
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"), file);
}

TEST(PhoneEditor, DeleteAsksWithTheRowAndOnNoKeepsEverything) {
    ClientCallRig r;
    const std::string file = Stored({"//справочник телефонов", "012345 // office"});
    r.folder.writeBytes("FlInPh.000", file);
    r.desktop.queueAnswer(platform::BoxAnswer::No);
    WithEditor(r, [&](kestrel::TEditorAdrM& e) {
        e.ListBox1.userSetItemIndex(1);
        e.LabeledEdit1.setText("0123");  // shown but not typed: the row is unchanged
        e.BitBtn3.click();
        EXPECT_EQ(e.ListBox1.items().size(), 3u);
        EXPECT_EQ(e.LabeledEdit1.text(), "012345");
        EXPECT_EQ(e.text(), "РЕДАКТОР - \"НОМЕР ТЕЛЕФОНА\"");
    });
    EXPECT_NE(r.text().find("00500 box question yes/no \"Строку  \\\"0123//office\\\" Удалить?\""),
              std::string::npos)
        << r.text();
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"), file);
}

TEST(PhoneEditor, DeleteOnYesWritesTheFileReloadsAndKeepsTheHeaderCaptionForTheRun) {
    ClientCallRig r;
    r.folder.writeBytes("FlInPh.000",
                        Stored({"//справочник телефонов", "012345 // office", "", "099 // depot"}));
    r.desktop.queueAnswer(platform::BoxAnswer::Yes);
    WithEditor(r, [&](kestrel::TEditorAdrM& e) {
        Type(e.LabeledEdit2, "phones");  // an edit made before the deletion is written too
        e.ListBox1.userSetItemIndex(1);
        e.BitBtn3.click();
        EXPECT_EQ(e.ListBox1.items(), (std::vector<std::string>{" // phones", "099 // depot", ""}));
        EXPECT_EQ(e.ListBox1.itemIndex(), 0);
        EXPECT_EQ(e.LabeledEdit2.text(), "phones");
        EXPECT_EQ(e.text(), "//справочник телефонов");
        EXPECT_EQ(e.LabeledEdit1.label(), "//справочник телефонов");
    });
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"), Stored({" // phones", "099 // depot"}));
    EXPECT_EQ(r.call.EditorCaptionRow, 1);
    // The next opening keeps the caption row; the first row deleted selects row 0.
    r.desktop.queueAnswer(platform::BoxAnswer::Yes);
    WithEditor(r, [&](kestrel::TEditorAdrM& e) {
        EXPECT_EQ(e.text(), "//справочник телефонов");
        e.BitBtn3.click();
        EXPECT_EQ(e.ListBox1.items(), (std::vector<std::string>{"099 // depot", ""}));
        EXPECT_EQ(e.ListBox1.itemIndex(), 0);
    });
}

TEST(PhoneEditor, AMissingFileIsCreatedWithTheHeaderOfTheLanguage) {
    const std::pair<std::uint8_t, const char*> cases[] = {
        {1, "//довідник телефонів"}, {2, "//справочник телефонов"}, {3, "// directory of phones"}};
    for (const auto& [language, header] : cases) {
        ClientCallRig r;
        r.values.program.LanguageIndex = language;
        WithEditor(r, [&](kestrel::TEditorAdrM& e) {
            EXPECT_EQ(e.ListBox1.items(), (std::vector<std::string>{header, ""}));
        });
        EXPECT_EQ(r.folder.readBytes("FlInPh.000"), Stored({header}));
    }
}

TEST(PhoneEditor, SaveDropsEmptyLines) {
    ClientCallRig r;
    r.folder.writeBytes("FlInPh.000", "//h\r\n\r\n012 // a\r\n\r\n\r\n034 // b");
    WithEditor(r, [](kestrel::TEditorAdrM& e) { e.BitBtn1.click(); });
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"), "//h\r\n012 // a\r\n034 // b\r\n");
}

TEST(PhoneEditor, WithoutAWorkFolderSavingFailsWithTheErrorAndTheWindowStays) {
    ClientCallRig r;
    std::filesystem::remove_all(r.folder.path() / "Work");
    bool stillOpen = false;
    WithEditor(r, [&](kestrel::TEditorAdrM& e) {
        Type(e.LabeledEdit1, "067");
        e.BitBtn1.click();
        stillOpen = e.isShown();
    });
    EXPECT_TRUE(stillOpen);
    const std::string text = r.text();
    const std::string error =
        "error \"Cannot create file \\\"" + (r.folder.path() / "Work" / "FlInPh.000").string();
    EXPECT_NE(text.find("00110 " + error), std::string::npos) << text;
    EXPECT_NE(text.find("00500 " + error), std::string::npos) << text;
}

TEST(PhoneEditor, ADirectoryOverTheEditorsLimitIsNotOpenedAndStaysAsItIs) {
    ClientCallRig r;
    std::string file;
    for (std::size_t i = 0; i < kestrel::kEditorRowLimit; ++i) {
        file += std::to_string(i) + " // x\r\n";
    }
    r.folder.writeBytes("FlInPh.000", file);
    r.operatorScript.after(10, [&] { r.call.ShowPhoneEditor(); });
    r.loop.runFor(3000);
    EXPECT_EQ(r.call.windows.EditorAdrM, nullptr);
    const auto boxes = r.desktop.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("более 65535 строк"), std::string::npos);
    EXPECT_EQ(r.folder.readBytes("FlInPh.000"), file);

    // One line fewer fits, with its empty row.
    ClientCallRig fits;
    fits.folder.writeBytes("FlInPh.000", file.substr(file.find('\n') + 1));
    WithEditor(fits, [](kestrel::TEditorAdrM& e) {
        EXPECT_EQ(e.ListBox1.items().size(), kestrel::kEditorRowLimit);
        e.ListBox1.userSetItemIndex(int(kestrel::kEditorRowLimit) - 1);
        Type(e.LabeledEdit1, "0");  // the last row filled: no row beyond the limit
        EXPECT_EQ(e.ListBox1.items().size(), kestrel::kEditorRowLimit);
    });
}
