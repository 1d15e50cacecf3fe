#include <gtest/gtest.h>

#include "kestrel/winlink/ModemEmulator.h"
#include "support/ServerRun.h"

using platform::DesktopRecord;
using testing_support::ServerRun;

TEST(WorkWindow, OpensWithAllIndicatorsNoAndShowsTheGprsSettings) {
    ServerRun r;
    r.at(300, [&] {
        kestrel::TfWinServ& w = r.work();
        for (auto* indicator : {&w.sStartServ, &w.sConn_SERV, &w.sConn_CSD_GPRS, &w.sConnWin}) {
            EXPECT_EQ(indicator->text(), "NO");
            EXPECT_EQ(indicator->colour(), platform::colours::Red);
        }
        EXPECT_EQ(w.lPortS.text(), "5001");
        EXPECT_EQ(w.lAPN_Serv.text(), "internet");
        EXPECT_EQ(w.lConnWin.text(), "ПЗ WIN\rз’єднання");
        EXPECT_EQ(w.bounds(), (platform::Rect{0, 0, 650, 480}));
        EXPECT_FALSE(w.pLogDeb.visible());  // no monitor
        EXPECT_FALSE(w.TB_ContrSost.enabled());
        EXPECT_FALSE(w.TB_Phone.enabled());
        w.SetServerStarted(true);
        EXPECT_EQ(w.sStartServ.text(), "YES");
        EXPECT_EQ(w.sStartServ.colour(), platform::colours::Green);
        EXPECT_TRUE(w.TB_ContrSost.enabled());
        EXPECT_TRUE(w.TB_Phone.enabled());
        w.close();  // refused: only the exit button ends the run
        EXPECT_TRUE(w.isShown());
    });
    r.run(1000, false);
}

TEST(WorkWindow, StateLineFollowsTheFlags) {
    struct Case {
        bool s, c, p;
        const char* line;  // empty: unchanged
    };
    const Case cases[] = {
        {true, true, true, "СЕРВЕР ВКЛЮЧЕНИЙ - ТАК З’ЄДНАННЯ З ПРИСТРОЕМ, ТАК ПЗ ОПИТУВАННЯ"},
        {true, true, false, "СЕРВЕР ВКЛЮЧЕНИЙ - ТАК З’ЄДНАННЯ З ПРИСТРОЕМ, НІ ПЗ ОПИТУВАННЯ"},
        {true, false, false, "СЕРВЕР ВКЛЮЧЕНИЙ - ОЧІКУВАННЯ З’ЄДНАННЯ З ПРИСТРОЕМ"},
        {false, false, false, "СЕРВЕР ВИМКНЕНО"},
        {true, false, true, ""},
        {false, true, false, ""},
    };
    ServerRun r;
    r.at(300, [&] {
        kestrel::TfWinServ& w = r.work();
        for (const Case& c : cases) {
            w.lSostServ.setText("previous");
            w.lErr_Power.setText("fault");
            w.lErr_Power.setVisible(true);
            w.SetServerStarted(c.s);
            w.SetClientConnected(c.c);
            w.SetPollingLinkUp(c.p);
            w.ShowServerState();
            const std::string expected = *c.line ? c.line : "previous";
            EXPECT_EQ(w.lSostServ.text(), expected) << c.s << c.c << c.p;
            const bool running = c.s && *c.line;
            EXPECT_EQ(w.lErr_Power.visible(), !running) << c.s << c.c << c.p;
        }
        r.values().links.StatusControlActive = true;
        w.ShowServerState();
        EXPECT_EQ(w.lSostServ.text(), "КОНТРОЛЬ СТАНУ СЕРВЕРУ");
        r.values().links.StatusControlActive = false;
        w.SetClientConnected(false);
    });
    r.run(1000, false);
}

namespace {

// The transcript lines of the countdown showing `first`, `first` - 1, ... down to `last`, one a
// second from `time`.
std::string Countdown(std::int64_t time, int first, int last) {
    std::string lines;
    for (int n = first; n >= last; --n, time += 1000) {
        char line[64];
        std::snprintf(line, sizeof line, "%05lld sStepStopOK \"%03d\"\n", (long long)time, n);
        lines += line;
    }
    return lines;
}

}  // namespace

// The state line's tick runs every 500 ms from the window's opening at 10 ms, so a client
// connected at 1000 ms starts the countdown at 1010 ms.
TEST(WorkWindow, SilenceCountdownRunsFrom059To000AndEndsOnTheNextTick) {
    ServerRun r;
    r.transcript().watch("pTimeOK");
    r.transcript().watch("sStepStopOK");
    r.at(1000, [&] { r.work().SetClientConnected(true); });
    std::uint8_t idleAfterTheEnd = 255;
    r.at(62'100, [&] { idleAfterTheEnd = r.values().links.IdleSeconds; });
    r.run(64'000, false);
    // Still connected, the next state tick starts it again.
    EXPECT_EQ(r.transcript().of({"pTimeOK", "sStepStopOK"}), "01010 pTimeOK shown\n" +
                                                                 Countdown(2010, 59, 0) +
                                                                 "62010 pTimeOK hidden\n"
                                                                 "62510 pTimeOK shown\n"
                                                                 "63510 sStepStopOK \"059\"\n");
    EXPECT_EQ(idleAfterTheEnd, 0);
}

TEST(WorkWindow, AReceptionOnEitherPortStartsTheCountdownAgain) {
    struct Case {
        const char* port;
        std::string reception;  // its transcript lines
    };
    const Case cases[] = {
        {"WIN", "10500 COM4 -> \"data\"\n10500 COM3 <- \"data\"\n"},
        {"SERVER", "10500 COM3 -> \"data\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        ServerRun r;
        r.transcript().watch("sStepStopOK");
        r.at(1000, [&] { r.work().SetClientConnected(true); });
        r.at(10'500,
             [&] { (std::string(c.port) == "WIN" ? r.pollingLine : r.modemLine).send("data"); });
        r.run(13'000);
        EXPECT_EQ(r.transcript().between(9000, 13'000),
                  Countdown(9010, 52, 51) + c.reception + Countdown(11'010, 59, 58));
    }
}

// The connection status control stops the countdown and clears the link; the next client gets
// the whole limit again.
TEST(WorkWindow, ACountdownStoppedMidwayStartsFromTheFullLimitForTheNextClient) {
    ServerRun r;
    r.transcript().watch("sStepStopOK");
    r.at(1000, [&] { r.work().SetClientConnected(true); });
    r.at(5500, [&] {
        r.work().tStopOK.setEnabled(false);
        r.work().SetClientConnected(false);
    });
    r.at(8000, [&] { r.work().SetClientConnected(true); });
    r.run(10'500, false);
    EXPECT_EQ(r.transcript().of({"sStepStopOK"}),
              Countdown(2010, 59, 56) + Countdown(9010, 59, 58));
}

TEST(WorkWindow, AutoDialSwitchShowsAndHidesTheCallButtons) {
    ServerRun r({.autoDial = true});
    r.at(300, [&] {
        kestrel::TfWinServ& w = r.work();
        EXPECT_TRUE(w.rxAuto_Phone.checked());
        EXPECT_FALSE(w.TB_Phone.visible());
        EXPECT_FALSE(w.TB_EditPhone.visible());
        w.rxAuto_Phone.userSetChecked(false);
        EXPECT_FALSE(r.values().settings.AutoDial);
        EXPECT_TRUE(w.TB_Phone.visible());
        EXPECT_TRUE(w.TB_EditPhone.visible());
        w.rxAuto_Phone.userSetChecked(true);
        EXPECT_TRUE(r.values().settings.AutoDial);
        EXPECT_FALSE(w.TB_Phone.visible());
    });
    r.run(1000, false);
}

TEST(WorkWindow, AutoStartStartsTheServerWithoutAClick) {
    ServerRun r({.autoStart = true});
    r.run(2000, false);
    ASSERT_FALSE(r.serverPort.openChanges().empty());
    // SERVER at 10 ms, the window's start 100 ms later, then the 300 ms pause before the open.
    EXPECT_EQ(r.serverPort.openChanges()[0].time, ServerRun::kServerClick + 100 + 300);
}

// A port that does not open is reported with the port layer's own report, which names the port
// and the reason.
TEST(WorkWindow, StartRefusedOrFailingSaysWhyAndLeavesTheIndicatorsNo) {
    struct Case {
        const char* what;
        std::function<void(ServerRun&)> arrange;
        std::vector<std::string> boxes;  // the program's own texts
        const char* failedPort = nullptr;
        bool winOpened = false;
    };
    const Case cases[] = {
        {"SERVER port switched off",
         [](ServerRun& r) { r.values().settings.ServerPortOff = true; },
         {"Старт сервер"}},
        {"APN and port missing",
         [](ServerRun& r) {
             r.values().settings.GprsApn.clear();
             r.values().settings.GprsPort.clear();
         },
         {"Помилка! У вікні \"УСТАНОВКИ ПЗ\" не визначено \"APN\"",
          "Помилка! У вікні \"УСТАНОВКИ ПЗ\" не визначено \"Порт\""}},
        {"SERVER port does not open",
         [](ServerRun& r) { r.serverPort.refuseOpen(true); },
         {},
         "COM3"},
        {"WIN port does not open", [](ServerRun& r) { r.winPort.refuseOpen(true); }, {}, "COM4"},
        {"WIN port held by another program",
         [](ServerRun& r) { r.winPort.setPresence(platform::PortPresence::Busy); },
         {},
         "COM4"},
        {"both open", [](ServerRun&) {}, {}, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ServerRun r;
        r.at(100, [&] { c.arrange(r); });
        r.at(3000, [&] { r.work().TB_Retry.click(); });
        r.at(5000, [&] { EXPECT_EQ(r.work().sStartServ.text(), "NO"); });
        r.run(6000, false);
        std::vector<std::string> expected = c.boxes;
        if (c.failedPort != nullptr) {
            const auto& port = std::string(c.failedPort) == "COM3" ? r.k.app.InRS232->XComm_Serv
                                                                   : r.k.app.InRS232->XComm_WIN;
            EXPECT_EQ(port->lastError().find(c.failedPort), 0u);
            expected.push_back(port->lastError());
        }
        std::vector<std::string> boxes;
        for (const auto& b : r.k.desktop.boxes()) {
            EXPECT_EQ(b.icon, platform::BoxIcon::Error);
            boxes.push_back(b.text);
        }
        EXPECT_EQ(boxes, expected);
        EXPECT_EQ(!r.winPort.openChanges().empty(), c.winOpened);
        EXPECT_EQ(!r.polling.received().chunks().empty(), c.winOpened);  // its "U"
    }
}

TEST(WorkWindow, RestartClearsTheIndicatorsAndTheWriteFailures) {
    ServerRun r;
    r.at(1500, [&] { r.serverPort.cutWritesTo(0); });
    r.polling.send(1000, "data");  // forwarded, and the write fails
    r.at(2000, [&] {
        kestrel::TfWinServ& w = r.work();
        w.SetClientConnected(true);
        w.SetClientIdentified(true);
        w.SetPollingLinkUp(true);
        ASSERT_TRUE(r.k.app.relay->ServerWriteFailed());
        r.serverPort.cutWritesTo(-1);
        w.TB_Retry.click();
        EXPECT_FALSE(r.k.app.relay->ServerWriteFailed());
        EXPECT_FALSE(r.k.app.relay->WinWriteFailed());
        EXPECT_EQ(w.sConn_SERV.text(), "NO");
        EXPECT_EQ(w.sConn_CSD_GPRS.text(), "NO");
        EXPECT_EQ(w.sConnWin.text(), "NO");
    });
    r.run(3000);
    EXPECT_EQ(r.winPort.written(), "UU");
}

TEST(WorkWindow, LeavingRaisesDtrClosesTheFileAndEndsTheProgram) {
    ServerRun r;
    r.values().debug.DebugFile = true;
    r.run(2000);
    EXPECT_EQ(r.transcript().between(2000, 3000), R"(02000 COM3 DTR on
02100 COM3 close
)");
    EXPECT_FALSE(r.k.app.logs->ExchangeLogFile.isOpen());
    EXPECT_TRUE(r.k.loop.quitRequested());
    EXPECT_FALSE(r.k.app.fKestrel->isShown());
}

TEST(WorkWindow, ExchangeLogFileIsCreatedForARunWithTheFileFlag) {
    ServerRun r;
    r.values().debug.DebugFile = true;
    r.k.loop.setWallClock({2024, 3, 1, 9, 5, 3, 0});
    r.run(1000, false);
    const auto expected = r.folder.work("0905030010FlLog.000");  // the SERVER click's time
    EXPECT_TRUE(std::filesystem::exists(expected));
}

TEST(WorkWindow, ExchangeLogFileThatCannotBeCreatedIsANoticeAndTheRunGoesOn) {
    ServerRun r;
    r.values().debug.DebugFile = true;
    r.k.loop.setWallClock({2024, 3, 1, 9, 5, 3, 0});
    std::filesystem::create_directory(r.folder.work("0905030010FlLog.000"));  // in the way
    bool open = false;
    r.at(2000, [&] { open = r.k.app.fWinServ != nullptr; });
    r.run(2500, false);
    const auto boxes = r.k.desktop.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, platform::BoxIcon::Information);
    EXPECT_NE(boxes[0].text.find("FlLog.000"), std::string::npos);
    EXPECT_TRUE(open);
}

TEST(WorkWindow, IntentsOfUnitsShowWhileTheWindowIsOpenAndAreDroppedOnceItIsClosed) {
    ServerRun r;
    for (const char* field : {"leManuf", "leTypeCorr", "leSerNumCl", "leNumPh", "leTm_out"}) {
        r.transcript().watch(field);
    }
    kestrel::WorkWindowIntents& work = *r.k.app.workWindow;
    r.at(300, [&] {
        work.ShowDialledNumber("0501234567");
        work.ShowCallBusy();
        EXPECT_EQ(r.work().stPhoneRing.colour(), platform::colours::Green);
        work.ShowModemFault("ERROR // 01.03.2024 09:00:00.300");
        work.ShowDevice({"maker", std::nullopt, "123", "0501234567", "30"});
        work.ClearDeviceFields();
        work.StartAutoDial();
        EXPECT_TRUE(r.work().tStartPhone.enabled());
    });
    r.at(400, [&] { work.HideModemFault(); });
    r.run(2000, false);
    // The window closed with the run: intents change nothing and log nowhere.
    work.ShowDialledNumber("1");
    work.SetPollingLinkUp(true);
    EXPECT_FALSE(r.values().links.PollingLinkUp());
    EXPECT_EQ(work.LogPane(kestrel::LogPaneId::Ring), nullptr);
    EXPECT_EQ(r.transcript().between(300, 2000), R"(00300 stPhoneRing "0501234567"
00300 lErr_Power "ERROR // 01.03.2024 09:00:00.300"
00300 lErr_Power shown
00300 leManuf "maker"
00300 leSerNumCl "123"
00300 leNumPh "0501234567"
00300 leTm_out "30"
00300 leManuf "-\"\"-"
00300 leTypeCorr "-\"\"-"
00300 leSerNumCl "-\"\"-"
00300 leNumPh "-\"\"-"
00300 leTm_out "-\"\"-"
00400 lErr_Power hidden
00400 lErr_Power ""
00550 window ModC opened
)");
}
