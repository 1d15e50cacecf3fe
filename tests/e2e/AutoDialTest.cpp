#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>

#include "DemoFolder.h"
#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/ringcall/ClientCall.h"
#include "kestrel/work/pWinServ.h"
#include "support/TempFolder.h"

// The real program on the Qt backend with auto-dial on and its WIN, SERVER and RING ports on
// pseudo-terminals: the polling software dials, the modem window opens by itself and rings the
// number on the dial-out modem, which answers BUSY and is hung up. Real time, a few seconds.
TEST(AutoDial, ThePollingSoftwaresDialRingsTheDeviceAndTheNumberTurnsGreen) {
    testing_support::TempFolder folder;
    tools::InProcessKestrel k(folder.path(),
                              "-e2e-" + std::to_string(QCoreApplication::applicationPid()));
    tools::DemoPeers peers(k.loop);
    ASSERT_EQ(peers.prepare({}, folder.path(), false, true), "");
    peers.ringModem.setScript({.dialResult = "BUSY", .dialDelayMs = 500});
    peers.polling.startWhenReceived("U");
    peers.polling.dial(300, "0501234567");

    k.app.start();
    k.operatorScript.after(200, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSERVER); });
    k.operatorScript.after(600, [&] {
        ASSERT_NE(k.app.fWinServ, nullptr);
        k.click(*k.app.fWinServ, k.app.fWinServ->TB_Retry);
    });
    bool modemWindowOpened = false;
    QColor numberColour;
    std::string number;
    platform::Timer watch(k.loop, 50, true);
    watch.onTick([&] {
        modemWindowOpened = modemWindowOpened || k.app.clientCall->windows.fModC != nullptr;
        const bool hungUp = peers.ringModem.received().timeOf("ATH0\r") >= 0 &&
                            k.app.clientCall->windows.fModC == nullptr;
        if (k.app.fWinServ == nullptr || (!hungUp && k.loop.now() < 10000)) {
            return;
        }
        watch.setEnabled(false);
        auto* shown = qobject_cast<QLabel*>(k.widget(*k.app.fWinServ, k.app.fWinServ->stPhoneRing));
        number = shown ? shown->text().toStdString() : "";
        numberColour = shown ? shown->palette().color(QPalette::WindowText) : QColor();
        k.click(*k.app.fWinServ, k.app.fWinServ->TB_Exit);
    });
    k.app.run();

    EXPECT_TRUE(modemWindowOpened);
    const std::string ring = peers.ringModem.received().all();
    const auto echoOff = ring.find("ATE0\r");
    const auto dial = ring.find("ATD0501234567;\r");
    const auto hangUp = ring.find("ATH0\r");
    EXPECT_NE(echoOff, std::string::npos) << ring;
    EXPECT_NE(dial, std::string::npos) << ring;
    EXPECT_NE(hangUp, std::string::npos) << ring;
    EXPECT_LT(echoOff, dial);
    EXPECT_LT(dial, hangUp);
    EXPECT_EQ(number, "0501234567");
    EXPECT_EQ(numberColour, QColor(0, 128, 0));
    EXPECT_NE(peers.polling.received().all().find("CONNECT 9600/RLP"), std::string::npos);
}
