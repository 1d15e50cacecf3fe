#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <termios.h>

#include "platform/qt/QtSerialPorts.h"
#include "support/TempFolder.h"

using platform::PortPresence;

namespace {

// A pseudo-terminal: the test holds the master, the port under test opens the slave.
class PseudoTerminal {
  public:
    PseudoTerminal() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0) {
            slave_ = ptsname(master_);
            termios raw{};
            tcgetattr(master_, &raw);
            cfmakeraw(&raw);
            tcsetattr(master_, TCSANOW, &raw);
        }
    }
    ~PseudoTerminal() { hangUp(); }
    // The far end goes away, as an unplugged adapter does.
    void hangUp() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }
    const std::string& slave() const { return slave_; }
    void send(const std::string& bytes) const {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    std::string receive(int timeoutMs = 1000) const {
        pollfd p{master_, POLLIN, 0};
        if (poll(&p, 1, timeoutMs) <= 0) {
            return {};
        }
        char buffer[256];
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        return n > 0 ? std::string(buffer, std::size_t(n)) : std::string();
    }

  private:
    int master_ = -1;
    std::string slave_;
};

class QtPorts : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(pty.slave().empty());
        folder.writeBytes("ComPorts.000",
                          "COM3=" + pty.slave() + "\r\nCOM4=/dev/kestrel-no-such-device\r\n");
    }
    testing_support::TempFolder folder;
    PseudoTerminal pty;
    platform::QtEventLoop loop;
    platform::QtSerialPorts ports{loop, folder.work("ComPorts.000")};
};

}  // namespace

TEST_F(QtPorts, NamesMapThroughTheWorkFileElseToTtyS) {
    EXPECT_EQ(ports.devicePath("COM3"), pty.slave());
    EXPECT_EQ(ports.devicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(ports.devicePath("COM03"), "");
    EXPECT_EQ(ports.devicePath("LPT1"), "");
}

TEST_F(QtPorts, OpenWriteAndReceiveOneNotificationOnTheLoop) {
    auto port = ports.create();
    port->setName("COM3");
    port->setSpeed(921000);  // passed to the device as it is
    ASSERT_TRUE(port->open()) << port->lastError();
    port->setDtr(true);  // a pseudo-terminal has no DTR: logged, not failed
    EXPECT_TRUE(port->isOpen());

    EXPECT_EQ(port->write("U"), 1u);
    EXPECT_EQ(pty.receive(), "U");

    int notifications = 0;
    std::string received;
    port->onDataReceived([&] {
        ++notifications;
        received += port->readAll();
    });
    pty.send("\r\nOK\r\n");
    loop.runUntil([&] { return received.size() >= 6; });
    EXPECT_EQ(received, "\r\nOK\r\n");
    EXPECT_EQ(notifications, 1);
}

TEST_F(QtPorts, SecondHolderSeesThePortBusy) {
    EXPECT_EQ(ports.probe("COM3"), PortPresence::Present);
    auto first = ports.create();
    first->setName("COM3");
    ASSERT_TRUE(first->open()) << first->lastError();
    EXPECT_EQ(ports.probe("COM3"), PortPresence::Busy);
    auto second = ports.create();
    second->setName("COM3");
    EXPECT_FALSE(second->open());
    EXPECT_FALSE(second->lastError().empty());
    first->close();
    EXPECT_EQ(ports.probe("COM3"), PortPresence::Present);
}

TEST_F(QtPorts, MissingOrUnmappedDevicesAreAbsent) {
    EXPECT_EQ(ports.probe("COM4"), PortPresence::Absent);
    EXPECT_EQ(ports.probe("COM250"), PortPresence::Absent);
    auto port = ports.create();
    port->setName("COM4");
    EXPECT_FALSE(port->open());
    EXPECT_EQ(port->write("U"), 0u);
    EXPECT_FALSE(port->lastError().empty());
}

TEST_F(QtPorts, VanishedDeviceIsClosedAndItsWritesFail) {
    auto port = ports.create();
    port->setName("COM3");
    ASSERT_TRUE(port->open()) << port->lastError();
    pty.hangUp();
    const std::int64_t start = loop.now();
    loop.runUntil([&] { return !port->isOpen() || loop.now() - start > 2000; });
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(port->write("U"), 0u);
    EXPECT_NE(port->lastError().find("gone"), std::string::npos) << port->lastError();
}
