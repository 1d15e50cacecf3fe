#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>

#include "DemoFolder.h"
#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/work/pWinServ.h"
#include "sim/PollingSoftwareSim.h"
#include "support/TempFolder.h"

// The real program on the Qt backend with its WIN and SERVER ports on pseudo-terminals, the
// polling software and the GSM modem on the far ends, and the operator clicking the rendered
// widgets. Real time, a few seconds.
TEST(ServerRun, PollingSoftwareDialsAndGetsConnectWithTheNumberShown) {
    testing_support::TempFolder folder;
    tools::InProcessKestrel k(folder.path(),
                              "-e2e-" + std::to_string(QCoreApplication::applicationPid()));
    tools::DemoPeers peers(k.loop);
    ASSERT_EQ(peers.prepare({}, folder.path(), false), "");
    sim::PollingSoftwareSim& polling = peers.polling;
    polling.startWhenReceived("U");
    polling.command(200, "AT");
    polling.command(700, "ATE0");
    polling.dial(700, "0501234567");

    k.app.start();
    std::string shownNumber;
    k.operatorScript.after(200, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSERVER); });
    k.operatorScript.after(600, [&] {
        ASSERT_NE(k.app.fWinServ, nullptr);
        k.click(*k.app.fWinServ, k.app.fWinServ->TB_Retry);
    });
    platform::Timer watch(k.loop, 50, true);
    watch.onTick([&] {
        const std::int64_t connect = polling.received().timeOf("CONNECT");
        if (k.app.fWinServ == nullptr ||
            ((connect < 0 || k.loop.now() < connect + 300) && k.loop.now() < 8000)) {
            return;
        }
        watch.setEnabled(false);
        auto* number =
            qobject_cast<QLabel*>(k.widget(*k.app.fWinServ, k.app.fWinServ->stPhoneRing));
        shownNumber = number ? number->text().toStdString() : "";
        k.click(*k.app.fWinServ, k.app.fWinServ->TB_Exit);
    });
    k.app.run();

    const auto& got = polling.received();
    EXPECT_EQ(got.all(), "U\r\nOK\r\n\r\nOK\r\n\r\nCONNECT 9600/RLP\r\n");
    const auto& sent = polling.sent().chunks();
    ASSERT_EQ(sent.size(), 3u);
    // Each answer about half a second after its command.
    const std::int64_t answers[] = {got.timeOf("OK"), got.timeOf("\r\nOK\r\n\r\nOK"),
                                    got.timeOf("CONNECT")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(answers[i] - sent[std::size_t(i)].time, 450) << i;
        EXPECT_LE(answers[i] - sent[std::size_t(i)].time, 900) << i;
    }
    EXPECT_EQ(shownNumber, "0501234567");
    // Meanwhile the server start talks to the modem, beginning with echo off.
    ASSERT_FALSE(peers.modem.commands().empty());
    EXPECT_EQ(peers.modem.commands().front().text, "E0");
    EXPECT_EQ(peers.modem.received().all().substr(0, 9), "U\r\nATE0\r\n");
    EXPECT_TRUE(k.loop.quitRequested());
}
