#include <gtest/gtest.h>

#include "kestrel/app/Catalog.h"
#include "kestrel/app/Language.h"
#include "platform/virtual/VirtualDesktop.h"
#include "shared/Cp1251.h"
#include "shared/LanguageCode.h"
#include "support/TempFolder.h"

using kestrel::ProgramValues;
using shared::LanguageFromCode;

TEST(LanguageFromCode, ExactUpperCaseCodesOnly) {
    const std::pair<const char*, int> cases[] = {{"", 1},   {"UA", 1},  {"RU", 2},  {"EN", 3},
                                                 {"ru", 1}, {" RU", 1}, {"RU ", 1}, {"DE", 1}};
    for (const auto& [code, index] : cases) {
        EXPECT_EQ(LanguageFromCode(code), index) << "[" << code << "]";
    }
}

class LanguageFile : public ::testing::Test {
  protected:
    testing_support::TempFolder folder;
    platform::VirtualEventLoop loop;
    platform::VirtualSystem system;
    platform::VirtualDesktop desktop{loop, system, folder.path()};
    ProgramValues values = [this] {
        ProgramValues v;
        v.program.ProgramFolder = folder.path();
        return v;
    }();

    std::uint8_t readWith(const std::string& bytes) {
        folder.writeBytes("Type_Leng.000", bytes);
        values.program.LanguageIndex = 1;
        kestrel::ReadLanguageFile(values, desktop);
        return values.program.LanguageIndex;
    }
};

TEST_F(LanguageFile, TheLastLineDecides) {
    EXPECT_EQ(readWith("RU\r\n"), 2);
    EXPECT_EQ(readWith("RU\r\nEN\r\n"), 3);
    EXPECT_EQ(readWith("EN\r\n\r\n"), 1);  // an empty last line is Ukrainian
    EXPECT_EQ(readWith("ru\r\n"), 1);
    EXPECT_EQ(readWith(" RU\r\n"), 1);
    EXPECT_EQ(readWith("EN"), 3);  // no line end
    EXPECT_EQ(readWith(""), 1);
}

TEST_F(LanguageFile, MissingFileKeepsTheIndex) {
    values.program.LanguageIndex = 3;
    kestrel::ReadLanguageFile(values, desktop);
    EXPECT_EQ(values.program.LanguageIndex, 3);
    EXPECT_TRUE(desktop.records().empty());
}

TEST_F(LanguageFile, UnreadableFileGoesToTheErrorReport) {
    std::filesystem::create_directory(folder.work("Type_Leng.000"));  // exists, cannot be read
    values.program.LanguageIndex = 2;
    kestrel::ReadLanguageFile(values, desktop);
    EXPECT_EQ(values.program.LanguageIndex, 2);
    ASSERT_EQ(desktop.records().size(), 1u);
    EXPECT_EQ(desktop.records()[0].kind, platform::DesktopRecord::Kind::Error);
}

TEST_F(LanguageFile, WriteStoresTheCodeUnchangedWithCrLf) {
    ASSERT_TRUE(kestrel::WriteLanguageFile(values, desktop, "RU"));
    EXPECT_EQ(folder.readBytes("Type_Leng.000"), "RU\r\n");
    ASSERT_TRUE(kestrel::WriteLanguageFile(values, desktop, "xx"));
    EXPECT_EQ(folder.readBytes("Type_Leng.000"), "xx\r\n");
    EXPECT_EQ(readWith(folder.readBytes("Type_Leng.000")), 1);
}

TEST_F(LanguageFile, WriteWithoutWorkFolderReportsTheError) {
    std::filesystem::remove_all(folder.path() / "Work");
    EXPECT_FALSE(kestrel::WriteLanguageFile(values, desktop, "EN"));
    ASSERT_EQ(desktop.records().size(), 1u);
    EXPECT_EQ(desktop.records()[0].kind, platform::DesktopRecord::Kind::Error);
    EXPECT_NE(desktop.records()[0].text.find("Type_Leng.000"), std::string::npos);
}

TEST(Catalog, TextsByLanguage) {
    using namespace kestrel;
    EXPECT_EQ(CatalogText(MenuTexts::MenuSettings, 1), "НАЛАШТУВАННЯ");
    EXPECT_EQ(CatalogText(MenuTexts::MenuSettings, 2), "УСТАНОВКИ");
    EXPECT_EQ(CatalogText(MenuTexts::MenuSettings, 3), "SETTINGS");
    // The program's name differs between the languages.
    EXPECT_EQ(CatalogText(WorkTexts::AlreadyRunning, 1), "Програму \"Kestrel\" вже запущено");
    EXPECT_EQ(CatalogText(WorkTexts::AlreadyRunning, 2), "Программа \"Harrier\" уже запущена");
    EXPECT_EQ(CatalogText(WorkTexts::AlreadyRunning, 3),
              "The program \"Harrier\" is already running");
    // Spaces, line breaks and apostrophes stand as they are.
    EXPECT_EQ(CatalogText(FileTexts::FilePrefix, 1), "Файл -");
    EXPECT_EQ(CatalogText(FileTexts::FilePrefix, 2), "Файл - ");
    EXPECT_EQ(CatalogText(WorkTexts::PollingConnection, 1), "ПЗ WIN\rз’єднання");
    EXPECT_EQ(CatalogText(EditorTexts::EditorLinePrefix, 2), "Строку  \"");
    EXPECT_EQ(CatalogText(StartTexts::StartStopKeys, 2),
              "Останов  - клавиша   \"F10\" или \"Space\"");
    EXPECT_EQ(CatalogText(PortTexts::PortOpenError, 2), "Ошибка открытия порта ");
    // Fault texts are looked up by their code 1..6.
    EXPECT_EQ(CatalogText(ModemFaultTexts(6), 1), "ПОМИЛКА КОМАНДИ МОДЕМА - (ТАЙМ-АУТ): \"AT");
    EXPECT_EQ(CatalogText(ModemFaultTexts(2), 3), "NO RESPONSE FROM MODEM");
}

TEST(Catalog, EveryTextSurvivesTheFileCodePage) {
    using namespace kestrel;
    // Everything the catalog shows can be written to a Windows-1251 file and read back.
    for (std::uint8_t language = 1; language <= 3; ++language) {
        for (int key = 1; key <= 18; ++key) {
            const std::string text(CatalogText(WorkTexts(key), language));
            EXPECT_EQ(shared::Cp1251ToUtf8(shared::Utf8ToCp1251(text)), text);
        }
    }
}
