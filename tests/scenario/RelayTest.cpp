#include <gtest/gtest.h>

#include "support/ServerRun.h"

using testing_support::kConnect;
using testing_support::kOk;
using testing_support::ServerRun;

TEST(Relay, PollingDataReachesTheModemUnchangedBeforeAnyDeviceConnects) {
    ServerRun r;
    std::string binary;
    for (int b = 0; b < 256; ++b) {
        binary += char(b);
    }
    r.polling.dial(0, "0123456789");
    r.polling.send(1000, binary);
    r.run(3000);
    EXPECT_EQ(r.polling.received().all(), "U" + kConnect);
    EXPECT_EQ(r.modem.received().all(), "U" + binary);
    EXPECT_FALSE(r.k.app.relay->ServerWriteFailed());
}

TEST(Relay, AShortWriteStopsTheDirectionSilentlyUntilTheNextStart) {
    ServerRun r;
    r.polling.send(0, "one");
    r.polling.send(500, "two");
    r.polling.send(500, "three");
    r.polling.send(2500, "four");
    r.at(1000, [&] { r.serverPort.cutWritesTo(1); });  // "three" is then not even tried
    r.at(2500, [&] {
        r.serverPort.cutWritesTo(-1);
        r.work().TB_Retry.click();  // reopens both ports
    });
    r.run(6000);
    EXPECT_EQ(r.transcript().between(801, 7000, {"COM3", "box"}), R"(00801 COM3 <- "one"
01301 COM3 <- "t" short 3
02500 COM3 close
02800 COM3 open 115200
02800 COM3 <- "U"
04301 COM3 <- "four"
06000 COM3 DTR on
06100 COM3 close
)");
    EXPECT_FALSE(r.k.app.relay->ServerWriteFailed());
}

TEST(Relay, SizeRuleEmptiesTheBufferOnlyOnceADeviceIsIdentified) {
    for (bool identified : {false, true}) {
        ServerRun r;
        r.at(500, [&] { r.work().SetClientIdentified(identified); });
        r.polling.dial(0, "0123456789");
        r.polling.send(1000, std::string(1001, 'x'));
        std::size_t buffered = 0;
        r.at(3000, [&] { buffered = r.k.app.emulator->WinRxBuffer().size(); });
        r.run(3500);
        EXPECT_EQ(buffered, identified ? 0u : 1001u) << identified;
    }
}

TEST(Relay, EndlessUnrecognisedInputNeverGrowsTheBufferWithoutBound) {
    ServerRun r;
    for (int i = 0; i < 100; ++i) {
        r.polling.send(10, std::string(1000, 'y'));
    }
    std::size_t buffered = 0;
    r.at(5000, [&] { buffered = r.k.app.emulator->WinRxBuffer().size(); });
    r.run(5500);
    EXPECT_LE(buffered, 64u * 1024 + 1000);
    EXPECT_EQ(r.modem.received().all().size(), 1 + 100'000u);  // all of it forwarded
}

TEST(Relay, SwitchedOffWinPortIsNeverOpenedAndItsAnswersAreSkippedQuietly) {
    ServerRun r({.winOff = true});
    r.at(1500, [&] { EXPECT_TRUE(r.k.app.winPort->WinWrite(kestrel::LogKind::Step, kOk)); });
    r.run(3000);
    EXPECT_TRUE(r.winPort.openChanges().empty());
    EXPECT_TRUE(r.k.desktop.boxes().empty());
}
