// Simulated peers on pseudo-terminals for a demo of Kestrel:
//   kestrel-sim <staged program folder> <demo folder> [--auto-dial] [--snapshot <picture.png>]
// Writes the demo folder (the staged tree, Work/ComPorts.000 pointing COM1, COM2 and COM3 at the
// simulator's terminals, settings with APN, GPRS port and the three ports), puts the GSM modem on
// the SERVER terminal, the polling software on the WIN terminal and a dial-out modem that answers
// BUSY on the RING terminal, and starts Kestrel. The server start brings the modem to a listening
// server socket; two seconds later a client device connects, identifies itself and sends a
// reading, which reaches the polling software. The polling software dials once the server has
// opened its port; with --auto-dial Kestrel rings that number by itself, otherwise the operator
// can ring a number from the modem window. With --snapshot (for machines without a display)
// Kestrel runs in this process on the current Qt platform: the operator presses SERVER, the work
// window starts the server, and a picture of the work window is saved once the device is
// identified.
#include <QApplication>
#include <QProcess>
#include <QWidget>
#include <cstdio>

#include "DemoFolder.h"
#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/work/pWinServ.h"
#include "platform/qt/QtEventLoop.h"
#include "sim/PollingSoftwareSim.h"

namespace {

constexpr int kDemoLimitMs = 45'000;
// The picture is taken this long after the identification, once the device's reading is shown.
constexpr int kAfterIdentificationMs = 1500;

std::string Printable(const std::string& bytes) {
    std::string seen;
    for (char c : bytes) {
        seen += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return seen;
}

void PrintTraffic(const tools::DemoPeers& peers) {
    std::printf("The modem was sent:\n");
    for (const sim::GsmModemSim::Command& command : peers.modem.commands()) {
        std::printf("  %6.1f s  AT%s\n", double(command.time) / 1000, command.text.c_str());
    }
    std::printf("The polling software received: %s\n",
                Printable(peers.polling.received().all()).c_str());
    std::printf("The RING modem received: %s\n",
                Printable(peers.ringModem.received().all()).c_str());
}

bool Prepared(tools::DemoPeers& peers, const std::filesystem::path& stage,
              const std::filesystem::path& folder, bool autoDial) {
    const std::string error = peers.prepare(stage, folder, true, autoDial);
    if (!error.empty()) {
        std::fprintf(stderr, "kestrel-sim: %s\n", error.c_str());
        return false;
    }
    tools::ScriptDemoPolling(peers.polling);
    return true;
}

int RunInProcess(const std::filesystem::path& stage, const std::filesystem::path& folder,
                 bool autoDial, const std::string& picture) {
    tools::InProcessKestrel k(folder);
    tools::DemoPeers peers(k.loop);
    if (!Prepared(peers, stage, folder, autoDial)) {
        return 1;
    }
    const sim::PollingSoftwareSim& polling = peers.polling;

    k.app.start();
    k.operatorScript.after(500, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSERVER); });
    bool saved = false;
    std::int64_t identifiedAt = -1;
    platform::Timer watch(k.loop, 100, true);
    watch.onTick([&] {
        if (identifiedAt < 0 && k.app.values.links.ClientIdentified()) {
            identifiedAt = k.loop.now();
        }
        const bool shown =
            identifiedAt >= 0 && k.loop.now() - identifiedAt > kAfterIdentificationMs;
        if (k.app.fWinServ == nullptr || !(shown || k.loop.now() > kDemoLimitMs)) {
            return;
        }
        watch.setEnabled(false);
        if (const platform::FormRenderer* renderer = k.desktop.rendererFor(*k.app.fWinServ)) {
            saved = renderer->window()->grab().save(QString::fromStdString(picture));
        }
        k.click(*k.app.fWinServ, k.app.fWinServ->TB_Exit);
    });
    k.app.run();
    PrintTraffic(peers);
    if (!saved) {
        std::fprintf(stderr, "kestrel-sim: no picture of the work window\n");
        return 1;
    }
    std::printf("Picture of the work window: %s\n", std::filesystem::absolute(picture).c_str());
    return identifiedAt >= 0 && polling.received().timeOf("CONNECT") >= 0 ? 0 : 1;
}

int RunProgram(const std::filesystem::path& stage, const std::filesystem::path& folder,
               bool autoDial) {
    platform::QtEventLoop loop;
    tools::DemoPeers peers(loop);
    if (!Prepared(peers, stage, folder, autoDial)) {
        return 1;
    }

    QProcess kestrel;
    kestrel.setProcessChannelMode(QProcess::ForwardedChannels);
    kestrel.start(QString::fromStdString((folder / "Kestrel").string()), {});
    if (!kestrel.waitForStarted()) {
        std::fprintf(stderr, "kestrel-sim: cannot start %s\n", (folder / "Kestrel").c_str());
        return 1;
    }
    std::printf("Kestrel runs in %s; SERVER is COM1=%s, WIN is COM2=%s, RING is COM3=%s.\n",
                folder.c_str(), peers.serverLine.devicePath().c_str(),
                peers.winLine.devicePath().c_str(), peers.ringLine.devicePath().c_str());
    std::printf(
        "Press SERVER: the work window starts the server, a device connects once it listens, and "
        "the polling software dials%s.\n",
        autoDial ? "; auto-dial rings the number on the RING modem" : "");
    std::fflush(stdout);
    loop.runUntil([&] { return kestrel.state() == QProcess::NotRunning; });
    PrintTraffic(peers);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList args = application.arguments();
    const bool autoDial = args.removeAll("--auto-dial") > 0;
    if (args.size() == 5 && args[3] == "--snapshot") {
        return RunInProcess(args[1].toStdString(), args[2].toStdString(), autoDial,
                            args[4].toStdString());
    }
    if (args.size() != 3) {
        std::fprintf(stderr,
                     "usage: kestrel-sim <staged program folder> <demo folder> [--auto-dial] "
                     "[--snapshot <picture.png>]\n");
        return 2;
    }
    return RunProgram(args[1].toStdString(), args[2].toStdString(), autoDial);
}
