#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <set>

#include "DemoFolder.h"
#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/winlink/ModemEmulator.h"
#include "kestrel/work/pWinServ.h"
#include "platform/qt/QtDesktop.h"
#include "shared/Helpers.h"
#include "support/TempFolder.h"

namespace {

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The serial-port lock files this process holds: the serial port library writes the holder's
// process id on their first line, in the first of these folders it can write to.
std::set<std::filesystem::path> PortLockFilesOf(qint64 pid) {
    std::set<std::filesystem::path> found;
    for (const char* folder : {"/var/lock", "/etc/locks", "/var/spool/locks", "/var/spool/uucp",
                               "/tmp", "/var/tmp", "/var/lock/lockdev", "/run/lock"}) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            const std::string name = entry.path().filename().string();
            std::ifstream in(entry.path());
            std::string holder;
            if (name.rfind("LCK..", 0) == 0 && std::getline(in, holder) &&
                holder == std::to_string(pid)) {
                found.insert(std::filesystem::canonical(entry.path(), ec));
            }
        }
    }
    return found;
}

// The hex lines of the WIN batches of an exchange log file, without their headers, as one text.
std::string LoggedWinHex(const std::string& file) {
    std::string hex;
    bool win = false;
    std::size_t start = 0;
    for (std::size_t end = file.find("\r\n"); end != std::string::npos;
         start = end + 2, end = file.find("\r\n", start)) {
        const std::string line = file.substr(start, end - start);
        if (line.rfind("win: ", 0) == 0 || line.rfind("ser: ", 0) == 0) {
            win = line.rfind("win: ", 0) == 0;
        } else if (win) {
            hex += line;
        }
    }
    return hex;
}

}  // namespace

// The program on the Qt backend in this process, its ports on pseudo-terminals and the exchange
// log file on; SIGTERM comes just after the polling software's last command, before that
// reception's log tick. Real time, a few seconds.
TEST(Termination, SigtermDuringAServerRunLeavesACompleteLogAndNoPortLocks) {
    testing_support::TempFolder folder;
    const qint64 pid = QCoreApplication::applicationPid();
    std::set<std::filesystem::path> locksDuringRun;
    std::filesystem::path logPath;
    std::string sent;
    {
        tools::InProcessKestrel k(folder.path(), "-e2e-" + std::to_string(pid));
        tools::DemoPeers peers(k.loop);
        ASSERT_EQ(peers.prepare({}, folder.path(), false), "");
        sim::PollingSoftwareSim& polling = peers.polling;
        polling.startWhenReceived("U");
        polling.command(200, "AT");
        polling.command(700, "ATE0");

        k.app.start();
        k.app.values.debug.DebugFile = true;
        k.operatorScript.after(200, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSERVER); });
        k.operatorScript.after(600, [&] { k.click(*k.app.fWinServ, k.app.fWinServ->TB_Retry); });
        platform::Timer watch(k.loop, 20, true);
        watch.onTick([&] {
            // Once Kestrel has taken the last command (its answer is armed), and a moment for the
            // rest of its bytes, well within the 250 ms of the log batch.
            const bool taken =
                polling.sent().chunks().size() == 2 && k.app.emulator->tComMod_Win.enabled();
            if (taken || k.loop.now() > 8000) {
                watch.setEnabled(false);
                k.operatorScript.after(30, [&] {
                    locksDuringRun = PortLockFilesOf(pid);
                    ::kill(::getpid(), SIGTERM);
                });
            }
        });
        k.app.run();
        EXPECT_TRUE(k.loop.quitRequested());
        logPath = k.app.logs->ExchangeLogFile.path();
        sent = polling.sent().all();
    }
    EXPECT_EQ(sent, "AT\rATE0\r");
    EXPECT_EQ(locksDuringRun.size(), 2u);  // the SERVER and WIN ports were held
    EXPECT_TRUE(PortLockFilesOf(pid).empty());
    EXPECT_EQ(LoggedWinHex(FileText(logPath)), shared::BytesToHexText(sent));
}

// The staged program ends cleanly on each termination signal and lets go of its instance lock.
TEST(Termination, StagedProgramEndsCleanlyOnEachSignal) {
    const std::string lock = platform::InstanceLockPath("KESTREL");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        QProcess kestrel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        kestrel.setProcessEnvironment(env);
        kestrel.start(QStringLiteral(KESTREL_STAGE_DIR "/Kestrel"), {});
        ASSERT_TRUE(kestrel.waitForStarted(5000));
        EXPECT_FALSE(kestrel.waitForFinished(1500)) << signal;  // up and waiting for the operator
        EXPECT_TRUE(std::filesystem::exists(lock)) << signal;
        ::kill(pid_t(kestrel.processId()), signal);
        EXPECT_TRUE(kestrel.waitForFinished(5000)) << signal;
        EXPECT_EQ(kestrel.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(kestrel.exitCode(), 0) << signal;
        EXPECT_FALSE(std::filesystem::exists(lock)) << signal;
    }
}
