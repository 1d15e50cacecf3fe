#include <gtest/gtest.h>

#include "platform/virtual/VirtualEventLoop.h"
#include "sim/GsmModemSim.h"

namespace {

// The simulator's far end, as the program's port would see it.
struct Line : sim::ByteEndpoint {
    explicit Line(const platform::EventLoop& loop) : got(loop) {}
    void send(const std::string& bytes) override { got.add(bytes); }
    void put(const std::string& bytes) { deliver(bytes); }
    void deliverControl(const std::string& name, bool on) { deliverControlLine(name, on); }
    sim::Traffic got;
};

struct SimBench {
    platform::VirtualEventLoop loop;
    Line line{loop};
    sim::GsmModemSim modem{loop, line};
    sim::DeviceSim device{loop, {}};
};

}  // namespace

TEST(GsmModemSim, TransparentModeIsLeftOnlyByPlusesBetweenSecondsOfSilence) {
    SimBench b;
    b.device.clearScript();
    b.modem.connectDevice(b.device, 0);
    b.loop.runFor(10);
    ASSERT_TRUE(b.modem.dataMode());
    b.line.put("AT+CSQ\r");  // data, not a command
    b.loop.runFor(500);
    b.line.put("+++");  // too soon after the data: data too
    b.loop.runFor(1500);
    b.line.put("+++");
    b.loop.runFor(500);
    b.line.put("x");  // within a second after: the pluses were data
    b.loop.runFor(1500);
    EXPECT_TRUE(b.modem.dataMode());
    b.line.put("+++");
    b.loop.runFor(1100);
    EXPECT_FALSE(b.modem.dataMode());
    EXPECT_EQ(b.device.received().all(), "AT+CSQ\r++++++x");
    EXPECT_EQ(b.line.got.all(), "\r\nREMOTE IP: 10.20.30.40\r\n\r\nOK\r\n");
    b.line.put("AT+CIPCLOSE\r");
    b.loop.runFor(100);
    EXPECT_EQ(b.line.got.all(), "\r\nREMOTE IP: 10.20.30.40\r\n\r\nOK\r\n\r\nCLOSE OK\r\n");
}

TEST(GsmModemSim, AnswersAfterTheRtsPulseAndBootsWithItsNotices) {
    SimBench b;
    b.modem.switchOff({500, {{100, "RDY"}}});
    b.line.put("ATE0\r");
    b.loop.runFor(100);
    EXPECT_EQ(b.line.got.all(), "");  // off
    b.line.deliverControl("RTS", true);
    b.loop.runFor(1000);
    b.line.deliverControl("RTS", false);
    b.loop.runFor(200);
    b.line.put("ATE0\r");  // still booting
    b.loop.runFor(400);
    b.line.put("ATE0\r");
    b.loop.runFor(100);
    EXPECT_EQ(b.line.got.all(), "\r\nRDY\r\n\r\nOK\r\n");
    // Switched off it saw nothing; booting it took the command without answering.
    EXPECT_EQ(b.modem.commands().size(), 2u);
}
