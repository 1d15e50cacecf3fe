#include <gtest/gtest.h>

#include "kestrel/common/ExchangeLogs.h"
#include "shared/ColouredLine.h"
#include "shared/Helpers.h"
#include "support/ServerRun.h"

using testing_support::ServerRun;

namespace {

std::vector<std::string> Texts(const platform::Control& pane) {
    std::vector<std::string> texts;
    for (const auto& line : pane.lines()) {
        texts.push_back(line.text);
    }
    return texts;
}

}  // namespace

TEST(Logs, EntryKindsColoursStampAndFont) {
    ServerRun r;
    r.k.loop.setWallClock({2024, 3, 1, 9, 5, 3, 7});
    r.at(300, [&] {
        platform::Control& pane = r.work().reLogDeb_Phone;
        pane.clearLines();
        r.k.app.logs->LogRing(kestrel::LogKind::SentRing, "->:ATD123; // hex: ", true);
        r.k.app.logs->LogRing(kestrel::LogKind::Red6, "six", true);
        r.k.app.logs->LogRing(kestrel::LogKind(0), "zero", true);
        ASSERT_EQ(pane.lines().size(), 5u);  // kind 0 appends only its stamp
        EXPECT_EQ(pane.lines()[0].text, "01.03.2024 09:05:03.307");
        EXPECT_EQ(pane.lines()[0].colour, platform::colours::Purple);
        EXPECT_EQ(pane.lines()[1].colour, platform::colours::Maroon);
        EXPECT_EQ(pane.lines()[3].colour, platform::colours::Red);
        EXPECT_EQ(pane.lines()[4].text, "01.03.2024 09:05:03.307");
        for (const auto& line : pane.lines()) {
            EXPECT_EQ(line.fontFamily, "Courier New");
        }
        // Without the monitor the SERVER and WIN panes stay empty.
        r.k.app.logs->LogServer(kestrel::LogKind::Step, "x", true);
        r.k.app.logs->LogWin(kestrel::LogKind::Step, "x", true);
        EXPECT_TRUE(r.work().reLogDeb_Serv.lines().empty());
        EXPECT_TRUE(r.work().reLogDeb_WinPh.lines().empty());
    });
    r.run(500, false);
}

TEST(Logs, PaneIsClearedWhenItHoldsMoreThan5000Lines) {
    ServerRun r;
    r.at(300, [&] {
        platform::Control& pane = r.work().reLogDeb_Phone;
        pane.clearLines();
        for (int i = 0; i < 5000; ++i) {
            shared::AppendColoured(pane, "line", platform::colours::Black);
        }
        r.k.app.logs->LogRing(kestrel::LogKind::ReceivedText, "kept", false);
        EXPECT_EQ(pane.lines().size(), 5001u);
        r.k.app.logs->LogRing(kestrel::LogKind::ReceivedText, "new", true);
        ASSERT_EQ(pane.lines().size(), 2u);
        EXPECT_EQ(pane.lines()[1].text, "new");
    });
    r.run(500, false);
}

TEST(Logs, ReceptionsWithin250msAreLoggedAsOneBatch) {
    ServerRun r;
    r.values().debug.DebugMonitor = true;
    r.polling.send(100, "AB\r\n");
    r.polling.send(50, "CD");
    r.polling.send(50, "EF");
    std::vector<std::string> win;
    bool debugArea = false;
    r.at(1500, [&] {
        win = Texts(r.work().reLogDeb_WinPh);
        debugArea = r.work().pLogDeb.visible();
    });
    r.run(1600);
    // One batch: a stamp and the hex, a stamp and the text without line controls.
    ASSERT_EQ(win.size(), 4u);
    EXPECT_EQ(win[1], "41 42 0D 0A 43 44 45 46 ");
    EXPECT_EQ(win[3], "ABCDEF");
    EXPECT_TRUE(debugArea);
}

TEST(Logs, FileGetsHeaderAndHexLinesOf32Bytes) {
    for (std::size_t size : {32u, 33u, 70u, 0u}) {
        ServerRun r;
        r.values().debug.DebugFile = true;
        r.at(300, [&] {
            r.k.app.logs->NoteWinReceived(std::string(size, 'x'));
            if (size == 0) {
                r.k.app.logs->NoteWinReceived("");
            }
        });
        r.run(1000, false);
        const auto& path = r.k.app.logs->ExchangeLogFile.path();
        std::ifstream in(path, std::ios::binary);
        const std::string file{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        std::size_t lines = 0;
        for (std::size_t p = file.find("\r\n"); p != std::string::npos;
             p = file.find("\r\n", p + 2)) {
            ++lines;
        }
        EXPECT_EQ(lines, size == 0 ? 2u : 1 + (size + 31) / 32) << size;
        EXPECT_EQ(file.rfind("win: ", 0), 0u) << size;
    }
}

TEST(Logs, FileExampleByteForByte) {
    ServerRun r;
    r.values().debug.DebugFile = true;
    r.k.loop.setWallClock({2024, 3, 1, 9, 5, 2, 707});  // t = 300 is 09:05:03.007
    std::string forty;
    for (int i = 0; i < 40; ++i) {
        forty += char(0x30 + i);
    }
    r.at(300, [&] { r.k.app.logs->NoteServerReceived("\r\nOK\r\n"); });
    r.at(1053, [&] { r.k.app.logs->NoteWinReceived(forty); });
    r.run(2000, false);
    std::ifstream in(r.k.app.logs->ExchangeLogFile.path(), std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(file,
              "ser: 01.03.2024 09:05:03.257\r\n"
              "0D 0A 4F 4B 0D 0A \r\n"
              "win: 01.03.2024 09:05:04.010\r\n"
              "30 31 32 33 34 35 36 37 38 39 3A 3B 3C 3D 3E 3F 40 41 42 43 44 45 46 47 48 49 4A 4B "
              "4C 4D 4E 4F \r\n"
              "50 51 52 53 54 55 56 57 \r\n");
}

TEST(Logs, ModemReceptionsAreReadAtOnceAndLoggedInOneBatch) {
    ServerRun r;
    r.values().debug.DebugMonitor = true;
    std::vector<std::string> pane;
    std::uint8_t idle = 255;
    r.at(1000, [&] {
        r.values().links.IdleSeconds = 7;
        r.serverPort.feed("\r\nOK");
        r.serverPort.feed("\r\n");
    });
    r.at(1100, [&] { idle = r.values().links.IdleSeconds; });
    r.at(1500, [&] { pane = Texts(r.work().reLogDeb_Serv); });
    r.run(1600);
    EXPECT_EQ(idle, 0);
    ASSERT_EQ(pane.size(), 4u);
    EXPECT_EQ(pane[1], "0D 0A 4F 4B 0D 0A ");
    EXPECT_EQ(pane[3], "OK");
}

// A burst on a port must not make one pane entry as long as the burst: the pane shows the first
// 1024 bytes and how many were left out; the file keeps every byte.
TEST(Logs, ALongBatchShowsItsFirstPartInThePaneAndAllOfItInTheFile) {
    ServerRun r;
    r.values().debug.DebugMonitor = true;
    r.values().debug.DebugFile = true;
    std::string burst;
    for (int i = 0; i < 100'000; ++i) {
        burst += char('a' + i % 26);
    }
    r.polling.send(100, burst);
    std::vector<std::string> pane;
    r.at(1500, [&] { pane = Texts(r.work().reLogDeb_WinPh); });
    r.run(1600);
    const std::string shown = burst.substr(0, 1024);
    const std::string note = " ... +98976 bytes";
    ASSERT_EQ(pane.size(), 4u);
    EXPECT_EQ(pane[1], shared::BytesToHexText(shown) + note);
    EXPECT_EQ(pane[3], shown + note);

    std::ifstream in(r.k.app.logs->ExchangeLogFile.path(), std::ios::binary);
    const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string hex;
    for (std::size_t at = 0; at < burst.size(); at += 32) {
        hex += shared::BytesToHexText(burst.substr(at, 32)) + "\r\n";
    }
    ASSERT_EQ(file.rfind("win: ", 0), 0u);
    EXPECT_EQ(file.substr(file.find("\r\n") + 2), hex);
}
