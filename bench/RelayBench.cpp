// Relay of the polling software's bytes toward the modem (WIN to SERVER): latency and throughput
// through Kestrel (its app on the Qt backend in this process, ports on pseudo-terminals) against
// socat relaying between the same kind of pseudo-terminals, measured in one run and printed as
// ratios. Every byte is checked on arrival.
//   relay-bench [bytes]
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <QApplication>
#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "DemoFolder.h"
#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "kestrel/work/pWinServ.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLatencyRounds = 200;
constexpr std::size_t kChunk = 1024;

// Bytes without "A", so that no chunk can complete an AT command in the emulator.
std::string Payload(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        const char c = char((i * 7 + 3) % 256);
        bytes[i] = c == 'A' ? 'B' : c;
    }
    return bytes;
}

struct Result {
    double latencyMs = 0;
    double kbPerSecond = 0;
    bool intact = false;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

Result MeasureKestrel(std::size_t size) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "kestrel-relay-bench";
    std::filesystem::remove_all(folder);
    tools::InProcessKestrel k(folder, "-bench");
    tools::DemoPeers peers(k.loop);
    if (!peers.prepare({}, folder, false).empty()) {
        return {};
    }
    std::string arrived;
    peers.serverLine.onReceived([&](const std::string& bytes) { arrived += bytes; });
    k.app.start();
    k.operatorScript.after(100, [&] { k.click(*k.app.fKestrel, k.app.fKestrel->mSERVER); });
    k.operatorScript.after(300, [&] { k.click(*k.app.fWinServ, k.app.fWinServ->TB_Retry); });
    Result result;
    k.operatorScript.after(1500, [&] {
        const auto wait = [&](std::size_t count) {
            k.loop.runUntil([&] { return arrived.size() >= count; });
        };
        arrived.clear();
        std::vector<double> latencies;
        for (int i = 0; i < kLatencyRounds; ++i) {
            const auto start = Clock::now();
            peers.winLine.send("x");
            wait(std::size_t(i + 1));
            latencies.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        result.latencyMs = Median(latencies);
        arrived.clear();
        const std::string payload = Payload(size);
        const auto start = Clock::now();
        for (std::size_t sent = 0; sent < size; sent += kChunk) {
            peers.winLine.send(payload.substr(sent, kChunk));
            k.loop.processEvents();
        }
        wait(size);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        result.kbPerSecond = double(size) / 1024 / seconds;
        result.intact = arrived == payload;
        k.click(*k.app.fWinServ, k.app.fWinServ->TB_Exit);
    });
    k.app.run();
    std::filesystem::remove_all(folder);
    return result;
}

int OpenRaw(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY);
    termios t{};
    if (fd >= 0 && tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

// Reads until `count` bytes have arrived or a second passes without any.
std::string ReadCount(int fd, std::size_t count) {
    std::string bytes;
    char buffer[4096];
    while (bytes.size() < count) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 1000) <= 0) {
            break;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        bytes.append(buffer, std::size_t(n));
    }
    return bytes;
}

Result MeasureSocat(std::size_t size) {
    const std::string dir =
        (std::filesystem::temp_directory_path() / "kestrel-relay-bench-socat").string();
    std::filesystem::create_directories(dir);
    QProcess socat;
    socat.start("socat", {"pty,raw,echo=0,link=" + QString::fromStdString(dir) + "/win",
                          "pty,raw,echo=0,link=" + QString::fromStdString(dir) + "/server"});
    if (!socat.waitForStarted()) {
        return {};
    }
    for (int i = 0; i < 50 && !std::filesystem::exists(dir + "/server"); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const int win = OpenRaw(dir + "/win");
    const int server = OpenRaw(dir + "/server");
    Result result;
    if (win >= 0 && server >= 0) {
        std::vector<double> latencies;
        for (int i = 0; i < kLatencyRounds; ++i) {
            const auto start = Clock::now();
            if (::write(win, "x", 1) != 1) {
                break;
            }
            ReadCount(server, 1);
            latencies.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        result.latencyMs = Median(latencies);
        const std::string payload = Payload(size);
        const auto start = Clock::now();
        std::string arrived;
        std::thread reader([&] { arrived = ReadCount(server, size); });
        for (std::size_t sent = 0; sent < size; sent += kChunk) {
            const std::string chunk = payload.substr(sent, kChunk);
            if (::write(win, chunk.data(), chunk.size()) < 0) {
                break;
            }
        }
        reader.join();
        result.kbPerSecond =
            double(size) / 1024 / std::chrono::duration<double>(Clock::now() - start).count();
        result.intact = arrived == payload;
    }
    ::close(win);
    ::close(server);
    socat.terminate();
    socat.waitForFinished();
    std::filesystem::remove_all(dir);
    return result;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::size_t size = argc > 1 ? std::stoul(argv[1]) : 256 * 1024;
    const Result socat = MeasureSocat(size);
    const Result kestrel = MeasureKestrel(size);
    std::printf(
        "relay WIN to SERVER, %zu bytes in %zu-byte chunks, median of %d one-byte round trips\n",
        size, kChunk, kLatencyRounds);
    std::printf("  socat:   latency %.3f ms, throughput %.0f KiB/s, bytes %s\n", socat.latencyMs,
                socat.kbPerSecond, socat.intact ? "intact" : "LOST OR CHANGED");
    std::printf("  Kestrel: latency %.3f ms, throughput %.0f KiB/s, bytes %s\n", kestrel.latencyMs,
                kestrel.kbPerSecond, kestrel.intact ? "intact" : "LOST OR CHANGED");
    if (socat.latencyMs > 0 && socat.kbPerSecond > 0) {
        std::printf("  ratio Kestrel/socat: latency %.2f, throughput %.2f\n",
                    kestrel.latencyMs / socat.latencyMs, kestrel.kbPerSecond / socat.kbPerSecond);
    }
    return kestrel.intact ? 0 : 1;
}
