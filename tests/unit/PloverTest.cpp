#include <gtest/gtest.h>

#include <string>

#include "platform/core/Control.h"
#include "plover/TestFrames.h"
#include "plover/TesterTexts.h"
#include "plover/pCRC16.h"
#include "plover/pRs_Wren.h"
#include "shared/Helpers.h"

using plover::CompareFrame;
using plover::CompareResult;

TEST(Crc16Modbus, CheckValueAndKnownSums) {
    EXPECT_EQ(plover::Crc16Modbus("123456789"), 0x4B37);
    EXPECT_EQ(plover::Crc16Modbus(""), 0xFFFF);
    // A Modbus request (slave 1, read 2 registers from 0) with its well-known CRC 0x0BC4.
    EXPECT_EQ(plover::Crc16Modbus(std::string("\x01\x03\x00\x00\x00\x02", 6)), 0x0BC4);
}

TEST(Crc16Modbus, FeedsAtMost1400Bytes) {
    const std::string limit(plover::kCrcInputLimit, 'x');
    EXPECT_EQ(plover::Crc16Modbus(limit + "more"), plover::Crc16Modbus(limit));
    EXPECT_NE(plover::Crc16Modbus(limit.substr(1) + "y"), plover::Crc16Modbus(limit));
}

TEST(TestFrames, BothFramesByteForByte) {
    EXPECT_EQ(shared::BytesToHexText(plover::FrameA()),
              "01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 17 18 19 1A 1B "
              "1C 1D 1E 24 E5 ");
    EXPECT_EQ(shared::BytesToHexText(plover::FrameB()),
              "1E 1D 1C 1B 1A 19 18 17 16 15 14 13 12 11 10 0F 0E 0D 0C 0B 0A 09 08 07 06 05 04 "
              "03 02 01 3C CD ");
}

TEST(CompareFrame, Table) {
    const std::string a = plover::FrameA();
    std::string lastByteWrong = a;
    lastByteWrong.back() = char(0xE4);
    std::string firstByteWrong = a;
    firstByteWrong.front() = char(0x00);
    const struct {
        const char* what;
        std::string received;
        CompareResult expected;
    } cases[] = {
        {"the same 32 bytes", a, CompareResult::Good},
        {"nothing", "", CompareResult::NothingReceived},
        {"one byte", a.substr(0, 1), CompareResult::WrongData},
        {"31 bytes", a.substr(0, 31), CompareResult::WrongData},
        {"33 bytes", a + a.back(), CompareResult::WrongData},
        {"two frames", a + a, CompareResult::WrongData},
        {"a wrong CRC byte", lastByteWrong, CompareResult::WrongData},
        {"a wrong first byte", firstByteWrong, CompareResult::WrongData},
        {"the other frame", plover::FrameB(), CompareResult::WrongData},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareFrame(a, c.received), c.expected) << c.what;
    }
    // Nothing sent (a failed send): whatever arrived is wrong, nothing is still nothing.
    EXPECT_EQ(CompareFrame("", a), CompareResult::WrongData);
    EXPECT_EQ(CompareFrame("", ""), CompareResult::NothingReceived);
}

TEST(SelectedPort, ChosenRowWithoutTheNewPortMark) {
    platform::Control list(platform::ControlKind::RadioGroup, "rgRS_01");
    list.setItems({"COM1", "==>COM7", "COM12"});
    const std::pair<int, const char*> cases[] = {
        {-1, ""}, {0, "COM1"}, {1, "COM7"}, {2, "COM12"}, {3, ""},
    };
    for (const auto& [index, port] : cases) {
        list.setItemIndex(index);
        EXPECT_EQ(plover::SelectedPort(list), port) << index;
    }
    // Only the first ">" counts.
    list.setItems({"a>b>c"});
    list.setItemIndex(0);
    EXPECT_EQ(plover::SelectedPort(list), "b>c");
}

TEST(TesterTexts, LanguagesAndTheMissingManualMessageAsStored) {
    using plover::TesterText;
    const auto text = [](TesterText key, std::uint8_t language) {
        return std::string(plover::TesterCatalogText(key, language));
    };
    EXPECT_EQ(text(TesterText::RunPassed, 2), "ТЕСТ ПЕРЕДАЧИ ДАННЫХ - ОШИБОК НЕТ!!");
    EXPECT_EQ(text(TesterText::WindowCaption, 3), "null modem cable control");
    EXPECT_EQ(text(TesterText::ErrorLabel, 1), "Кіл-сть\rпомилок");
    EXPECT_EQ(text(TesterText::AboutVersion, 2), "Версия 1.03");
    EXPECT_EQ(text(TesterText::FilePrefix, 1) + "P" + text(TesterText::NotFoundSuffix, 1),
              "Файл -Pне знайдений!!!");
    EXPECT_EQ(text(TesterText::FilePrefix, 3) + "P" + text(TesterText::NotFoundSuffix, 3),
              "File -P not found!!!");
    // An index outside 1..3 reads the Ukrainian column.
    EXPECT_EQ(text(TesterText::ExitMenu, 0), "ВИХІД");
}
