#include <gtest/gtest.h>

#include <optional>

#include "platform/core/Control.h"
#include "sim/NullModemCable.h"
#include "support/VirtualEndpoint.h"
#include "support/VirtualPlover.h"

using platform::PortPresence;
using sim::NullModemCable;
using testing_support::Joined;
using testing_support::VirtualEndpoint;
using testing_support::VirtualPlover;
using Lines = std::vector<std::string>;

namespace {

// Actions as the operator makes them: a disabled control takes none.
void Toggle(platform::Control& control) {
    ASSERT_TRUE(control.enabled()) << control.name();
    control.userSetChecked(!control.checked());
}
void Choose(platform::Control& list, int row) {
    ASSERT_TRUE(list.enabled()) << list.name();
    list.userSetItemIndex(row);
}

// One transcript line.
std::string L(int time, const std::string& text) {
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%6d ", time);
    return stamp + text;
}

const std::string kFrameA =
    "01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E "
    "24 E5 ";
const std::string kFrameB =
    "1E 1D 1C 1B 1A 19 18 17 16 15 14 13 12 11 10 0F 0E 0D 0C 0B 0A 09 08 07 06 05 04 03 02 01 "
    "3C CD ";

// One exchange as the transcript shows it: the send at `time`, what the receiver read then (none
// when nothing arrived) and the check 500 ms later, with the error count and red line of a
// failed one.
Lines Exchange(int time, const std::string& from, const std::string& to, const std::string& frame,
               const std::optional<std::string>& received, int errors = 0,
               const std::string& error = {}) {
    Lines lines = {L(time, "reWin green \"ПЕРЕДАЧА " + from + "\""), L(time, from + " <- " + frame),
                   L(time, "reWin blue \"" + frame + "\"")};
    if (received) {
        lines.push_back(L(time, to + " -> " + *received));
    }
    lines.push_back(L(time + 500, "reWin green \"ПРИЕМ " + to + "\""));
    lines.push_back(L(time + 500, "reWin maroon \"" + received.value_or("") + "\""));
    if (errors > 0) {
        lines.push_back(L(time + 500, "stError \"" + std::to_string(errors) + "\""));
        lines.push_back(L(time + 500, "reWin red \"" + error + "\""));
    }
    return lines;
}

Lines operator+(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The tester, in Russian, with COM1 and COM2 at the two ends of a cable.
class CableRun : public ::testing::Test {
  protected:
    // The operator watches the ports once (300 to 1500 ms), chooses COM1 as RS-01 and COM2 as
    // RS-02 once the lists are usable again (1700) and switches the data test on at 1800; the
    // ports open at 1900 and 2000 and the first send is at 2500.
    static constexpr int kTestOn = 1800;
    static constexpr int kFirstSend = 2500;

    CableRun() { p.writeFile("Type_Leng.000", "RU\r\n"); }

    void chooseAndStart(int cycles) {
        p.at(300, [this] { Toggle(p.window().rxStart); });
        p.at(1500, [this] { Toggle(p.window().rxStart); });
        p.at(1700, [this, cycles] {
            Choose(p.window().rgRS_01, 0);
            Choose(p.window().rgRS_02, 1);
            p.window().seCikl.userSetText(std::to_string(cycles));
        });
        p.at(kTestOn, [this] { Toggle(p.window().rxControl_Data); });
    }

    // What every run shows from the test switch to the first send.
    static Lines Started() {
        return {
            L(1800, "rxControl_Data on"), L(1800, "reWin cleared"),    L(1800, "rxStart disabled"),
            L(1800, "stRS_01 \"COM1\""),  L(1800, "stRS_02 \"COM2\""), L(1900, "COM1 open 115200"),
            L(1900, "COM1 DTR off"),      L(1900, "COM1 RTS off"),     L(2000, "COM2 open 115200"),
            L(2000, "COM2 DTR off"),      L(2000, "COM2 RTS off"),     L(2000, "rgRS_01 disabled")};
    }
    // The end of a run at `time`: the switch goes off, the ports close.
    static Lines Ended(int time) {
        return {L(time, "rxControl_Data off"), L(time, "rxStart enabled"), L(time, "COM1 close"),
                L(time, "COM2 close")};
    }
    static Lines Passed(int time) {
        return Ended(time) + Lines{L(time, "warning box \"ТЕСТ ПЕРЕДАЧИ ДАННЫХ - ОШИБОК НЕТ!!\""),
                                   L(time + 50, "rgRS_01 enabled"), L(time + 1000, "box answered")};
    }
    void expectSince(int time, const Lines& expected) {
        EXPECT_EQ(Joined(p.transcript.since(time)), Joined(expected));
    }

    VirtualPlover p;
    VirtualEndpoint end1{p.vports.device("COM1")};
    VirtualEndpoint end2{p.vports.device("COM2")};
};

}  // namespace

TEST_F(CableRun, GoodCableOneCycleLogsEightLinesAndShowsTheFinalBox) {
    NullModemCable cable(end1, end2);
    chooseAndStart(1);
    p.at(5900, [this] {
        EXPECT_EQ(p.window().stError.text(), "0");
        EXPECT_EQ(p.window().reWin.lines().size(), 8u);
    });
    p.run(6000);
    expectSince(kTestOn, Started() + Exchange(2500, "COM1", "COM2", kFrameA, kFrameA) +
                             Exchange(3500, "COM2", "COM1", kFrameB, kFrameB) + Passed(4000) +
                             Lines{L(6000, "closed fRS_Wren")});
}

TEST_F(CableRun, NoCableCountsEveryCheckAndEndsWithoutTheFinalBox) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::Cut);
    chooseAndStart(2);
    p.run(7000);
    const std::string nothing = "НЕТ ПРИНЯТЫХ ДАННЫХ ";
    expectSince(kTestOn, Started() +
                             Exchange(2500, "COM1", "COM2", kFrameA, std::nullopt, 1, nothing) +
                             Exchange(3500, "COM2", "COM1", kFrameB, std::nullopt, 2, nothing) +
                             Exchange(4500, "COM1", "COM2", kFrameA, std::nullopt, 3, nothing) +
                             Exchange(5500, "COM2", "COM1", kFrameB, std::nullopt, 4, nothing) +
                             Ended(6000) + Lines{L(6150, "rgRS_01 enabled")} +
                             Lines{L(7000, "closed fRS_Wren")});
}

TEST_F(CableRun, OneFailedExchangeIsCountedOnceAndTheRunGoesOnWithoutTheFinalBox) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::FailsOnce, 2);
    chooseAndStart(2);
    p.run(7000);
    expectSince(kTestOn, Started() + Exchange(2500, "COM1", "COM2", kFrameA, kFrameA) +
                             Exchange(3500, "COM2", "COM1", kFrameB, std::nullopt, 1,
                                      "НЕТ ПРИНЯТЫХ ДАННЫХ ") +
                             Exchange(4500, "COM1", "COM2", kFrameA, kFrameA) +
                             Exchange(5500, "COM2", "COM1", kFrameB, kFrameB) + Ended(6000) +
                             Lines{L(6150, "rgRS_01 enabled")} + Lines{L(7000, "closed fRS_Wren")});
}

TEST_F(CableRun, ThirtyThreeBytesReceivedAreWrongData) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::AddsByte);
    chooseAndStart(1);
    p.run(5000);
    const std::string wrong = "ОШИБКА ПРИНЯТЫХ ДАННЫХ ";
    expectSince(kTestOn, Started() +
                             Exchange(2500, "COM1", "COM2", kFrameA, kFrameA + "E5 ", 1, wrong) +
                             Exchange(3500, "COM2", "COM1", kFrameB, kFrameB + "CD ", 2, wrong) +
                             Ended(4000) + Lines{L(4050, "rgRS_01 enabled")} +
                             Lines{L(5000, "closed fRS_Wren")});
}

TEST_F(CableRun, ACorruptedByteIsWrongData) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::CorruptsByte);
    chooseAndStart(1);
    p.run(5000);
    EXPECT_EQ(Joined(p.transcript.linesOf("reWin red")),
              Joined({L(3000, "reWin red \"ОШИБКА ПРИНЯТЫХ ДАННЫХ \""),
                      L(4000, "reWin red \"ОШИБКА ПРИНЯТЫХ ДАННЫХ \"")}));
    EXPECT_EQ(Joined(p.transcript.linesOf("stError")),
              Joined({L(3000, "stError \"1\""), L(4000, "stError \"2\"")}));
}

TEST_F(CableRun, CyclesAreReadAtEveryCheck) {
    const struct {
        const char* what;
        int cycles;
        int changeAt;
        const char* changeTo;
        int end;  // the check that ends the run
    } cases[] = {
        // Raised to 3 during the first cycle: three cycles, ending at the sixth check.
        {"raised", 1, 3200, "3", 8000},
        // Lowered to 1 after two cycles: the next check ends it, half way through a cycle.
        {"lowered below the cycles done", 5, 6200, "1", 7000},
        // A text that is no number counts as the minimum, one cycle.
        {"no number", 3, 3200, "x", 4000},
    };
    for (const auto& c : cases) {
        VirtualPlover q;
        q.writeFile("Type_Leng.000", "RU\r\n");
        VirtualEndpoint one{q.vports.device("COM1")};
        VirtualEndpoint two{q.vports.device("COM2")};
        NullModemCable cable(one, two);
        q.at(300, [&] { Toggle(q.window().rxStart); });
        q.at(1500, [&] { Toggle(q.window().rxStart); });
        q.at(1700, [&] {
            Choose(q.window().rgRS_01, 0);
            Choose(q.window().rgRS_02, 1);
            q.window().seCikl.userSetText(std::to_string(c.cycles));
        });
        q.at(kTestOn, [&] { Toggle(q.window().rxControl_Data); });
        q.at(c.changeAt, [&] { q.window().seCikl.userSetText(c.changeTo); });
        q.run(c.end + 2000);
        EXPECT_EQ(Joined(q.transcript.linesOf("rxControl_Data off")),
                  Joined({L(c.end, "rxControl_Data off")}))
            << c.what;
        EXPECT_EQ(Joined(q.transcript.linesOf("warning box")),
                  Joined({L(c.end, "warning box \"ТЕСТ ПЕРЕДАЧИ ДАННЫХ - ОШИБОК НЕТ!!\"")}))
            << c.what;
    }
}

TEST_F(CableRun, APortPluggedInAfterTheFirstScanIsMarkedAndUsable) {
    NullModemCable cable(end1, end2);
    p.vports.device("COM2").setPresence(PortPresence::Absent);
    p.at(300, [this] { Toggle(p.window().rxStart); });
    p.at(1600, [this] { p.vports.device("COM2").setPresence(PortPresence::Present); });
    p.at(2500, [this] { Toggle(p.window().rxStart); });
    p.at(2900, [this] {
        Choose(p.window().rgRS_01, 0);
        Choose(p.window().rgRS_02, 1);
    });
    p.at(3000, [this] { Toggle(p.window().rxControl_Data); });
    p.run(7000);
    expectSince(300, Lines{L(300, "rxStart on"),          L(450, "rgRS_01 disabled"),
                           L(1300, "rgRS_01 items COM1"), L(2300, "rgRS_01 items COM1 ==>COM2"),
                           L(2500, "rxStart off"),        L(2500, "rxControl_Data enabled"),
                           L(2550, "rgRS_01 enabled"),    L(2900, "rgRS_01 choice 0"),
                           L(3000, "rxControl_Data on"),  L(3000, "reWin cleared"),
                           L(3000, "rxStart disabled"),   L(3000, "stRS_01 \"COM1\""),
                           L(3000, "stRS_02 \"COM2\""),   L(3100, "COM1 open 115200"),
                           L(3100, "COM1 DTR off"),       L(3100, "COM1 RTS off"),
                           L(3200, "COM2 open 115200"),   L(3200, "COM2 DTR off"),
                           L(3200, "COM2 RTS off"),       L(3200, "rgRS_01 disabled")} +
                         Exchange(3700, "COM1", "COM2", kFrameA, kFrameA) +
                         Exchange(4700, "COM2", "COM1", kFrameB, kFrameB) + Passed(5200) +
                         Lines{L(7000, "closed fRS_Wren")});
}

TEST_F(CableRun, WithNoPortAtTheFirstScanEveryPortFoundLaterIsNew) {
    for (const char* name : {"COM1", "COM2"}) {
        p.vports.device(name).setPresence(PortPresence::Absent);
    }
    p.at(300, [this] { Toggle(p.window().rxStart); });
    p.at(1600, [this] {
        p.vports.device("COM2").setPresence(PortPresence::Present);
        p.vports.device("COM1").setPresence(PortPresence::Present);
    });
    p.at(2900, [this] {
        EXPECT_TRUE(p.test().KnownPorts.empty());
        Toggle(p.window().rxStart);
    });
    p.run(3000);
    EXPECT_EQ(Joined(p.transcript.linesOf("rgRS_01 items")),
              Joined({L(2300, "rgRS_01 items ==>COM1 ==>COM2")}));
}

TEST_F(CableRun, StartChecks) {
    const struct {
        const char* what;
        std::function<void(VirtualPlover&)> prepare;
        int rs01;  // rows chosen; -1 none
        int rs02;
        Lines expected;  // from the test switch on
    } cases[] = {
        {"no RS-01",
         [](VirtualPlover&) {},
         -1,
         1,
         {L(1800, "rxControl_Data on"), L(1800, "reWin cleared"), L(1800, "rxStart disabled"),
          L(1800, "rxControl_Data off"), L(1800, "rxStart enabled"),
          L(1800, "error box \"RS-01 не назначен \""), L(2800, "box answered")}},
        {"no RS-02",
         [](VirtualPlover&) {},
         0,
         -1,
         {L(1800, "rxControl_Data on"), L(1800, "reWin cleared"), L(1800, "rxStart disabled"),
          L(1800, "stRS_01 \"COM1\""), L(1800, "rxControl_Data off"), L(1800, "rxStart enabled"),
          L(1800, "error box \"RS-02 не назначен \""), L(2800, "box answered")}},
        {"the same port twice",
         [](VirtualPlover&) {},
         1,
         1,
         {L(1800, "rxControl_Data on"), L(1800, "reWin cleared"), L(1800, "rxStart disabled"),
          L(1800, "stRS_01 \"COM2\""), L(1800, "stRS_02 \"COM2\""), L(1800, "rxControl_Data off"),
          L(1800, "rxStart enabled"), L(1800, "error box \"RS-01 = RS-2\""),
          L(2800, "box answered")}},
        // The switch stays on with nothing running until the operator switches it off (4000).
        {"a port gone",
         [](VirtualPlover& q) {
             q.at(1750, [&q] { q.vports.device("COM2").setPresence(PortPresence::Absent); });
         },
         0,
         1,
         {L(1800, "rxControl_Data on"), L(1800, "reWin cleared"), L(1800, "rxStart disabled"),
          L(1800, "stRS_01 \"COM1\""), L(1800, "stRS_02 \"COM2\""), L(1900, "COM1 open 115200"),
          L(1900, "COM1 DTR off"), L(1900, "COM1 RTS off"), L(2000, "COM2 open failed"),
          L(2000, "error box \"ОШИБКА ПОРТА COM2\""), L(2000, "rgRS_01 disabled"),
          L(3000, "box answered"), L(4000, "rxControl_Data off"), L(4000, "rxStart enabled"),
          L(4000, "COM1 close"), L(4050, "rgRS_01 enabled")}},
        {"a busy port",
         [](VirtualPlover& q) {
             q.at(1750, [&q] { q.vports.device("COM1").setPresence(PortPresence::Busy); });
         },
         0, 1,
         Lines{L(1800, "rxControl_Data on"), L(1800, "reWin cleared"), L(1800, "rxStart disabled"),
               L(1800, "stRS_01 \"COM1\""), L(1800, "stRS_02 \"COM2\""),
               L(1900, "COM1 open failed"), L(2000, "COM2 open 115200"), L(2000, "COM2 DTR off"),
               L(2000, "COM2 RTS off"), L(2000, "rgRS_01 disabled"),
               L(2500, "reWin green \"ПЕРЕДАЧА COM1\""), L(2500, "rxControl_Data off"),
               L(2500, "rxStart enabled"), L(2500, "COM2 close"),
               L(2500, "error box \"ОШИБКА ОТКРЫТИЯ ПОРТА COM1\""), L(2550, "rgRS_01 enabled"),
               L(3500, "box answered")}},
        {"a short write", [](VirtualPlover& q) { q.vports.device("COM1").cutWritesTo(10); }, 0, 1,
         Started() + Lines{L(2500, "reWin green \"ПЕРЕДАЧА COM1\""),
                           L(2500, "COM1 <- 01 02 03 04 05 06 07 08 09 0A (10 of 32)"),
                           L(2500, "rxControl_Data off"), L(2500, "rxStart enabled"),
                           L(2500, "COM1 close"), L(2500, "COM2 close"),
                           L(2500, "error box \"ОШИБКА ЗАПИСИ В ПОРТ COM1\""),
                           L(2550, "rgRS_01 enabled"), L(3500, "box answered")}},
    };
    for (const auto& c : cases) {
        VirtualPlover q;
        q.writeFile("Type_Leng.000", "RU\r\n");
        VirtualEndpoint one{q.vports.device("COM1")};
        VirtualEndpoint two{q.vports.device("COM2")};
        NullModemCable cable(one, two);
        c.prepare(q);
        q.at(300, [&] { Toggle(q.window().rxStart); });
        q.at(1500, [&] { Toggle(q.window().rxStart); });
        q.at(1700, [&] {
            if (c.rs01 >= 0) {
                Choose(q.window().rgRS_01, c.rs01);
            }
            if (c.rs02 >= 0) {
                Choose(q.window().rgRS_02, c.rs02);
            }
        });
        q.at(kTestOn, [&] { Toggle(q.window().rxControl_Data); });
        q.at(4000, [&] {
            if (q.window().rxControl_Data.checked()) {
                Toggle(q.window().rxControl_Data);
            }
        });
        q.run(6000);
        Lines expected = c.expected;
        expected.push_back(L(6000, "closed fRS_Wren"));
        EXPECT_EQ(Joined(q.transcript.since(kTestOn)), Joined(expected)) << c.what;
    }
}

TEST_F(CableRun, EscDuringARunClosesTheWindowAndEndsTheProgram) {
    NullModemCable cable(end1, end2);
    chooseAndStart(5);
    p.at(2700, [this] { p.window().reWin.keyDown(platform::keys::Escape); });
    p.run(6000);
    // The ports close as the cable test is released.
    expectSince(2600, {L(2700, "closed fRS_Wren"), L(2700, "COM2 close"), L(2700, "COM1 close")});
    EXPECT_TRUE(p.loop.quitRequested());
    EXPECT_EQ(p.app.fRS_Wren, nullptr);
}
