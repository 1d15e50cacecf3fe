#include <gtest/gtest.h>

#include "platform/core/Timer.h"
#include "platform/virtual/VirtualEventLoop.h"
#include "shared/Helpers.h"

using namespace shared;

namespace {
std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s += char(v);
    }
    return s;
}
}  // namespace

TEST(SpaceHelpers, Table) {
    struct Case {
        std::string (*fn)(std::string_view);
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {RemoveSpaces, " a b\tc ", "ab\tc"}, {CollapseSpaces, "a   b", "a b"},
        {CollapseSpaces, "  a", " a"},       {CollapseSpaces, "a  ", "a "},
        {CollapseSpaces, "a b", "a b"},      {TrimLeftSpaces, "  a b ", "a b "},
        {TrimSpaces, "  a b  ", "a b"},      {TrimSpaces, "   ", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.fn(c.in), c.out) << "input [" << c.in << "]";
    }
}

TEST(SpaceHelpers, PadLeftPadsButNeverCuts) {
    EXPECT_EQ(PadLeft('0', "7", 2), "07");
    EXPECT_EQ(PadLeft('0', "123", 2), "123");
    EXPECT_EQ(PadLeft(' ', "", 3), "   ");
}

TEST(HexHelpers, ByteToHexAndHexToInt) {
    EXPECT_EQ(ByteToHex(0x0D, 2), "0D");
    EXPECT_EQ(ByteToHex(0xAB, 1), "AB");
    EXPECT_EQ(ByteToHex(5, 4), "0005");
    EXPECT_EQ(HexToInt("1F"), 31);
    EXPECT_EQ(HexToInt("$1f"), 31);
    EXPECT_EQ(HexToInt("GG"), 0);
    EXPECT_EQ(HexToInt(""), 0);
    EXPECT_EQ(HexToInt("-1"), 0);
}

TEST(HexHelpers, BytesToHexTextEndsWithASpace) {
    EXPECT_EQ(BytesToHexText(Bytes({13, 10})), "0D 0A ");
    EXPECT_EQ(BytesToHexText(""), "");
    EXPECT_EQ(BytesToHexText(Bytes({0, 255})), "00 FF ");
}

TEST(HexHelpers, HexTextToBytes) {
    const std::string crlf = Bytes({13, 10});
    EXPECT_EQ(HexTextToBytes("0D0A"), crlf);
    EXPECT_EQ(HexTextToBytes("0d 0a"), crlf);
    EXPECT_EQ(HexTextToBytes("0D 0A"), crlf);
    EXPECT_EQ(HexTextToBytes("0D 0A 4F 4B 0D 0A"), "\r\nOK\r\n");
    EXPECT_EQ(HexTextToBytes("ABC"), Bytes({171, 12}));
    EXPECT_EQ(HexTextToBytes("GG41"), Bytes({0, 0x41}));
    EXPECT_EQ(HexTextToBytes(""), "");
}

TEST(Filters, StripLineControlsAndDropControlChars) {
    EXPECT_EQ(StripLineControls("\r\nOK\r\n"), "OK");
    EXPECT_EQ(StripLineControls(Bytes({0, 1, 2, 3, 9, 'A'})), Bytes({3, 9, 'A'}));
    EXPECT_EQ(DropControlChars("a b\tc\x1f"), "a bc");
}

TEST(Numbers, IntegerTextAndConversion) {
    struct Case {
        const char* text;
        bool integer;
        std::int64_t value;
    };
    const Case cases[] = {
        {" 12 3 ", true, 123},
        {"+5", false, 0},
        {"", false, 0},
        {"-17", true, -17},
        {"-", true, 0},
        {"--5", true, 0},
        {"1-2", true, 0},
        {"12a", false, 0},
        {"9223372036854775807", true, INT64_MAX},
        {"99999999999999999999", true, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsIntegerText(c.text), c.integer) << c.text;
        EXPECT_EQ(TextToInt64(c.text), c.value) << c.text;
    }
}

TEST(Numbers, FirstFourBytesLeastSignificantFirst) {
    EXPECT_EQ(FirstFourBytesToInt(Bytes({1, 0, 0, 0})), 1);
    EXPECT_EQ(FirstFourBytesToInt(Bytes({255, 255, 255, 255})), -1);
    EXPECT_EQ(FirstFourBytesToInt(Bytes({0x78, 0x56, 0x34, 0x12, 0x99})), 0x12345678);
    // Missing bytes read as 0.
    EXPECT_EQ(FirstFourBytesToInt(Bytes({2, 1})), 0x0102);
    EXPECT_EQ(FirstFourBytesToInt(""), 0);
}

TEST(TimeTexts, FromTheLoopsWallClock) {
    platform::VirtualEventLoop loop({2024, 3, 1, 9, 5, 3, 7});
    EXPECT_EQ(NowTimeText(loop), "09:05:03.007");
    EXPECT_EQ(TodayText(loop), "01.03.2024");
    EXPECT_EQ(TimeCode(loop), "0905030007");
    EXPECT_EQ(NowDateTime(loop), (platform::DateTime{2024, 3, 1, 9, 5, 3, 7}));
}

TEST(TimeTexts, SecondsToText) {
    EXPECT_EQ(SecondsToText(0), "00 сек.");
    EXPECT_EQ(SecondsToText(59), "59 сек.");
    EXPECT_EQ(SecondsToText(75), "1 мин. 15 сек.");
    EXPECT_EQ(SecondsToText(3600), "60 мин. 00 сек.");
    EXPECT_EQ(SecondsToText(65535), "1092 мин. 15 сек.");
}

TEST(WaitWithEvents, DeliversAtLeastOnceAndWaitsTheTimeWithTimersRunning) {
    platform::VirtualEventLoop loop;
    bool posted = false;
    loop.post([&] { posted = true; });
    WaitWithEvents(loop, 0);
    EXPECT_TRUE(posted);
    EXPECT_EQ(loop.now(), 0);

    int ticks = 0;
    platform::Timer timer(loop, 10, true);
    timer.onTick([&] { ++ticks; });
    WaitWithEvents(loop, 55);
    EXPECT_GE(loop.now(), 55);
    EXPECT_EQ(ticks, 5);
}
