// One port scan of the cable tester (COM1..COM100 probed through the Qt backend: two names mapped
// to pseudo-terminals by Plover's port map, the others to /dev/ttyS<n-1>) against the floor of
// opening and closing the same device paths directly, measured in one run; printed as a ratio and
// as a share of the tester's one-second scan period.
//   scan-bench [scans]
#include <fcntl.h>
#include <unistd.h>
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "CableDemo.h"
#include "platform/qt/QtDesktop.h"
#include "platform/qt/QtSerialPorts.h"
#include "plover/CableTest.h"
#include "plover/PloverApp.h"

namespace {

using Clock = std::chrono::steady_clock;

// Only the lists matter here.
class ListsOnly : public plover::CableTestView {
  public:
    void showPortLists(const std::vector<std::string>& names) override { listed = names; }
    std::string selectedPort(int) const override { return {}; }
    void showPortName(int, const std::string&) override {}
    void showErrorCount(std::uint16_t) override {}
    int cycles() const override { return 1; }
    bool monitoringOn() const override { return true; }
    void enableMonitoring(bool) override {}
    void enableTest(bool) override {}
    void switchTestOff() override {}
    void clearLog() override {}
    void logLine(const platform::Colour&, const std::string&) override {}

    std::vector<std::string> listed;
};

template <typename Work>
double MedianMs(int rounds, Work work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int scans = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "plover-scan-bench";
    std::filesystem::remove_all(folder);

    platform::QtEventLoop loop;
    tools::CableDemo demo(loop, sim::NullModemCable::Fault::None);
    if (const std::string error = demo.prepare({}, folder); !error.empty()) {
        std::fprintf(stderr, "scan-bench: %s\n", error.c_str());
        return 1;
    }
    platform::QtDesktop desktop(loop);
    platform::QtSerialPorts ports(loop, folder / "Plover" / plover::PloverApp::kPortMapFile);
    plover::TesterLanguage language;
    ListsOnly view;
    plover::CableTest test(loop, ports, desktop, language, view);

    const double scanMs = MedianMs(scans, [&] { test.ScanPorts(); });
    std::vector<std::string> paths;
    for (int n = plover::CableTest::kFirstPort; n <= plover::CableTest::kLastPort; ++n) {
        paths.push_back(ports.devicePath("COM" + std::to_string(n)));
    }
    const double floorMs = MedianMs(scans, [&] {
        for (const std::string& path : paths) {
            const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                ::close(fd);
            }
        }
    });

    std::printf("ports found: %zu\n", view.listed.size());
    std::printf("scan of COM1..COM100, median of %d: %.3f ms\n", scans, scanMs);
    std::printf("open and close of the same 100 paths: %.3f ms\n", floorMs);
    std::printf("ratio scan / floor: %.2f\n", floorMs > 0 ? scanMs / floorMs : 0.0);
    std::printf("share of the 1000 ms scan period: %.3f %%\n", scanMs / 10.0);
    std::filesystem::remove_all(folder);
    return view.listed.size() >= 2 ? 0 : 1;
}
