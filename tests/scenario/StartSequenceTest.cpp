#include <gtest/gtest.h>

#include "support/StartBench.h"

using sim::GsmModemSim;
using testing_support::StartBench;

namespace {

// The modem-control phase every run without power control begins with: echo off, signal quality,
// delete SMS, IP status, each followed by its pause.
const std::string kModemControl =
    "00100 window fStartMod opened\n"
    "00350 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
    "00370 work fault line shown\n"
    "01100 COM3 <- \"\\r\\nAT+CSQ\\r\\n\"\n"
    "01200 work CSQ 21\n"
    "02350 COM3 <- \"\\r\\nAT+CMGDA=6\\r\\n\"\n"
    "03600 COM3 <- \"\\r\\nAT+CIPSTATUS\\r\\n\"\n";

struct StartCase {
    const char* name;
    std::function<void(StartBench&)> setUp;
    int endMs;
    std::string expected;
};

}  // namespace

TEST(StartSequence, FreshModemGetsTheTwelveCommandsWithTheirPauses) {
    StartBench b;
    b.run(20000);
    EXPECT_EQ(b.transcript.text(),
              "00000 COM3 open 9600\n"
              "00100 window fStartMod opened\n"
              "00350 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
              "00370 COM3 -> \"\\r\\nOK\\r\\n\"\n"
              "00370 work fault line shown\n"
              // 0.5 s after the reply was found complete at 450, on the 50 ms step grid
              "01100 COM3 <- \"\\r\\nAT+CSQ\\r\\n\"\n"
              "01120 COM3 -> \"\\r\\n+CSQ: 21,0\\r\\n\\r\\nOK\\r\\n\"\n"
              "01200 work CSQ 21\n"
              // 1 s after the others
              "02350 COM3 <- \"\\r\\nAT+CMGDA=6\\r\\n\"\n"
              "02370 COM3 -> \"\\r\\nOK\\r\\n\"\n"
              "03600 COM3 <- \"\\r\\nAT+CIPSTATUS\\r\\n\"\n"
              "03620 COM3 -> \"\\r\\nOK\\r\\n\\r\\nSTATE: IP INITIAL\\r\\n\"\n"
              // no client socket open: on to the server start, clearing the fault line
              "04950 work fault \"\"\n"
              "05050 COM3 <- \"\\r\\nAT+CGATT=1\\r\\n\"\n"
              "05070 COM3 -> \"\\r\\nOK\\r\\n\"\n"
              "06300 COM3 <- \"\\r\\nAT+CGATT?\\r\\n\"\n"
              "06320 COM3 -> \"\\r\\n+CGATT: 1\\r\\n\\r\\nOK\\r\\n\"\n"
              "07550 COM3 <- \"\\r\\nAT+CIPMODE=1\\r\\n\"\n"
              "07570 COM3 -> \"\\r\\nOK\\r\\n\"\n"
              "08800 COM3 <- \"\\r\\nAT+CIPMUX=0\\r\\n\"\n"
              "08820 COM3 -> \"\\r\\nOK\\r\\n\"\n"
              "10050 COM3 <- \"\\r\\nAT+CSTT=\\\"internet\\\"\\r\\n\"\n"
              "10070 COM3 -> \"\\r\\nOK\\r\\n\"\n"
              "11300 COM3 <- \"\\r\\nAT+CIICR\\r\\n\"\n"
              "11320 COM3 -> \"\\r\\nOK\\r\\n\"\n"
              // 2.5 s after CIICR and CIFSR
              "14050 COM3 <- \"\\r\\nAT+CIFSR\\r\\n\"\n"
              "14070 COM3 -> \"\\r\\n10.64.12.7\\r\\n\"\n"
              "14150 work IP Sim 10.64.12.7\n"
              "16800 COM3 <- \"\\r\\nAT+CIPSERVER=1,5000\\r\\n\"\n"
              "16820 COM3 -> \"\\r\\nOK\\r\\n\\r\\nSERVER OK\\r\\n\"\n"
              "18050 work server started YES\n"
              "18050 window fStartMod closed\n");
}

TEST(StartSequence, TheIpStatusDecidesWhatFollows) {
    const StartCase cases[] = {
        {"IP GPRSACT: only the address and the server socket",
         [](StartBench& b) { b.gsm.setIpState(GsmModemSim::IpState::GprsAct); }, 20000,
         kModemControl + "04950 work fault \"\"\n"
                         "05050 COM3 <- \"\\r\\nAT+CIFSR\\r\\n\"\n"
                         "05150 work IP Sim 10.64.12.7\n"
                         "07800 COM3 <- \"\\r\\nAT+CIPSERVER=1,5000\\r\\n\"\n"
                         "09050 work server started YES\n"
                         "09050 window fStartMod closed\n"},
        {"a CONNECTED client socket is closed first and the status asked again",
         [](StartBench& b) {
             b.gsm.setIpState(GsmModemSim::IpState::Status);
             b.gsm.setSocketConnected(true);
         },
         20000,
         kModemControl + "04950 COM3 <- \"\\r\\nAT+CIPCLOSE\\r\\n\"\n"
                         "05050 COM3 <- \"\\r\\nAT+CIPSTATUS\\r\\n\"\n"
                         "05200 work fault \"\"\n"
                         "05300 COM3 <- \"\\r\\nAT+CIFSR\\r\\n\"\n"
                         "05400 work IP Sim 10.64.12.7\n"
                         "08050 COM3 <- \"\\r\\nAT+CIPSERVER=1,5000\\r\\n\"\n"
                         "09300 work server started YES\n"
                         "09300 window fStartMod closed\n"},
        {"IP PROCESSING ends after modem control without a word",
         [](StartBench& b) { b.gsm.setIpState(GsmModemSim::IpState::Processing); }, 20000,
         kModemControl + "04950 window fStartMod closed\n"},
        {"a listening server is brought up again from the start",
         [](StartBench& b) { b.gsm.setIpState(GsmModemSim::IpState::ServerListening); }, 6000,
         kModemControl + "04950 work fault \"\"\n"
                         "05050 COM3 <- \"\\r\\nAT+CGATT=1\\r\\n\"\n"
                         "06000 window fStartMod closed\n"},
    };
    for (const StartCase& c : cases) {
        StartBench b;
        c.setUp(b);
        b.run(c.endMs);
        EXPECT_EQ(b.log(), c.expected) << c.name;
    }
}

TEST(StartSequence, FaultsCloseTheWindowWithTheirMessage) {
    const StartCase cases[] = {
        {"ERROR to +CGATT=1: the next step ends the start, naming the command",
         [](StartBench& b) { b.gsm.fail("+CGATT=1"); }, 20000,
         kModemControl +
             "04950 work fault \"\"\n"
             "05050 COM3 <- \"\\r\\nAT+CGATT=1\\r\\n\"\n"
             "05070 work fault \"ОШИБКА КОМАНДЫ МОДЕМА: // 01.03.2024 09:00:05.070 +CGATT=1\"\n"
             "05100 work fault \"ОШИБКА КОМАНДЫ МОДЕМА: // 01.03.2024 09:00:05.100 +CGATT=1\"\n"
             "05100 window fStartMod closed\n"},
        {"the modem echoes: the profile message",
         [](StartBench& b) {
             b.gsm.setEcho(true);
             b.gsm.reply("E0", "\r\nOK\r\n", 300);
         },
         20000,
         "00100 window fStartMod opened\n"
         "00350 COM3 <- \"\\r\\nATE0\\r\\n\"\n"
         "00350 work fault line shown\n"
         "00450 work fault \"НЕ ЗАПИСАН ПРОФИЛЬ ИНИЦИАЛИЗАЦИИ МОДЕМА // 01.03.2024 "
         "09:00:00.450 \"\n"
         "00450 window fStartMod closed\n"},
        {"no answer to the status query: its time-out after 2 s",
         [](StartBench& b) { b.gsm.ignore("+CIPSTATUS"); }, 20000,
         kModemControl + "05600 work fault \"ОШИБКА КОМАНДЫ МОДЕМА - (ТАЙМ-АУТ): \" // 01.03.2024 "
                         "09:00:05.600 +CIPSTATUS\"\"\n"
                         "05650 work fault \"ОШИБКА КОМАНДЫ МОДЕМА - (ТАЙМ-АУТ): \" // 01.03.2024 "
                         "09:00:05.650 +CIPSTATUS\"\"\n"
                         "05650 window fStartMod closed\n"},
    };
    for (const StartCase& c : cases) {
        StartBench b;
        c.setUp(b);
        b.run(c.endMs);
        EXPECT_EQ(b.log(), c.expected) << c.name;
    }
}

TEST(StartSequence, SpaceClosesAtOnceAndTheOutstandingReplyTimesOutLater) {
    for (int key : {platform::keys::Space, platform::keys::F10}) {
        StartBench b;
        b.gsm.ignore("+CIICR");
        b.op.after(12000, [&] { b.press(key); });
        b.run(140000);
        EXPECT_EQ(b.transcript.between(11000, 140000),
                  "11300 COM3 <- \"\\r\\nAT+CIICR\\r\\n\"\n"
                  "12000 window fStartMod closed\n"
                  // 120 s after the send
                  "131300 work fault \"ОШИБКА КОМАНДЫ МОДЕМА - (ТАЙМ-АУТ): \" // 01.03.2024 "
                  "09:02:11.300 +CIICR\"\"\n")
            << key;
        EXPECT_FALSE(b.modem.StartWindowOpen());
    }
}

TEST(StartSequence, DeactivatedContextWhileWaitingLeavesTheWindowToTheOperator) {
    StartBench b;
    b.gsm.ignore("+CIICR");
    b.gsm.notice("+PDP: DEACT", 11500);
    b.run(30000);
    b.loop.runFor(170000);
    // The reply bookkeeping was reset: no time-out ever comes.
    EXPECT_EQ(b.transcript.between(11000, 200000),
              "11300 COM3 <- \"\\r\\nAT+CIICR\\r\\n\"\n"
              "11500 COM3 -> \"\\r\\n+PDP: DEACT\\r\\n\"\n"
              "30000 window fStartMod closed\n");
}
