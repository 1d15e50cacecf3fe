#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/core/Timer.h"
#include "platform/win32/Win32SerialPorts.h"

using namespace platform;

namespace {

// Wine lets some things through that Windows refuses (a second open of a port) and cannot do
// others on a pseudo-terminal (control lines, speeds it does not know): those checks say so and
// are left to a Windows machine.
bool OnWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(Win32PortNames, ComNamesMapToTheSystemsDevices) {
    EXPECT_EQ(Win32SerialPorts::DevicePath("COM3"), L"\\\\.\\COM3");
    EXPECT_EQ(Win32SerialPorts::DevicePath("COM12"), L"\\\\.\\COM12");
    for (const char* other : {"COM03", "COM", "LPT1", "com3", ""}) {
        EXPECT_EQ(Win32SerialPorts::DevicePath(other), L"") << other;
    }
}

// Two ports joined like a null-modem cable (under Wine: two pseudo-terminals joined by socat),
// named by KESTREL_TEST_PORTS="COMa,COMb".
class Win32Ports : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* names = std::getenv("KESTREL_TEST_PORTS");
        if (names == nullptr) {
            GTEST_SKIP() << "KESTREL_TEST_PORTS names no pair of joined ports";
        }
        const std::string pair = names;
        const auto comma = pair.find(',');
        ASSERT_NE(comma, std::string::npos) << pair;
        a->setName(pair.substr(0, comma));
        b->setName(pair.substr(comma + 1));
    }

    // Runs the loop until `done` or a second has passed.
    bool runFor(const std::function<bool()>& done, int limitMs = 1000) {
        const std::int64_t start = loop.now();
        loop.runUntil([&] { return done() || loop.now() - start > limitMs; });
        return done();
    }

    Win32EventLoop loop;
    Win32SerialPorts ports{loop};
    std::unique_ptr<SerialPort> a = ports.create();
    std::unique_ptr<SerialPort> b = ports.create();
};

TEST_F(Win32Ports, BytesCrossOnTheLoopWithOneNotificationPerChunk) {
    a->setSpeed(921000);  // passed to the device as it is; one it cannot do is logged
    b->setSpeed(921000);
    ASSERT_TRUE(a->open()) << a->lastError();
    ASSERT_TRUE(b->open()) << b->lastError();
    a->setDtr(true);  // a pseudo-terminal has no control lines: logged, not failed
    a->setRts(true);
    EXPECT_TRUE(a->isOpen());

    int notifications = 0;
    std::string received;
    b->onDataReceived([&] {
        ++notifications;
        received += b->readAll();
    });
    EXPECT_EQ(a->write("\r\nOK\r\n"), 6u);
    EXPECT_EQ(notifications, 0);  // never inside the write
    ASSERT_TRUE(runFor([&] { return received.size() >= 6; })) << received;
    EXPECT_EQ(received, "\r\nOK\r\n");
    EXPECT_EQ(notifications, 1);

    // A larger block arrives whole and in order, read in pieces as the program asks.
    std::string block;
    for (int i = 0; i < 20000; ++i) {
        block += char(i % 251);
    }
    b->onDataReceived({});
    EXPECT_EQ(a->write(block), block.size());
    ASSERT_TRUE(runFor([&] { return b->bytesAvailable() >= block.size(); }, 3000));
    const std::string head = b->read(100);
    EXPECT_EQ(head, block.substr(0, 100));
    EXPECT_EQ(b->readAll(), block.substr(100));
    EXPECT_EQ(b->bytesAvailable(), 0u);
}

TEST_F(Win32Ports, ManyShortExchangesNeverStall) {
    ASSERT_TRUE(a->open()) << a->lastError();
    ASSERT_TRUE(b->open()) << b->lastError();
    std::string echoed;
    b->onDataReceived([&] { b->write(b->readAll()); });
    a->onDataReceived([&] { echoed += a->readAll(); });
    const std::int64_t start = loop.now();
    for (int i = 0; i < 200; ++i) {
        const std::string ping = "AT" + std::to_string(i) + "\r";
        echoed.clear();
        ASSERT_EQ(a->write(ping), ping.size());
        // A reader that stalls leaves an exchange hanging far beyond the line's own time.
        ASSERT_TRUE(runFor([&] { return echoed == ping; }, 500)) << "exchange " << i;
    }
    std::printf("round trip through both ports: %.2f ms on average\n",
                double(loop.now() - start) / 200);
}

TEST_F(Win32Ports, WriteIntoAFullLineReturnsWhatWentOutWithinTheTimeOut) {
    ASSERT_TRUE(a->open()) << a->lastError();
    // Nobody reads the far end: the line fills and the rest of the block cannot go out.
    const std::string block(4 << 20, 'x');
    const std::int64_t start = loop.now();
    const std::size_t sent = a->write(block);
    const std::int64_t took = loop.now() - start;
    if (OnWine() && sent == block.size()) {
        GTEST_SKIP() << "Wine took the whole block (" << took << " ms): write time-outs on a "
                     << "pseudo-terminal are for a Windows machine to show";
    }
    EXPECT_LT(sent, block.size());
    EXPECT_GE(took, 450);
    EXPECT_LT(took, 1500);
    EXPECT_NE(a->lastError().find("time-out"), std::string::npos) << a->lastError();
}

TEST_F(Win32Ports, ProbeSaysPresentBusyAndAbsent) {
    EXPECT_EQ(ports.probe(a->name()), PortPresence::Present);
    EXPECT_EQ(ports.probe("COM250"), PortPresence::Absent);
    EXPECT_EQ(ports.probe("LPT1"), PortPresence::Absent);
    auto absent = ports.create();
    absent->setName("COM250");
    EXPECT_FALSE(absent->open());
    EXPECT_EQ(absent->write("U"), 0u);
    EXPECT_NE(absent->lastError().find("COM250"), std::string::npos) << absent->lastError();

    ASSERT_TRUE(a->open()) << a->lastError();
    const PortPresence held = ports.probe(a->name());
    if (OnWine() && held == PortPresence::Present) {
        GTEST_SKIP() << "Wine opens a port twice: a busy port is for a Windows machine to show";
    }
    EXPECT_EQ(held, PortPresence::Busy);
    auto second = ports.create();
    second->setName(a->name());
    EXPECT_FALSE(second->open());
    EXPECT_NE(second->lastError().find("in use"), std::string::npos) << second->lastError();
    a->close();
    EXPECT_EQ(ports.probe(a->name()), PortPresence::Present);
}

}  // namespace
