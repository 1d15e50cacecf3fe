// A burst on the WIN port while the server runs: the longest event-loop stall and the peak
// resident memory of Kestrel (its app on the Qt backend in a process of its own, ports on
// pseudo-terminals), with both debug switches (monitor panes and exchange log file) off as the
// baseline and on, measured in one run and printed with their ratio. The polling side writes the
// burst as fast as the pseudo-terminal takes it, then "AT", and times the answer; the modem side
// takes whatever is relayed.
//   log-burst-bench [megabytes] [time limit in seconds]
// Targets with both switches on: no stall over 100 ms, peak resident memory under 100 MB.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include "DemoFolder.h"
#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/work/pWinServ.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kChunk = 4096;
constexpr int kBeatMs = 5;
constexpr double kStallTargetMs = 100;
constexpr double kMemoryTargetMb = 100;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A line "VmRSS:" or "VmHWM:" of this process, in MiB.
double MemoryMb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field) {
            double kb = 0;
            status >> kb;
            return kb / 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

void MakeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
}

// A pseudo-terminal whose slave the program opens as a COM port; the bench holds the master.
struct Pty {
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
            return;
        }
        path = ptsname(master);
        MakeRaw(master);
        // Held open and raw: no hang-up and no echo while the program has the port closed.
        hold = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
        MakeRaw(hold);
    }
    ~Pty() {
        ::close(hold);
        ::close(master);
    }
    int master = -1;
    int hold = -1;
    std::string path;
};

// Bytes without "A" or "a", so that no AT command forms inside the burst.
void FillPayload(std::string& chunk, std::uint32_t& state) {
    for (char& c : chunk) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
        if (c == 'A' || c == 'a') {
            c = 'B';
        }
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return false;
        }
        done += std::size_t(n);
    }
    return true;
}

// Reads until `text` has arrived or `limitMs` passed; true when it arrived.
bool AwaitText(int fd, const std::string& text, double limitMs) {
    const auto start = Clock::now();
    std::string got;
    char buffer[256];
    while (got.find(text) == std::string::npos && MsSince(start) < limitMs) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 100) > 0) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                return false;
            }
            got.append(buffer, std::size_t(n));
        }
    }
    return got.find(text) != std::string::npos;
}

struct Figures {
    double maxStallMs = 0;
    double peakRssMb = 0;
    double burstSeconds = 0;
    double answerMs = -1;  // from the end of the burst to the answer of "AT"; -1: no answer
    bool finished = false;
};

void PrintFigures(const Figures& f) {
    std::printf("%.1f %.1f %.2f %.0f %d\n", f.maxStallMs, f.peakRssMb, f.burstSeconds, f.answerMs,
                f.finished ? 1 : 0);
    std::fflush(stdout);
}

// One measured run in this process; prints its figures on one line.
int MeasureRun(bool debugSwitches, std::size_t size, int limitSeconds) {
    Pty server;
    Pty win;
    if (server.path.empty() || win.path.empty()) {
        std::fprintf(stderr, "no pseudo-terminals\n");
        return 1;
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("kestrel-log-burst-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    if (const std::string error = tools::WriteDemoFolder(
            {}, folder,
            {.serverDevice = server.path, .winDevice = win.path, .autoStartServer = false});
        !error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }

    // Written by the threads below, read when the run ends (or is stopped at the time limit).
    std::atomic<double> maxStallMs{0};
    std::atomic<double> burstSeconds{0};
    std::atomic<double> answerMs{-1};
    std::atomic<bool> measuring{false};
    std::atomic<bool> done{false};
    std::atomic<std::int64_t> lastBeat{Clock::now().time_since_epoch().count()};
    const auto runStart = Clock::now();
    const auto figures = [&](bool finished) {
        return Figures{maxStallMs, MemoryMb("VmHWM:"), burstSeconds, answerMs, finished};
    };

    // The stall watch stands outside the loop, so a loop that never comes back is still measured.
    // It measures from the start of the burst to the end of the run.
    std::thread watch([&] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kBeatMs));
            const Clock::time_point beat{Clock::duration(lastBeat.load())};
            if (measuring) {
                maxStallMs = std::max(maxStallMs.load(), MsSince(beat));
            }
            if (MsSince(runStart) > limitSeconds * 1000.0) {
                PrintFigures(figures(false));
                std::_Exit(0);
            }
        }
    });
    std::atomic<bool> draining{true};
    std::thread modem([&] {
        char buffer[65536];
        while (draining) {
            pollfd p{server.master, POLLIN, 0};
            if (poll(&p, 1, 100) > 0 && ::read(server.master, buffer, sizeof buffer) <= 0) {
                break;
            }
        }
    });
    std::thread polling;

    tools::InProcessKestrel k(folder, "-bench-" + std::to_string(::getpid()));
    k.app.start();
    k.app.values.debug.DebugMonitor = debugSwitches;
    k.app.values.debug.DebugFile = debugSwitches;
    platform::Timer beat(k.loop, kBeatMs, true);
    beat.onTick([&] {
        lastBeat = Clock::now().time_since_epoch().count();
        if (done && k.app.fWinServ != nullptr) {
            beat.setEnabled(false);
            k.click(*k.app.fWinServ, k.app.fWinServ->TB_Exit);
        }
    });
    k.operatorScript.after(100, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSERVER); });
    k.operatorScript.after(300, [&] { k.click(*k.app.fWinServ, k.app.fWinServ->TB_Retry); });
    k.operatorScript.after(1500, [&] {
        polling = std::thread([&] {
            const auto start = Clock::now();
            lastBeat = start.time_since_epoch().count();
            measuring = true;
            std::string chunk(kChunk, '\0');
            std::uint32_t state = 1;
            for (std::size_t sent = 0; sent < size; sent += chunk.size()) {
                chunk.resize(std::min(kChunk, size - sent));
                FillPayload(chunk, state);
                if (!WriteAll(win.master, chunk)) {
                    break;
                }
            }
            burstSeconds = MsSince(start) / 1000;
            // What the port opening sent is read along the way.
            const auto asked = Clock::now();
            if (WriteAll(win.master, "AT\r") &&
                AwaitText(win.master, "OK", limitSeconds * 1000.0 - MsSince(runStart))) {
                answerMs = MsSince(asked);
            }
            done = true;
        });
    });
    k.app.run();

    if (polling.joinable()) {
        polling.join();
    }
    done = true;
    watch.join();
    draining = false;
    modem.join();
    PrintFigures(figures(true));
    std::filesystem::remove_all(folder);
    return 0;
}

// Runs one measurement in a fresh process, so that each peak memory is its own.
bool Measure(const QString& self, bool debugSwitches, std::size_t size, int limitSeconds,
             Figures& figures) {
    QProcess run;
    run.start(self, {debugSwitches ? "--run-on" : "--run-off", QString::number(size),
                     QString::number(limitSeconds)});
    if (!run.waitForFinished((limitSeconds + 30) * 1000)) {
        run.kill();
        return false;
    }
    int finished = 0;
    const QByteArray out = run.readAllStandardOutput();
    const bool parsed =
        std::sscanf(out.constData(), "%lf %lf %lf %lf %d", &figures.maxStallMs, &figures.peakRssMb,
                    &figures.burstSeconds, &figures.answerMs, &finished) == 5;
    figures.finished = finished != 0;
    return parsed;
}

void Report(const char* name, const Figures& f, int limitSeconds) {
    std::printf("  %-12s max stall %8.1f ms, peak RSS %6.1f MiB, burst %6.2f s, ", name,
                f.maxStallMs, f.peakRssMb, f.burstSeconds);
    if (f.answerMs >= 0) {
        std::printf("AT answered %.0f ms after it\n", f.answerMs);
    } else {
        std::printf(
            "AT not answered%s\n",
            f.finished ? "" : (" (stopped at " + std::to_string(limitSeconds) + " s)").c_str());
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--run-on" || mode == "--run-off") {
        QApplication application(argc, argv);
        return MeasureRun(mode == "--run-on", std::stoul(argv[2]), std::stoi(argv[3]));
    }
    QCoreApplication application(argc, argv);
    const double megabytes = argc > 1 ? std::stod(argv[1]) : 10;
    const int limitSeconds = argc > 2 ? std::stoi(argv[2]) : 120;
    const auto size = std::size_t(megabytes * 1024 * 1024);
    const QString self = QCoreApplication::applicationFilePath();
    Figures off;
    Figures on;
    if (!Measure(self, false, size, limitSeconds, off) ||
        !Measure(self, true, size, limitSeconds, on)) {
        std::printf("a measured run failed\n");
        return 1;
    }
    std::printf("WIN burst of %zu bytes at pseudo-terminal speed, server running\n", size);
    Report("switches off", off, limitSeconds);
    Report("switches on", on, limitSeconds);
    std::printf("  ratio on/off: max stall %.2f, peak RSS %.2f\n",
                off.maxStallMs > 0 ? on.maxStallMs / off.maxStallMs : 0,
                off.peakRssMb > 0 ? on.peakRssMb / off.peakRssMb : 0);
    const bool met = on.finished && on.answerMs >= 0 && on.maxStallMs <= kStallTargetMs &&
                     on.peakRssMb < kMemoryTargetMb;
    std::printf("  targets with switches on (stall <= %.0f ms, RSS < %.0f MiB, AT answered): %s\n",
                kStallTargetMs, kMemoryTargetMb, met ? "met" : "NOT MET");
    return met ? 0 : 2;
}
