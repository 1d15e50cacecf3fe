#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include "DemoFolder.h"
#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/work/pWinServ.h"
#include "support/TempFolder.h"

// The real program on the Qt backend with the GSM modem simulator on its SERVER pseudo-terminal:
// the operator starts the server, the modem is brought to a listening server socket, a device
// connects and identifies itself, the work window shows it, and its reading reaches the polling
// software. Real time, about ten seconds: the
// modem has GPRS up already, so the start needs only the address and the server socket.
TEST(ModemServer, StartReachesListeningAndADeviceIdentifies) {
    testing_support::TempFolder folder;
    tools::InProcessKestrel k(folder.path(),
                              "-e2e-" + std::to_string(QCoreApplication::applicationPid()));
    tools::DemoPeers peers(k.loop);
    ASSERT_EQ(peers.prepare({}, folder.path(), false), "");
    peers.modem.setIpState(sim::GsmModemSim::IpState::GprsAct);

    k.app.start();
    k.operatorScript.after(200, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSERVER); });
    k.operatorScript.after(600, [&] {
        ASSERT_NE(k.app.fWinServ, nullptr);
        k.click(*k.app.fWinServ, k.app.fWinServ->TB_Retry);
    });
    std::map<std::string, std::string> shown;
    std::int64_t identifiedAt = -1;
    platform::Timer watch(k.loop, 50, true);
    watch.onTick([&] {
        kestrel::TfWinServ* work = k.app.fWinServ;
        if (work == nullptr) {
            return;
        }
        if (identifiedAt < 0 && k.app.values.links.ClientIdentified()) {
            identifiedAt = k.loop.now();
        }
        if ((identifiedAt < 0 || k.loop.now() < identifiedAt + 1500) && k.loop.now() < 25000) {
            return;
        }
        watch.setEnabled(false);
        for (platform::Control* c : {&work->sStartServ, &work->sConn_SERV, &work->sConn_CSD_GPRS}) {
            shown[c->name()] = qobject_cast<QLabel*>(k.widget(*work, *c))->text().toStdString();
        }
        for (platform::Control* c : {&work->leManuf, &work->leTypeCorr, &work->leSerNumCl,
                                     &work->leNumPh, &work->leTm_out, &work->lIP_Sim}) {
            shown[c->name()] = qobject_cast<QLineEdit*>(k.widget(*work, *c))->text().toStdString();
        }
        k.click(*work, work->TB_Exit);
    });
    k.app.run();

    ASSERT_GE(identifiedAt, 0) << "no device identified";
    const std::map<std::string, std::string> expected = {
        {"sStartServ", "YES"},
        {"sConn_SERV", "YES"},
        {"sConn_CSD_GPRS", "YES"},
        {"leManuf", "Volume Corrector Plant"},
        {"leTypeCorr", "VCP-105 telemetry unit"},
        {"leSerNumCl", "100234"},
        {"leNumPh", "0501234567"},
        {"leTm_out", "60"},
        {"lIP_Sim", "10.64.12.7"},
    };
    EXPECT_EQ(shown, expected);
    std::vector<std::string> commands;
    for (const auto& command : peers.modem.commands()) {
        commands.push_back(command.text);
    }
    EXPECT_EQ(commands, (std::vector<std::string>{"E0", "+CSQ", "+CMGDA=6", "+CIPSTATUS", "+CIFSR",
                                                  "+CIPSERVER=1,5001"}));
    // A second after its record the device's reading reached the polling software.
    EXPECT_NE(peers.polling.received().all().find("READING 12345.6\r\n"), std::string::npos);
}
