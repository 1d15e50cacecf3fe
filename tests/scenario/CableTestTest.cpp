#include <gtest/gtest.h>

#include <optional>

#include "platform/core/Control.h"
#include "plover/TestFrames.h"
#include "shared/Helpers.h"
#include "sim/NullModemCable.h"
#include "support/VirtualEndpoint.h"
#include "support/VirtualPlover.h"

using platform::PortPresence;
using sim::NullModemCable;
using testing_support::VirtualEndpoint;
using testing_support::VirtualPlover;

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

std::string Q(const std::string& text) {
    return "\"" + testing_support::Escaped(text) + "\"";
}
// One transcript line.
std::string L(int time, const std::string& subject, const std::string& what) {
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "%05d ", time);
    return stamp + subject + " " + what + "\n";
}
std::string Log(int time, const char* colour, const std::string& text) {
    return L(time, "reWin", colour + (" " + Q(text)));
}

const std::string kFrameA = plover::FrameA();
const std::string kFrameB = plover::FrameB();

// One exchange: the send at `time`, what the receiver read then (none when nothing arrived) and
// the check 500 ms later, with the error count and red line of a failed one.
std::string Exchange(int time, const std::string& from, const std::string& to,
                     const std::string& frame, const std::optional<std::string>& received,
                     int errors = 0, const std::string& error = {}) {
    std::string lines = Log(time, "green", "ПЕРЕДАЧА " + from) + L(time, from, "<- " + Q(frame)) +
                        Log(time, "blue", shared::BytesToHexText(frame));
    if (received) {
        lines += L(time, to, "-> " + Q(*received));
    }
    lines += Log(time + 500, "green", "ПРИЕМ " + to) +
             Log(time + 500, "maroon", shared::BytesToHexText(received.value_or("")));
    if (errors > 0) {
        lines +=
            L(time + 500, "stError", Q(std::to_string(errors))) + Log(time + 500, "red", error);
    }
    return lines;
}

const std::string kNothing = "НЕТ ПРИНЯТЫХ ДАННЫХ ";
const std::string kWrong = "ОШИБКА ПРИНЯТЫХ ДАННЫХ ";
const std::string kPassed = "ТЕСТ ПЕРЕДАЧИ ДАННЫХ - ОШИБОК НЕТ!!";

// The tester, in Russian, with COM1 and COM2 at the two ends of a cable.
class CableRun : public ::testing::Test {
  protected:
    // The operator watches the ports once (300 to 1500 ms), chooses COM1 as RS-01 and COM2 as
    // RS-02 once the lists are usable again (1700) and switches the data test on at 1800; the
    // ports open at 1900 and 2000 and the first send is at 2500.
    static constexpr int kTestOn = 1800;

    CableRun() { p.writeFile("Type_Leng.000", "RU\r\n"); }

    static void Script(VirtualPlover& q, int rs01, int rs02, int cycles) {
        q.at(300, [&q] { Toggle(q.window().rxStart); });
        q.at(1500, [&q] { Toggle(q.window().rxStart); });
        q.at(1700, [&q, rs01, rs02, cycles] {
            if (rs01 >= 0) {
                Choose(q.window().rgRS_01, rs01);
            }
            if (rs02 >= 0) {
                Choose(q.window().rgRS_02, rs02);
            }
            q.window().seCikl.userSetText(std::to_string(cycles));
        });
        q.at(kTestOn, [&q] { Toggle(q.window().rxControl_Data); });
    }
    void chooseAndStart(int cycles) { Script(p, 0, 1, cycles); }

    // From the test switch to the first send.
    static std::string Started() {
        return L(1800, "rxControl_Data", "on") + L(1800, "reWin", "cleared") +
               L(1800, "rxStart", "disabled") + L(1800, "stRS_01", Q("COM1")) +
               L(1800, "stRS_02", Q("COM2")) + Opened(1900, "COM1") + Opened(2000, "COM2") +
               L(2000, "rgRS_01", "disabled");
    }
    static std::string Opened(int time, const std::string& port) {
        return L(time, port, "open 115200") + L(time, port, "DTR off") + L(time, port, "RTS off");
    }
    // The end of a run: the switch goes off, the ports close.
    static std::string Ended(int time) {
        return L(time, "rxControl_Data", "off") + L(time, "rxStart", "enabled") +
               L(time, "COM1", "close") + L(time, "COM2", "close");
    }
    static std::string Closed(int time) { return L(time, "window", "fRS_Wren closed"); }

    std::string since(int time) { return p.transcript.between(time, 1'000'000); }

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
    EXPECT_EQ(since(kTestOn), Started() + Exchange(2500, "COM1", "COM2", kFrameA, kFrameA) +
                                  Exchange(3500, "COM2", "COM1", kFrameB, kFrameB) + Ended(4000) +
                                  L(4000, "box", "warning " + Q(kPassed)) +
                                  L(4050, "rgRS_01", "enabled") + Closed(6000));
}

TEST_F(CableRun, NoCableCountsEveryCheckAndEndsWithoutTheFinalBox) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::Cut);
    chooseAndStart(2);
    p.run(7000);
    EXPECT_EQ(since(kTestOn),
              Started() + Exchange(2500, "COM1", "COM2", kFrameA, std::nullopt, 1, kNothing) +
                  Exchange(3500, "COM2", "COM1", kFrameB, std::nullopt, 2, kNothing) +
                  Exchange(4500, "COM1", "COM2", kFrameA, std::nullopt, 3, kNothing) +
                  Exchange(5500, "COM2", "COM1", kFrameB, std::nullopt, 4, kNothing) + Ended(6000) +
                  L(6150, "rgRS_01", "enabled") + Closed(7000));
}

TEST_F(CableRun, OneFailedExchangeIsCountedOnceAndTheRunGoesOnWithoutTheFinalBox) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::FailsOnce, 2);
    chooseAndStart(2);
    p.run(7000);
    EXPECT_EQ(since(kTestOn),
              Started() + Exchange(2500, "COM1", "COM2", kFrameA, kFrameA) +
                  Exchange(3500, "COM2", "COM1", kFrameB, std::nullopt, 1, kNothing) +
                  Exchange(4500, "COM1", "COM2", kFrameA, kFrameA) +
                  Exchange(5500, "COM2", "COM1", kFrameB, kFrameB) + Ended(6000) +
                  L(6150, "rgRS_01", "enabled") + Closed(7000));
}

TEST_F(CableRun, ThirtyThreeBytesReceivedAreWrongData) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::AddsByte);
    chooseAndStart(1);
    p.run(5000);
    EXPECT_EQ(since(kTestOn),
              Started() + Exchange(2500, "COM1", "COM2", kFrameA, kFrameA + "\xE5", 1, kWrong) +
                  Exchange(3500, "COM2", "COM1", kFrameB, kFrameB + "\xCD", 2, kWrong) +
                  Ended(4000) + L(4050, "rgRS_01", "enabled") + Closed(5000));
}

TEST_F(CableRun, ACorruptedByteIsWrongData) {
    NullModemCable cable(end1, end2, NullModemCable::Fault::CorruptsByte);
    chooseAndStart(1);
    p.run(5000);
    EXPECT_EQ(p.transcript.of({"stError"}),
              L(3000, "stError", Q("1")) + L(4000, "stError", Q("2")));
    std::string corruptedA = kFrameA;
    corruptedA[0] = char(corruptedA[0] ^ 0x01);
    std::string corruptedB = kFrameB;
    corruptedB[0] = char(corruptedB[0] ^ 0x01);
    EXPECT_EQ(p.transcript.of({"COM1", "COM2"}),
              Opened(1900, "COM1") + Opened(2000, "COM2") + L(2500, "COM1", "<- " + Q(kFrameA)) +
                  L(2500, "COM2", "-> " + Q(corruptedA)) + L(3500, "COM2", "<- " + Q(kFrameB)) +
                  L(3500, "COM1", "-> " + Q(corruptedB)) + L(4000, "COM1", "close") +
                  L(4000, "COM2", "close"));
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
        Script(q, 0, 1, c.cycles);
        q.at(c.changeAt, [&] { q.window().seCikl.userSetText(c.changeTo); });
        q.run(c.end + 2000);
        EXPECT_EQ(q.transcript.of({"rxControl_Data", "box"}),
                  L(1500, "rxControl_Data", "enabled") + L(1800, "rxControl_Data", "on") +
                      L(c.end, "rxControl_Data", "off") + L(c.end, "box", "warning " + Q(kPassed)))
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
    EXPECT_EQ(since(300), L(300, "rxStart", "on") + L(450, "rgRS_01", "disabled") +
                              L(1300, "rgRS_01", "items \"COM1\"") +
                              L(2300, "rgRS_01", "items \"COM1\" \"==>COM2\"") +
                              L(2500, "rxStart", "off") + L(2500, "rxControl_Data", "enabled") +
                              L(2550, "rgRS_01", "enabled") + L(2900, "rgRS_01", "choice 0") +
                              L(3000, "rxControl_Data", "on") + L(3000, "reWin", "cleared") +
                              L(3000, "rxStart", "disabled") + L(3000, "stRS_01", Q("COM1")) +
                              L(3000, "stRS_02", Q("COM2")) + Opened(3100, "COM1") +
                              Opened(3200, "COM2") + L(3200, "rgRS_01", "disabled") +
                              Exchange(3700, "COM1", "COM2", kFrameA, kFrameA) +
                              Exchange(4700, "COM2", "COM1", kFrameB, kFrameB) + Ended(5200) +
                              L(5200, "box", "warning " + Q(kPassed)) +
                              L(5250, "rgRS_01", "enabled") + Closed(7000));
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
    EXPECT_EQ(p.transcript.of({"rgRS_01"}),
              L(450, "rgRS_01", "disabled") + L(2300, "rgRS_01", "items \"==>COM1\" \"==>COM2\""));
}

TEST_F(CableRun, StartChecks) {
    const std::string begin = L(1800, "rxControl_Data", "on") + L(1800, "reWin", "cleared") +
                              L(1800, "rxStart", "disabled");
    const std::string refused = L(1800, "rxControl_Data", "off") + L(1800, "rxStart", "enabled");
    const struct {
        const char* what;
        std::function<void(VirtualPlover&)> prepare;
        int rs01;  // rows chosen; -1 none
        int rs02;
        std::string expected;  // from the test switch on
    } cases[] = {
        {"no RS-01", [](VirtualPlover&) {}, -1, 1,
         begin + refused + L(1800, "box", "error " + Q("RS-01 не назначен "))},
        {"no RS-02", [](VirtualPlover&) {}, 0, -1,
         begin + L(1800, "stRS_01", Q("COM1")) + refused +
             L(1800, "box", "error " + Q("RS-02 не назначен "))},
        {"the same port twice", [](VirtualPlover&) {}, 1, 1,
         begin + L(1800, "stRS_01", Q("COM2")) + L(1800, "stRS_02", Q("COM2")) + refused +
             L(1800, "box", "error " + Q("RS-01 = RS-2"))},
        // The switch stays on with nothing running until the operator switches it off (4000).
        {"a port gone",
         [](VirtualPlover& q) {
             q.at(1750, [&q] { q.vports.device("COM2").setPresence(PortPresence::Absent); });
         },
         0, 1,
         begin + L(1800, "stRS_01", Q("COM1")) + L(1800, "stRS_02", Q("COM2")) +
             Opened(1900, "COM1") + L(2000, "COM2", "open 115200 failed") +
             L(2000, "box", "error " + Q("ОШИБКА ПОРТА COM2")) + L(2000, "rgRS_01", "disabled") +
             L(4000, "rxControl_Data", "off") + L(4000, "rxStart", "enabled") +
             L(4000, "COM1", "close") + L(4050, "rgRS_01", "enabled")},
        // Present but held by another program: the run starts and its first send fails.
        {"a busy port",
         [](VirtualPlover& q) {
             q.at(1750, [&q] { q.vports.device("COM1").setPresence(PortPresence::Busy); });
         },
         0, 1,
         begin + L(1800, "stRS_01", Q("COM1")) + L(1800, "stRS_02", Q("COM2")) +
             L(1900, "COM1", "open 115200 failed") + Opened(2000, "COM2") +
             L(2000, "rgRS_01", "disabled") + Log(2500, "green", "ПЕРЕДАЧА COM1") +
             L(2500, "rxControl_Data", "off") + L(2500, "rxStart", "enabled") +
             L(2500, "COM2", "close") + L(2500, "box", "error " + Q("ОШИБКА ОТКРЫТИЯ ПОРТА COM1")) +
             L(2550, "rgRS_01", "enabled")},
        {"a short write", [](VirtualPlover& q) { q.vports.device("COM1").cutWritesTo(10); }, 0, 1,
         Started() + Log(2500, "green", "ПЕРЕДАЧА COM1") +
             L(2500, "COM1", "<- " + Q(kFrameA.substr(0, 10)) + " short 32") + Ended(2500) +
             L(2500, "box", "error " + Q("ОШИБКА ЗАПИСИ В ПОРТ COM1")) +
             L(2550, "rgRS_01", "enabled")},
    };
    for (const auto& c : cases) {
        VirtualPlover q;
        q.writeFile("Type_Leng.000", "RU\r\n");
        VirtualEndpoint one{q.vports.device("COM1")};
        VirtualEndpoint two{q.vports.device("COM2")};
        NullModemCable cable(one, two);
        c.prepare(q);
        Script(q, c.rs01, c.rs02, 1);
        q.at(4000, [&] {
            if (q.window().rxControl_Data.checked()) {
                Toggle(q.window().rxControl_Data);
            }
        });
        q.run(6000);
        EXPECT_EQ(q.transcript.between(kTestOn, 1'000'000), c.expected + Closed(6000)) << c.what;
    }
}

TEST_F(CableRun, EscDuringARunClosesTheWindowAndEndsTheProgram) {
    NullModemCable cable(end1, end2);
    chooseAndStart(5);
    p.at(2700, [this] { p.window().reWin.keyDown(platform::keys::Escape); });
    p.run(6000);
    // The ports close as the cable test is released.
    EXPECT_EQ(since(2600), L(2700, "window", "fRS_Wren closed") + L(2700, "COM2", "close") +
                               L(2700, "COM1", "close"));
    EXPECT_TRUE(p.loop.quitRequested());
    EXPECT_EQ(p.app.fRS_Wren, nullptr);
}
