#include <gtest/gtest.h>

#include "kestrel/ringcall/dRING.h"
#include "support/ClientCallRig.h"

using kestrel::LogKind;
using kestrel::RingCommandKind;
using kestrel::RingResult;
using testing_support::ClientCallRig;

TEST(RingDriver, OpensAtTheConfiguredSpeedWithDtrAndRtsOnAfterAPause) {
    struct Case {
        const char* setting;
        int speed;
    };
    const Case cases[] = {
        {"300", 9600},  {"57600", 57600}, {" 19200 ", 19200}, {"115200", 115200},
        {"1200", 1200}, {"230000", 9600}, {"", 9600},         {"abc", 9600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        ClientCallRig r;
        r.settings.ring.speedText = c.setting;
        ASSERT_TRUE(r.call.dRING.RingOpen());
        EXPECT_EQ(r.loop.now(), 300);
        ASSERT_EQ(r.ringPort.openChanges().size(), 1u);
        EXPECT_EQ(r.ringPort.openChanges()[0].speed, c.speed);
        EXPECT_TRUE(r.ringPort.dtr());
        EXPECT_TRUE(r.ringPort.rts());
        r.call.dRING.RingClose();
        EXPECT_FALSE(r.ringPort.openByProgram());
    }
}

TEST(RingDriver, OpenFailsOnAnAbsentOrBusyPortAndTheCheckNamesTheMissingPort) {
    ClientCallRig r;
    r.ringPort.setPresence(platform::PortPresence::Busy);
    EXPECT_FALSE(r.call.dRING.RingOpen());
    EXPECT_TRUE(r.call.dRING.RingPortPresent());  // held by another program, but there
    r.settings.ring.name = "COM7";
    EXPECT_FALSE(r.call.dRING.RingOpen());
    EXPECT_FALSE(r.call.dRING.RingPortPresent());
    const auto boxes = r.desktop.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Ошибка открытия порта COM7");
    EXPECT_EQ(boxes[0].icon, platform::BoxIcon::Error);
}

TEST(RingDriver, CommandBytesOfTheThreeCommandsAndTheNumberForms) {
    struct Case {
        const char* field;
        std::string number;
        std::string dial;
    };
    const Case cases[] = {
        {"012345", "012345", "ATD012345;\r"},
        {"12345", "12345", "ATD012345;\r"},
        {"0 12 345 // office", "012345", "ATD012345;\r"},
        {"067 000 11 22", "0670001122", "ATD0670001122;\r"},
        {"// only a comment", "", ""},
        {" ", "", ""},
        {"12//34//56", "12", "ATD012;\r"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kestrel::PhoneNumberOf(c.field), c.number) << c.field;
        if (!c.number.empty()) {
            EXPECT_EQ(kestrel::RingCommandBytes(RingCommandKind::Dial, c.number), c.dial);
        }
    }
    EXPECT_EQ(kestrel::RingCommandBytes(RingCommandKind::EchoOff, ""), "ATE0\r");
    EXPECT_EQ(kestrel::RingCommandBytes(RingCommandKind::HangUp, ""), "ATH0\r");
}

TEST(RingDriver, WordsMatchOnTheLastNonBlankLineFromItsFirstResultLetter) {
    struct Case {
        std::string buffer;
        const char* word;
        bool match;
    };
    const Case cases[] = {
        {"\r\nOK\r\n", "OK", true},
        {"\r\nOK\r\n\r\n  \r\n", "OK", true},  // blank lines do not count
        {"\r\nNO CARRIER\r\n", "NOCARRIER", true},
        {"\r\nNO  DIAL TONE\r\n", "NODIALTONE", true},
        {"xyOK", "OK", true},        // from the first result letter on
        {"ATE0\r\rOK", "OK", true},  // echo on the line before
        {"ok\r\n", "OK", false},     // case matters
        {"\r\nOK\r\nBUSY\r\n", "OK", false},
        {"\r\nBUSY\r\n", "BUSY", true},
        {"\r\nBUS", "BUSY", false},
        {"", "OK", false},
        {"\r\n\r\n", "OK", false},
        {"+CME ERROR", "ERROR", false},  // "+" is a result letter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kestrel::RingMatchWord(c.buffer, c.word), c.match)
            << testing::PrintToString(c.buffer) << " " << c.word;
    }
}

TEST(RingDriver, ReceptionsSetTheLastResultAndTheAnswerField) {
    struct Case {
        const char* what;
        std::vector<std::string> chunks;
        std::vector<RingResult> after;  // RingLastResult after each chunk
    };
    const Case cases[] = {
        {"echo then OK", {"ATE0\r\r\nOK\r\n"}, {RingResult::Ok}},
        {"split NO CARRIER", {"\r\nNO CAR", "RIER\r\n"}, {RingResult::None, RingResult::NoCarrier}},
        {"CONNECT with speed",
         {"\r\n", "CONNECT 9600", "\r\n"},
         {RingResult::None, RingResult::Connect, RingResult::Connect}},
        {"OK then RING", {"OK\r\n", "RING\r\n"}, {RingResult::Ok, RingResult::Ring}},
        {"lower case", {"ok\r\n"}, {RingResult::None}},
        {"escape", {"+++"}, {RingResult::Escape}},
        {"escape with line end", {"+++\r\n"}, {RingResult::None}},
        {"one byte then more", {"O", "K"}, {RingResult::None, RingResult::Ok}},
        {"unknown keeps the last",
         {"\r\nBUSY\r\n", "\r\nHELLO\r\n"},
         {RingResult::Busy, RingResult::Busy}},
        {"each result word",
         {"\r\nERROR\r\n", "\r\nNO DIALTONE\r\n", "\r\nNO ANSWER\r\n"},
         {RingResult::Error, RingResult::NoDialTone, RingResult::NoAnswer}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClientCallRig r;
        r.modem.setScript({.silent = true});
        ASSERT_TRUE(r.call.dRING.RingOpen());
        for (std::size_t i = 0; i < c.chunks.size(); ++i) {
            r.ringPort.feed(c.chunks[i]);
            r.loop.runFor(10);
            EXPECT_EQ(r.call.dRING.RingLastResult, c.after[i]) << i;
        }
        EXPECT_EQ(r.values.call.BusySeen, c.after.back() == RingResult::Busy);
    }
}

TEST(RingDriver, NoiseInTheFirstTwoBytesAsksForEchoOffAgain) {
    for (const std::string noise : {"\xFF", "\xFFOK\r\n", "O\xFF"}) {
        ClientCallRig r;
        r.modem.setScript({.silent = true});
        ASSERT_TRUE(r.call.dRING.RingOpen());
        r.call.dRING.RingLastResult = RingResult::Ok;
        r.ringPort.feed(noise);
        r.loop.runFor(10);
        if (noise.size() == 1) {
            EXPECT_EQ(r.ringPort.written(), "");  // one byte: wait for the second
            r.ringPort.feed("x");
            r.loop.runFor(10);
        }
        EXPECT_EQ(r.ringPort.written(), "ATE0\r") << testing::PrintToString(noise);
        EXPECT_EQ(r.call.dRING.RingRxBuffer, "");
        EXPECT_EQ(r.call.dRING.RingLastResult, RingResult::None);
    }
}

TEST(RingDriver, SentAndReceivedBytesAreLoggedByteForByte) {
    ClientCallRig r;
    r.modem.setScript({.silent = true});
    ASSERT_TRUE(r.call.dRING.RingOpen());
    r.call.dRING.RingCommand(RingCommandKind::EchoOff);
    r.ringPort.feed("\r\nOK\r\n");
    r.loop.runFor(10);
    ASSERT_EQ(r.work.log.size(), 2u);
    EXPECT_EQ(r.work.log[0].kind, LogKind::SentRing);
    EXPECT_EQ(r.work.log[0].text, "->:ATE0 // hex: 41 54 45 30 0D ");
    EXPECT_EQ(r.work.log[1].kind, LogKind::ReceivedText);
    EXPECT_EQ(r.work.log[1].text, "<-: OK // hex:0D 0A 4F 4B 0D 0A ");
    EXPECT_EQ(r.ringPort.written(), "ATE0\r");
}

TEST(RingDriver, AWriteToAClosedPortIsLoggedAndReportedAndAGonePortIsOnlyNoted) {
    ClientCallRig r;
    EXPECT_FALSE(r.call.dRING.RingWrite("ATH0\r"));
    ASSERT_EQ(r.work.log.size(), 1u);
    EXPECT_EQ(r.work.log[0].text, "->:ATH0 // hex: 41 54 48 30 0D ");
    ASSERT_EQ(r.desktop.boxes().size(), 1u);
    EXPECT_EQ(r.desktop.boxes()[0].text, "ОШИБКА COM порта");

    ASSERT_TRUE(r.call.dRING.RingOpen());
    r.ringPort.setPresence(platform::PortPresence::Absent);
    r.call.dRING.RingRxBuffer = "old";
    r.call.dRING.RingCommand(RingCommandKind::HangUp);
    EXPECT_TRUE(r.call.dRING.PortLost);
    EXPECT_EQ(r.call.dRING.RingRxBuffer, "");
    EXPECT_EQ(r.ringPort.written(), "");
    EXPECT_EQ(r.work.log.size(), 1u);
    EXPECT_EQ(r.desktop.boxes().size(), 1u);
}

TEST(RingDriver, AModemThatTalksOnAndOnDoesNotGrowTheBuffer) {
    ClientCallRig r;
    r.modem.setScript({.silent = true});
    ASSERT_TRUE(r.call.dRING.RingOpen());
    for (int i = 0; i < 200; ++i) {
        r.ringPort.feed(std::string(1000, 'x') + (i % 7 == 0 ? "\r\n" : ""));
        r.loop.runFor(1);
        ASSERT_LE(r.call.dRING.RingRxBuffer.size(), 2048u);
    }
    r.ringPort.feed("\r\nBUSY\r\n");
    r.loop.runFor(1);
    EXPECT_EQ(r.call.dRING.RingLastResult, RingResult::Busy);
}
