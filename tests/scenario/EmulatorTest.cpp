#include <gtest/gtest.h>

#include "kestrel/winlink/ModemEmulator.h"
#include "support/ServerRun.h"

using testing_support::kConnect;
using testing_support::kOk;
using testing_support::ServerRun;

namespace {

// Each answer the polling software got, with how long after its command it came.
struct Answer {
    std::string bytes;
    std::int64_t delay;
    bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Answer& a) {
    return out << "[" << a.bytes.size() << " bytes after " << a.delay << " ms]";
}

// Pairs each received answer (after the port's "U") with the latest command sent before it.
std::vector<Answer> AnswersOf(const sim::PollingSoftwareSim& polling) {
    std::vector<Answer> answers;
    for (const auto& got : polling.received().chunks()) {
        if (got.bytes == "U") {
            continue;
        }
        std::int64_t commandTime = -1;
        for (const auto& sent : polling.sent().chunks()) {
            if (sent.time <= got.time) {
                commandTime = sent.time;
            }
        }
        answers.push_back({got.bytes, got.time - commandTime});
    }
    return answers;
}

}  // namespace

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

TEST(Emulator, DialCommandsAreAnsweredWithConnectAndShowTheNumber) {
    struct Case {
        const char* what;
        std::vector<std::string> chunks;  // 100 ms apart
        std::string number;
        std::string forwarded;
    };
    const Case cases[] = {
        {"dial wins over ATE0 in one chunk", {"ATE0\rATD0123456789\r"}, "0123456789", ""},
        {"tone dial with punctuation", {"ATDT+01(234)567-89\r"}, "0123456789", ""},
        {"dial split over two chunks", {"ATD12345\r", "6789\r"}, "123456789", "ATD12345\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServerRun r;
        int pause = 0;
        for (const auto& chunk : c.chunks) {
            r.polling.send(pause, chunk);
            pause = 100;
        }
        std::string shown;
        bool linkUp = false;
        r.at(3000, [&] {
            shown = r.work().stPhoneRing.text();
            linkUp = r.values().links.PollingLinkUp();
            EXPECT_EQ(r.work().sConnWin.text(), "YES");
            EXPECT_EQ(r.work().sConnWin.colour(), platform::colours::Green);
        });
        r.run(3500);
        const auto answers = AnswersOf(r.polling);
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0], (Answer{kConnect, 500}));
        EXPECT_EQ(shown, c.number);
        EXPECT_TRUE(linkUp);
        EXPECT_EQ(r.modem.received().all(), "U" + c.forwarded);
    }
}

TEST(Emulator, WhatIsNotACommandIsForwarded) {
    ServerRun r;
    r.polling.command(0, "at");  // lower case
    r.run(2000);
    EXPECT_TRUE(AnswersOf(r.polling).empty());
    EXPECT_EQ(r.modem.received().all(), "Uat\r");
}

TEST(Emulator, TwoCommandsCloseTogetherGetOneAnswerForTheLast) {
    ServerRun r;
    r.polling.command(0, "AT");
    r.polling.dial(200, "0123456789");
    r.run(3000);
    const auto& sent = r.polling.sent().chunks();
    const auto& got = r.polling.received().chunks();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[1].bytes, kConnect);
    EXPECT_EQ(got[1].time, sent[0].time + 500);  // the timer was not restarted
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
    EXPECT_EQ(AnswersOf(r.polling).size(), 1u);       // only the CONNECT; ATH gets no OK
    EXPECT_EQ(r.modem.received().all(), "UAT\r+++");  // the ATH chunk is kept back
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
