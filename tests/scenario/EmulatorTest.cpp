#include <gtest/gtest.h>

#include "kestrel/winlink/ModemEmulator.h"
#include "support/ServerRun.h"

using testing_support::ServerRun;

TEST(Emulator, DialDigitsAndHangUpCheck) {
    EXPECT_EQ(kestrel::DialDigits("ATDT+01(234)567-89\r"), "0123456789");
    EXPECT_EQ(kestrel::DialDigits("ATD;, \r\n"), "");
    using enum kestrel::HangUpCheck;
    struct Case {
        std::string buffer;
        kestrel::HangUpCheck result;
        std::string after;
    };
    const Case cases[] = {
        {"data", None, "data"},
        {"+++", EscapeOnly, "+++"},
        {"+++ATH\r", HangUp, "+++ATH\r"},
        {"ATH in data, later +++", HangUp, "ATH in data, later +++"},
        {"+++" + std::string(18, 'x'), EscapeOnly, "+++" + std::string(18, 'x')},
        {"+++" + std::string(19, 'x'), EscapeOnly, ""},
    };
    for (const Case& c : cases) {
        std::string buffer = c.buffer;
        EXPECT_EQ(kestrel::WinHangUpCheck(buffer), c.result) << c.buffer;
        EXPECT_EQ(buffer, c.after) << c.buffer;
    }
}

TEST(Emulator, ThreeCommandsGetThreeOkAnswersHalfASecondAfterEach) {
    ServerRun r;
    r.polling.command(0, "AT");
    r.polling.command(600, "ATE0");
    r.polling.command(600, "ATH0");
    r.run(4000);
    // Each OK half a second after its command; nothing reaches the modem.
    EXPECT_EQ(r.transcript().of({"COM3", "COM4"}),
              R"(00500 COM3 open 115200
00500 COM3 <- "U"
00800 COM4 open 115200
00800 COM4 <- "U"
00801 COM4 -> "AT\r"
01301 COM4 <- "\r\nOK\r\n"
01401 COM4 -> "ATE0\r"
01901 COM4 <- "\r\nOK\r\n"
02001 COM4 -> "ATH0\r"
02501 COM4 <- "\r\nOK\r\n"
04000 COM3 DTR on
04100 COM3 close
)");
}

// The polling software's script starts when the WIN port's "U" reaches it, at 801 ms.
TEST(Emulator, DialCommandsAreAnsweredWithConnectAndShowTheNumber) {
    struct Case {
        const char* what;
        std::vector<std::string> chunks;  // 100 ms apart
        std::string transcript;           // WIN, SERVER, number and WIN link indicator
    };
    const Case cases[] = {
        {"dial wins over ATE0 in one chunk",
         {"ATE0\rATD0123456789\r"},
         R"(00801 COM4 -> "ATE0\rATD0123456789\r"
00801 stPhoneRing "0123456789"
01301 COM4 <- "\r\nCONNECT 9600/RLP\r\n"
01301 sConnWin "YES"
)"},
        {"tone dial with punctuation",
         {"ATDT+01(234)567-89\r"},
         R"(00801 COM4 -> "ATDT+01(234)567-89\r"
00801 stPhoneRing "0123456789"
01301 COM4 <- "\r\nCONNECT 9600/RLP\r\n"
01301 sConnWin "YES"
)"},
        {"dial split over two chunks",
         {"ATD12345\r", "6789\r"},
         R"(00801 COM4 -> "ATD12345\r"
00801 COM3 <- "ATD12345\r"
00901 COM4 -> "6789\r"
00901 stPhoneRing "123456789"
01401 COM4 <- "\r\nCONNECT 9600/RLP\r\n"
01401 sConnWin "YES"
)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServerRun r;
        int pause = 0;
        for (const auto& chunk : c.chunks) {
            r.polling.send(pause, chunk);
            pause = 100;
        }
        r.run(3500);
        EXPECT_EQ(r.transcript().between(801, 3500, {"COM3", "COM4", "stPhoneRing", "sConnWin"}),
                  c.transcript);
        EXPECT_TRUE(r.values().links.PollingLinkUp());
    }
}

// Any text with "AT" is answered OK, unless it holds an "ATD" without the ten characters of a
// dial command: then only "ATE0" or "ATH0" get it answered.
TEST(Emulator, CommandCheckTable) {
    struct Case {
        std::string chunk;
        std::string transcript;  // WIN and SERVER from the chunk on
    };
    const Case cases[] = {
        {"ATZ\r", "00801 COM4 -> \"ATZ\\r\"\n01301 COM4 <- \"\\r\\nOK\\r\\n\"\n"},
        {"ATE0\rATD5\r", "00801 COM4 -> \"ATE0\\rATD5\\r\"\n01301 COM4 <- \"\\r\\nOK\\r\\n\"\n"},
        {"ATD5\rATH0\r", "00801 COM4 -> \"ATD5\\rATH0\\r\"\n01301 COM4 <- \"\\r\\nOK\\r\\n\"\n"},
        {"ATD5\rAT\r", "00801 COM4 -> \"ATD5\\rAT\\r\"\n00801 COM3 <- \"ATD5\\rAT\\r\"\n"},
        {"at\r", "00801 COM4 -> \"at\\r\"\n00801 COM3 <- \"at\\r\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chunk);
        ServerRun r;
        r.polling.send(0, c.chunk);
        r.run(2000);
        EXPECT_EQ(r.transcript().between(801, 2000, {"COM3", "COM4"}), c.transcript);
    }
}

TEST(Emulator, ADialCommandStartsTheAutoDialOnlyWhenItIsOn) {
    for (bool autoDial : {false, true}) {
        SCOPED_TRACE(autoDial);
        ServerRun r({.autoDial = autoDial});
        r.polling.dial(0, "0123456789");
        bool armed = !autoDial;
        bool stillArmed = true;
        r.at(1000, [&] { armed = r.work().tStartPhone.enabled(); });
        r.at(1100, [&] { stillArmed = r.work().tStartPhone.enabled(); });
        r.run(2000);
        EXPECT_EQ(armed, autoDial);
        EXPECT_FALSE(stillArmed);  // its tick, 250 ms after the dial command, switched it off
        EXPECT_EQ(r.transcript().of({"stPhoneRing"}), "00801 stPhoneRing \"0123456789\"\n");
    }
}

TEST(Emulator, TwoCommandsCloseTogetherGetOneAnswerForTheLast) {
    ServerRun r;
    r.polling.command(0, "AT");
    r.polling.dial(200, "0123456789");
    r.run(3000);
    // The answer timer armed by the first command is not restarted by the second.
    EXPECT_EQ(r.transcript().between(801, 3000, {"COM3", "COM4", "stPhoneRing", "sConnWin"}),
              R"(00801 COM4 -> "AT\r"
01001 COM4 -> "ATD0123456789\r"
01001 stPhoneRing "0123456789"
01301 COM4 <- "\r\nCONNECT 9600/RLP\r\n"
01301 sConnWin "YES"
)");
}

TEST(Emulator, DataStateForwardsCommandsAndWatchesForTheHangUp) {
    ServerRun r;
    r.polling.dial(0, "0123456789");
    r.polling.command(1000, "AT");
    r.polling.hangUp(500, 1000);
    std::int64_t hangUpArmed = -1;
    r.at(2600, [&] { EXPECT_FALSE(r.k.app.emulator->tStop_CSD_GPRS.enabled()); });
    r.at(3400, [&] {
        if (r.k.app.emulator->tStop_CSD_GPRS.enabled()) {
            hangUpArmed = r.k.loop.now();
        }
        EXPECT_TRUE(r.k.app.emulator->WinRxBuffer().empty());
    });
    r.at(4400, [&] { EXPECT_FALSE(r.k.app.emulator->tStop_CSD_GPRS.enabled()); });
    r.run(5000);
    // AT is forwarded, ATH gets no OK and is kept back.
    EXPECT_EQ(r.transcript().between(1302, 5000, {"COM3", "COM4"}), R"(01801 COM4 -> "AT\r"
01801 COM3 <- "AT\r"
02301 COM4 -> "+++"
02301 COM3 <- "+++"
03301 COM4 -> "ATH\r"
)");
    EXPECT_EQ(hangUpArmed, 3400);
}

TEST(Emulator, EscapeFollowedByDataEmptiesTheBufferAndForwardsEverything) {
    ServerRun r;
    r.polling.dial(0, "0123456789");
    r.polling.send(1000, "+++");
    r.polling.send(100, std::string(19, 'd'));
    std::string buffer = "unset";
    r.at(2500, [&] { buffer = r.k.app.emulator->WinRxBuffer(); });
    r.run(3000);
    EXPECT_EQ(buffer, "");
    EXPECT_EQ(r.modem.received().all(), "U+++" + std::string(19, 'd'));
}

TEST(Emulator, WinSpeedTable) {
    const std::pair<const char*, int> cases[] = {
        {" 19 200 ", 19200}, {"921000", 921000}, {"300", 9600}};
    for (const auto& [text, speed] : cases) {
        ServerRun r({.winSpeed = text});
        r.run(1500);
        ASSERT_FALSE(r.winPort.openChanges().empty());
        EXPECT_EQ(r.winPort.openChanges()[0].speed, speed) << text;
        EXPECT_EQ(r.winPort.openChanges()[0].time, 800);
    }
}
