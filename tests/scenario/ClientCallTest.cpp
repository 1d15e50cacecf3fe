#include <gtest/gtest.h>

#include "support/ClientCallRig.h"

using sim::DialOutModemScript;
using testing_support::ClientCallRig;

namespace {

// The operator opens the modem window at 10 ms and starts a call to "012345 // office" at 500 ms;
// the call window opens the port 300 ms after its start, sends ATE0 on its first step and dials
// on the first step a whole second after the OK.
const std::string kOpened =
    "00010 window ModC opened\n"
    "00500 window fRING_Cl opened\n"
    "00850 COM5 open 9600\n"
    "00850 COM5 DTR on\n"
    "00850 COM5 RTS on\n"
    "01100 COM5 <- \"ATE0\\r\"\n"
    "01100 COM5 -> \"ATE0\\r\"\n"
    "01120 COM5 -> \"\\r\\nOK\\r\\n\"\n";
const std::string kDialled = kOpened +
                             "02100 stPhoneRing \"012345\"\n"
                             "02100 COM5 <- \"ATD012345;\\r\"\n";

// Runs a manual call to "012345 // office" against a modem with `script` for `ms`.
void RunCall(ClientCallRig& r, int ms, const std::string& number = "012345 // office") {
    r.openModemWindowAt(10);
    r.callAt(500, number);
    r.loop.runFor(ms);
}

}  // namespace

TEST(ClientCall, BusyIsSuccessTheNumberTurnsGreenAndTheModemIsHungUpWithoutABox) {
    for (std::size_t split : {0, 5}) {
        SCOPED_TRACE(split);
        ClientCallRig r({.dialResult = "BUSY", .splitAt = split});
        RunCall(r, 8000);
        const std::string result = split == 0 ? "04100 COM5 -> \"\\r\\nBUSY\\r\\n\"\n"
                                              : "04100 COM5 -> \"\\r\\nBUS\"\n"
                                                "04300 COM5 -> \"Y\\r\\n\"\n";
        EXPECT_EQ(r.text(), kDialled + result +
                                "04350 stPhoneRing green\n"
                                "04350 window fRING_Cl closed\n"
                                "04550 COM5 <- \"ATH0\\r\"\n"
                                "04570 COM5 -> \"\\r\\nOK\\r\\n\"\n"
                                "04650 window ModC closed\n"
                                "04650 COM5 close\n");
        EXPECT_TRUE(r.values.call.BusySeen);
    }
}

TEST(ClientCall, NoAnswerToEchoOffIsReportedAndBothWindowsCloseWithoutHangUp) {
    ClientCallRig r({.silent = true});
    RunCall(r, 8000);
    EXPECT_EQ(r.text(),
              "00010 window ModC opened\n"
              "00500 window fRING_Cl opened\n"
              "00850 COM5 open 9600\n"
              "00850 COM5 DTR on\n"
              "00850 COM5 RTS on\n"
              "01100 COM5 <- \"ATE0\\r\"\n"
              "04100 box error \"НЕТ СВЯЗИ С МОДЕМОМ \\\"RING\\\"!!! \"\n"
              "05100 window fRING_Cl closed\n"
              "05100 window ModC closed\n"
              "05100 COM5 close\n");
}

TEST(ClientCall, DialResultsThatEndWithABoxAndNoHangUp) {
    struct Case {
        const char* result;
        const char* box;
    };
    const Case cases[] = {
        {"ERROR", "Ошибка модема. Вкл-выкл питание модема"},
        {"NO DIALTONE", "Временно нет доступа. Повторите через 3-5мин."},
        {"NO CARRIER", "Временно нет доступа. Повторите через 3-5мин."},
        {"NO ANSWER", "НЕТ СВЯЗИ С МОДЕМОМ \\\"RING\\\"!!! "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.result);
        ClientCallRig r({.dialResult = c.result, .dialDelayMs = 3000});
        RunCall(r, 9000);
        EXPECT_EQ(r.text(), kDialled + "05100 COM5 -> \"\\r\\n" + c.result +
                                "\\r\\n\"\n"
                                "05350 box error \"" +
                                c.box +
                                "\"\n"
                                "06350 window fRING_Cl closed\n"
                                "06350 window ModC closed\n"
                                "06350 COM5 close\n");
    }
}

TEST(ClientCall, WithoutAFinalResultTheCallIsHungUpSilentlyFifteenSecondsAfterTheOk) {
    ClientCallRig r({.dialResult = ""});
    std::string secondsAt4000;
    r.operatorScript.after(4000, [&] { secondsAt4000 = r.call.windows.fRING_Cl->lWait.text(); });
    RunCall(r, 20000);
    EXPECT_EQ(r.text(), kDialled +
                            "17100 window fRING_Cl closed\n"
                            "17300 COM5 <- \"ATH0\\r\"\n"
                            "17320 COM5 -> \"\\r\\nOK\\r\\n\"\n"
                            "17400 window ModC closed\n"
                            "17400 COM5 close\n");
    // The call clock restarted at the dial (2100) and ticks at 2850 and 3850.
    EXPECT_EQ(secondsAt4000, "2");
}

TEST(ClientCall, TheCallClockPastTwentyFiveSecondsEndsTheCallWithABox) {
    // Within one call the fifteen-second limit always comes first; here the clock is set forward.
    ClientCallRig r({.dialResult = ""});
    r.operatorScript.after(5000, [&] { r.call.sequence.CallSeconds = 25; });
    RunCall(r, 9000);
    EXPECT_EQ(r.text(), kDialled +
                            "06100 box error \"Временно нет доступа. Повторите "
                            "через 3-5мин.\"\n"
                            "07100 window fRING_Cl closed\n"
                            "07100 window ModC closed\n"
                            "07100 COM5 close\n");
}

TEST(ClientCall, AStopKeyHangsUpAndTheModemWindowClosesOnOkOrAfterItsLimit) {
    struct Case {
        int key;
        bool modemAnswers;
        std::string end;
    };
    const Case cases[] = {
        {platform::keys::Space, true,
         "03000 window fRING_Cl closed\n"
         "03200 COM5 <- \"ATH0\\r\"\n"
         "03220 COM5 -> \"\\r\\nOK\\r\\n\"\n"
         "03300 window ModC closed\n"
         "03300 COM5 close\n"},
        {platform::keys::F10, false,
         "03000 window fRING_Cl closed\n"
         "03200 COM5 <- \"ATH0\\r\"\n"
         "06000 window ModC closed\n"
         "06000 COM5 close\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ClientCallRig r({.dialResult = ""});
        if (!c.modemAnswers) {
            r.operatorScript.after(2500, [&] { r.modem.setScript({.silent = true}); });
        }
        r.keyAt(3000, c.key);
        RunCall(r, 8000);
        EXPECT_EQ(r.text(), kDialled + c.end);
    }
}

TEST(ClientCall, OtherKeysDoNotStopTheCall) {
    ClientCallRig r;
    r.keyAt(3000, platform::keys::Return);
    r.keyAt(3001, 'A');
    RunCall(r, 8000);
    EXPECT_NE(r.text().find("04350 window fRING_Cl closed"), std::string::npos);
}

TEST(ClientCall, ARingPortThatVanishesEndsTheCallWithoutHangUpOrBox) {
    ClientCallRig r;
    r.operatorScript.after(1500, [&] { r.ringPort.setPresence(platform::PortPresence::Absent); });
    RunCall(r, 5000);
    EXPECT_EQ(r.text(), kOpened +
                            "02100 stPhoneRing \"012345\"\n"
                            "02350 window fRING_Cl closed\n"
                            "02450 window ModC closed\n"
                            "02450 COM5 close\n");
}

TEST(ClientCall, ABusyRingPortAtOpenIsReportedAndNothingIsSent) {
    ClientCallRig r;
    r.ringPort.setPresence(platform::PortPresence::Busy);
    RunCall(r, 3000);
    EXPECT_EQ(r.text(),
              "00010 window ModC opened\n"
              "00500 window fRING_Cl opened\n"
              "00850 COM5 open 9600 failed\n"
              "00850 box error \"Ошибка порта \\\"RING\\\" \"\n"
              "01850 window fRING_Cl closed\n"
              "01850 window ModC closed\n");
}

TEST(ClientCall, AModemThatRestartsWithNoiseIsAskedForEchoOffAgain) {
    ClientCallRig r;
    r.operatorScript.after(900, [&] { r.modem.restart(); });
    RunCall(r, 8000);
    EXPECT_EQ(testing_support::ReadableText(r.transcript.between(850, 1200)),
              "00850 COM5 open 9600\n"
              "00850 COM5 DTR on\n"
              "00850 COM5 RTS on\n"
              "00900 COM5 -> \"\\xFF\\xFF\"\n"
              "00900 COM5 <- \"ATE0\\r\"\n"
              "00900 COM5 -> \"ATE0\\r\"\n"
              "00920 COM5 -> \"\\r\\nOK\\r\\n\"\n"
              "01100 COM5 <- \"ATE0\\r\"\n"
              "01120 COM5 -> \"\\r\\nOK\\r\\n\"\n");
    EXPECT_NE(r.text().find("04350 stPhoneRing green"), std::string::npos);
}

TEST(ClientCall, AnEntryWithoutANumberIsNotDialledAndEndsWithABox) {
    ClientCallRig r;
    RunCall(r, 5000, "// only a comment");
    EXPECT_EQ(r.text(), kOpened +
                            "02100 box error \"Не определен номер \\\"SIM\\\" "
                            "карты\"\n"
                            "03100 window fRING_Cl closed\n"
                            "03100 window ModC closed\n"
                            "03100 COM5 close\n");
}

TEST(ClientCall, ClosingTheModemWindowBeforeTheHangUpKeepsThePortUntilTheModemIsHungUp) {
    ClientCallRig r;
    r.operatorScript.after(4400, [&] { r.modemWindow()->N1.click(); });
    RunCall(r, 8000);
    EXPECT_EQ(testing_support::ReadableText(r.transcript.between(4350, 8000)),
              "04350 stPhoneRing green\n"
              "04350 window fRING_Cl closed\n"
              "04400 window ModC closed\n"
              "04550 COM5 <- \"ATH0\\r\"\n"
              "04570 COM5 -> \"\\r\\nOK\\r\\n\"\n"
              "04650 COM5 close\n");
}

TEST(ClientCall, ExitBeforeAnyCallClosesTheWindowAndSendsNothing) {
    ClientCallRig r;
    r.openModemWindowAt(10);
    r.operatorScript.after(500, [&] { r.modemWindow()->N1.click(); });
    r.loop.runFor(3000);
    EXPECT_EQ(r.text(),
              "00010 window ModC opened\n"
              "00500 window ModC closed\n");
}

TEST(ClientCall, ACallWithAnEmptyFieldIsRefused) {
    for (const char* field : {"", "-\"\"-"}) {
        ClientCallRig r;
        r.callAt(500, field);
        r.operatorScript.after(2000, [&] { r.modemWindow()->N1.click(); });
        r.openModemWindowAt(10);
        r.loop.runFor(3000);
        EXPECT_EQ(r.text(),
                  "00010 window ModC opened\n"
                  "00500 box error \"Не определен номер \\\"SIM\\\" карты\"\n"
                  "02000 window ModC closed\n");
    }
}

TEST(ClientCall, AutoDialRingsTheDialledNumberWithoutTheOperator) {
    ClientCallRig r;
    r.values.settings.AutoDial = true;
    r.work.number = "0501234567";
    r.transcript.watch("ComboBox1");
    r.transcript.watch("lBaner");
    r.openModemWindowAt(10);
    r.loop.runFor(6000);
    EXPECT_EQ(r.text(),
              "00010 window ModC opened\n"
              "00110 ComboBox1 \"0501234567\"\n"
              "00110 window fRING_Cl opened\n"
              "00160 lBaner \"Запрос \\\"ОК\\\" сер.N -  / SIM N - 0501234567\"\n"
              "00460 COM5 open 9600\n"
              "00460 COM5 DTR on\n"
              "00460 COM5 RTS on\n"
              "00710 COM5 <- \"ATE0\\r\"\n"
              "00710 COM5 -> \"ATE0\\r\"\n"
              "00730 COM5 -> \"\\r\\nOK\\r\\n\"\n"
              "01210 COM5 <- \"ATD0501234567;\\r\"\n"
              "03210 COM5 -> \"\\r\\nBUSY\\r\\n\"\n"
              "03460 stPhoneRing green\n"
              "03460 window fRING_Cl closed\n"
              "03660 COM5 <- \"ATH0\\r\"\n"
              "03680 COM5 -> \"\\r\\nOK\\r\\n\"\n"
              "03760 window ModC closed\n"
              "03760 COM5 close\n");
}

TEST(ClientCall, AutoDialWithoutANumberWaitsAndWithoutARingPortGivesUp) {
    {
        ClientCallRig r;
        r.values.settings.AutoDial = true;
        r.openModemWindowAt(10);
        std::string field;
        r.operatorScript.after(2000, [&] {
            field = r.modemWindow()->ComboBox1.text();
            r.modemWindow()->N1.click();
        });
        r.loop.runFor(3000);
        EXPECT_EQ(field, "-\"\"-");
        EXPECT_EQ(r.text(),
                  "00010 window ModC opened\n"
                  "02000 window ModC closed\n");
    }
    {
        ClientCallRig r;
        r.values.settings.AutoDial = true;
        r.work.number = "0501234567";
        r.settings.ring.name = "COM9";
        r.openModemWindowAt(10);
        r.loop.runFor(3000);
        EXPECT_EQ(r.text(),
                  "00010 window ModC opened\n"
                  "00110 box error \"Ошибка открытия порта COM9\"\n"
                  "01110 lErr_Power \"Err Phone\"\n"
                  "01110 window ModC closed\n");
    }
}
