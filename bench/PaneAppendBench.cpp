// The cost of one entry in a rendered log pane (Qt backend, offscreen): entries appended to an
// empty pane against entries appended to a pane about to reach the 5000-line limit, entries ten
// times as long, and the clear at the limit. An append that cost time in proportion to the pane
// rather than to the entry shows as a late/early ratio well above 1.
//   pane-append-bench [entries per sample]
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/qt/QtPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPaneLines = 5000;
constexpr int kRounds = 5;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double MicrosecondsPerEntry(platform::Control& pane, platform::QtEventLoop& loop,
                            const std::string& text, int entries) {
    const auto start = Clock::now();
    for (int i = 0; i < entries; ++i) {
        pane.appendLine(
            {text, i % 2 ? platform::colours::Blue : platform::colours::Green, "Courier New"});
    }
    loop.processEvents();  // the pane repaints as it would between two log ticks
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / entries;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int entries = argc > 1 ? std::stoi(argv[1]) : 500;
    platform::QtPlatform qt;
    platform::Form form("bench");
    form.setBounds({0, 0, 650, 480});
    platform::Control& pane = form.add(platform::ControlKind::RichLog, "pane");
    pane.setAlign(platform::Align::Client);
    qt.desktop.show(form);
    qt.loop.processEvents();

    // A hex line of 32 bytes, as the exchange log writes them, and one ten times as long.
    std::string hex;
    for (int i = 0; i < 32; ++i) {
        hex += "4F ";
    }
    std::string longHex;
    for (int i = 0; i < 10; ++i) {
        longHex += hex;
    }

    // Medians of a few rounds: the machine's other work shows as noise in single samples.
    std::vector<double> early;
    std::vector<double> late;
    std::vector<double> longer;
    std::vector<double> clears;
    for (int round = 0; round < kRounds; ++round) {
        early.push_back(MicrosecondsPerEntry(pane, qt.loop, hex, entries));
        while (int(pane.lines().size()) < kPaneLines - entries) {
            MicrosecondsPerEntry(pane, qt.loop, hex, entries);
        }
        late.push_back(MicrosecondsPerEntry(pane, qt.loop, hex, entries));
        const auto start = Clock::now();
        pane.clearLines();
        qt.loop.processEvents();
        clears.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        longer.push_back(MicrosecondsPerEntry(pane, qt.loop, longHex, entries));
        pane.clearLines();
    }

    const double earlyUs = Median(early);
    const double lateUs = Median(late);
    const double longerUs = Median(longer);
    std::printf("log pane append, %d entries per sample, median of %d rounds\n", entries, kRounds);
    std::printf("  %zu-char entry into an empty pane:      %8.1f us\n", hex.size(), earlyUs);
    std::printf("  %zu-char entry into a %d-line pane:  %8.1f us   ratio late/early %.2f\n",
                hex.size(), kPaneLines - entries, lateUs, lateUs / earlyUs);
    std::printf("  %zu-char entry:                         %8.1f us   ratio to %zu chars %.2f\n",
                longHex.size(), longerUs, hex.size(), longerUs / earlyUs);
    std::printf("  clear of a %d-line pane:                %8.1f ms\n", kPaneLines, Median(clears));
    return 0;
}
