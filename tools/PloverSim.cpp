// A simulated null-modem cable on two pseudo-terminals for a demo of Plover:
//   plover-sim <staged program folder> <demo folder> [--cable <kind>] [--snapshot <picture.png>]
// Copies the staged tree into the demo folder, writes Plover's port map (Plover/ComPorts.000)
// naming the two terminals COM1 and COM2, and carries bytes between them as a cable of the given
// kind: good (the default), cut, adds-byte, corrupts-byte or fails-once (the second exchange is
// lost). Then it starts the staged Plover and carries bytes until Plover ends. With --snapshot
// (for machines without a display) Plover runs in this process on the current Qt platform: the
// operator watches the ports, chooses COM1 and COM2, runs a one-cycle test, and a picture of the
// tester window is saved.
#include <QApplication>
#include <QProcess>
#include <QWidget>
#include <cstdio>
#include <map>

#include "CableDemo.h"
#include "InProcessPlover.h"
#include "plover/pRs_Wren.h"

namespace {

using Fault = sim::NullModemCable::Fault;

const std::map<QString, Fault> kCables = {{"good", Fault::None},
                                          {"cut", Fault::Cut},
                                          {"adds-byte", Fault::AddsByte},
                                          {"corrupts-byte", Fault::CorruptsByte},
                                          {"fails-once", Fault::FailsOnce}};

int RunInProcess(const std::filesystem::path& stage, const std::filesystem::path& folder,
                 Fault fault, const std::string& picture) {
    tools::InProcessPlover p(folder / "Plover");
    tools::CableDemo demo(p.loop, fault);
    const std::string error = demo.prepare(stage, folder);
    if (!error.empty()) {
        std::fprintf(stderr, "plover-sim: %s\n", error.c_str());
        return 1;
    }
    bool saved = false;
    tools::CableTestOperator tester(p, 1, [&] {
        if (const platform::FormRenderer* renderer = p.desktop.rendererFor(*p.app.fRS_Wren)) {
            saved = renderer->window()->grab().save(QString::fromStdString(picture));
        }
    });
    p.app.start();
    p.app.run();
    for (const std::string& line : tester.log()) {
        std::printf("%s\n", line.c_str());
    }
    std::printf("Errors: %s\nFinal box: %s\n", tester.errors().c_str(),
                tester.finalBox().empty() ? "none" : tester.finalBox().c_str());
    if (!saved) {
        std::fprintf(stderr, "plover-sim: no picture of the tester window\n");
        return 1;
    }
    std::printf("Picture of the tester window: %s\n", std::filesystem::absolute(picture).c_str());
    return tester.finished() ? 0 : 1;
}

int RunProgram(const std::filesystem::path& stage, const std::filesystem::path& folder,
               Fault fault) {
    platform::QtEventLoop loop;
    tools::CableDemo demo(loop, fault);
    const std::string error = demo.prepare(stage, folder);
    if (!error.empty()) {
        std::fprintf(stderr, "plover-sim: %s\n", error.c_str());
        return 1;
    }
    const std::filesystem::path program = folder / "Plover" / "Plover";
    QProcess plover;
    plover.setProcessChannelMode(QProcess::ForwardedChannels);
    plover.start(QString::fromStdString(program.string()), {});
    if (!plover.waitForStarted()) {
        std::fprintf(stderr, "plover-sim: cannot start %s\n", program.c_str());
        return 1;
    }
    std::printf("Plover runs in %s; the cable joins COM1=%s and COM2=%s.\n",
                program.parent_path().c_str(), demo.line1.devicePath().c_str(),
                demo.line2.devicePath().c_str());
    std::printf("Switch port control on and off, choose COM1 and COM2, switch data transfer on.\n");
    std::fflush(stdout);
    loop.runUntil([&] { return plover.state() == QProcess::NotRunning; });
    std::printf("The cable carried %d exchanges.\n", demo.cable.exchanges());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QStringList args = application.arguments();
    Fault fault = Fault::None;
    std::string picture;
    for (int i = 3; i + 1 < args.size(); i += 2) {
        if (args[i] == "--cable" && kCables.count(args[i + 1]) != 0) {
            fault = kCables.at(args[i + 1]);
        } else if (args[i] == "--snapshot") {
            picture = args[i + 1].toStdString();
        } else {
            args.clear();
        }
    }
    if (args.size() < 3 || args.size() % 2 == 0) {
        std::fprintf(stderr,
                     "usage: plover-sim <staged program folder> <demo folder> [--cable "
                     "good|cut|adds-byte|corrupts-byte|fails-once] [--snapshot <picture.png>]\n");
        return 2;
    }
    const std::filesystem::path stage = args[1].toStdString();
    const std::filesystem::path folder = args[2].toStdString();
    return picture.empty() ? RunProgram(stage, folder, fault)
                           : RunInProcess(stage, folder, fault, picture);
}
