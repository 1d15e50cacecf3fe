#include <gtest/gtest.h>

#include "support/StartBench.h"

using sim::GsmModemSim;
using testing_support::Escaped;
using testing_support::StartBench;

namespace {

// The pulses from the first 250 ms tick of the phase: DTR for 1.25 s, 0.5 s later RTS for 1.25 s.
const std::string kPulses =
    "00100 window fStartMod opened\n"
    "00500 COM3 DTR on\n"
    "01750 COM3 DTR off\n"
    "02250 COM3 RTS on\n"
    "03500 COM3 RTS off\n";

std::string Box(const std::string& text) {
    return "box plain \"" + Escaped(text) + "\"\n";
}

StartBench& PoweredBench(StartBench& b, int delaySeconds, GsmModemSim::Boot boot) {
    b.values.settings.SorrelModem = true;
    b.values.settings.PowerOnDelay = std::uint16_t(delaySeconds);
    b.gsm.switchOff(std::move(boot));
    return b;
}

}  // namespace

TEST(PowerCycle, PulsesThenEchoOffEverySecondUntilTheThirdIsAnswered) {
    StartBench b;
    // The modem answers from 2 s after it was switched on (at 3500): the third "E0" at 6250.
    PoweredBench(
        b, 20,
        {2000, {{100, "RDY"}, {500, "+CFUN: 1"}, {600, "+CPIN: READY"}, {5770, "Call Ready"}}});
    b.run(27000);
    EXPECT_EQ(b.log(), kPulses +
                           "03600 work fault line shown\n"
                           "03600 work fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА // 01.03.2024 "
                           "09:00:03.600 \"\n"
                           "04000 work fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА // 01.03.2024 "
                           "09:00:04.000 \"\n"
                           "04100 work fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА // 01.03.2024 "
                           "09:00:04.100 \"\n"
                           "04250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
                           "05250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
                           "06250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
                           // "Call Ready" 3 s after the OK (6270); the delay of 20 s counts from
                           // the look at the reply (6500)
                           "09270 work fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА // 01.03.2024 "
                           "09:00:09.270 \"\n"
                           // modem control begins at 26500 without the status query
                           "26600 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
                           "27000 window fStartMod closed\n");
}

TEST(PowerCycle, AfterModemControlTheFullBringUpRuns) {
    StartBench b;
    PoweredBench(b, 1, {0, {{770 + 5000, "SMS Ready"}}});
    b.run(30000);
    EXPECT_EQ(b.log(), kPulses +
                           "04250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
                           "04270 work fault line shown\n"
                           // "SMS Ready" 5 s after the OK: the phase ends in the tick after (9750)
                           "09270 work fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА // 01.03.2024 "
                           "09:00:09.270 \"\n"
                           "09850 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
                           "10600 COM3 <- \"\\r\\nAT+CSQ\\r\\n\"\n"
                           "10700 work CSQ 21\n"
                           "11850 COM3 <- \"\\r\\nAT+CMGDA=6\\r\\n\"\n"
                           "13200 work fault \"\"\n"
                           "13300 COM3 <- \"\\r\\nAT+CGATT=1\\r\\n\"\n"
                           "14550 COM3 <- \"\\r\\nAT+CGATT?\\r\\n\"\n"
                           "15800 COM3 <- \"\\r\\nAT+CIPMODE=1\\r\\n\"\n"
                           "17050 COM3 <- \"\\r\\nAT+CIPMUX=0\\r\\n\"\n"
                           "18300 COM3 <- \"\\r\\nAT+CSTT=\\\"internet\\\"\\r\\n\"\n"
                           "19550 COM3 <- \"\\r\\nAT+CIICR\\r\\n\"\n"
                           "22300 COM3 <- \"\\r\\nAT+CIFSR\\r\\n\"\n"
                           "22400 work IP Sim 10.64.12.7\n"
                           "25050 COM3 <- \"\\r\\nAT+CIPSERVER=1,5000\\r\\n\"\n"
                           "26300 work server started YES\n"
                           "26300 window fStartMod closed\n");
}

TEST(PowerCycle, FailuresEndWithTheirBox) {
    struct Case {
        const char* name;
        int delay;
        GsmModemSim::Boot boot;
        std::string expected;
    };
    const Case cases[] = {
        {"eleven unanswered E0",
         20,
         {1000000, {}},
         kPulses +
             "04250 COM3 <- \"\\r\\nATE0\\r\\n\"\n05250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
             "06250 COM3 <- \"\\r\\nATE0\\r\\n\"\n07250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
             "08250 COM3 <- \"\\r\\nATE0\\r\\n\"\n09250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
             "10250 COM3 <- \"\\r\\nATE0\\r\\n\"\n11250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
             "12250 COM3 <- \"\\r\\nATE0\\r\\n\"\n13250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
             "14250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
             "14500 " +
             Box("Err!!! ошибка включения модема!") +
             "15500 window fStartMod closed\n"
             // the last reply is still awaited: its time-out 2 s after the send
             "16150 work fault line shown\n"
             "16150 work fault \"ОШИБКА КОМАНДЫ МОДЕМА - (ТАЙМ-АУТ): \" // 01.03.2024 "
             "09:00:16.150 E0\"\"\n"},
        {"no SIM",
         1,
         {0, {{100, "RDY"}, {600, "+CPIN: NOT INSERTED"}}},
         kPulses +
             "03600 work fault line shown\n"
             "03600 work fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА // 01.03.2024 "
             "09:00:03.600 \"\n"
             "04100 work fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА // 01.03.2024 "
             "09:00:04.100 \"\n"
             "04250 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
             "04250 " +
             Box("Ошибка SIM карты") +
             "04270 work fault \"ОШИБКА SIM КАРТЫ // 01.03.2024 09:00:04.270 \"\n"
             "05250 window fStartMod closed\n"},
    };
    for (const Case& c : cases) {
        StartBench b;
        PoweredBench(b, c.delay, c.boot);
        b.run(30000);
        EXPECT_EQ(b.log(), c.expected) << c.name;
    }
}

TEST(PowerCycle, WithoutPowerControlTheLinesStayOff) {
    StartBench b;
    b.run(20000);
    EXPECT_TRUE(b.device.lineChanges().empty());
}
