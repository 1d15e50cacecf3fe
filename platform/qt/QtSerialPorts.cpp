#include "QtSerialPorts.h"

#include <QCoreApplication>
#include <QFile>
#include <QSerialPort>
#include <cstdio>
#include <set>

#include "platform/core/PortNames.h"
#include "platform/core/ReceptionNotice.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace platform {

namespace {

constexpr int kWriteWaitMs = 500;

// Tells the operator's log once per port and line that the device cannot do something, such as
// a pseudo-terminal that has no DTR.
void ReportUnsupportedOnce(const std::string& port, const char* what) {
    static std::set<std::string> reported;
    if (reported.insert(port + what).second) {
        std::fprintf(stderr, "%s: %s cannot %s; ignored\n",
                     QCoreApplication::applicationName().toLocal8Bit().constData(), port.c_str(),
                     what);
    }
}

class QtSerialPort : public SerialPort {
  public:
    QtSerialPort(QtEventLoop& loop, const QtSerialPorts& ports) : loop_(loop), ports_(ports) {
        QObject::connect(&port_, &QSerialPort::readyRead, [this] { notice_.arrived(); });
        // A vanished device (an unplugged USB adapter, a hung-up line) reports its failure on every
        // read attempt: it is closed at once, so its writes fail and the loop does not spin on it.
        QObject::connect(&port_, &QSerialPort::errorOccurred,
                         [this](QSerialPort::SerialPortError e) {
                             if ((e == QSerialPort::ResourceError || e == QSerialPort::ReadError) &&
                                 port_.isOpen()) {
                                 port_.close();
                                 openFailure_ = "the device has gone";
                             }
                         });
    }
    ~QtSerialPort() override { close(); }

    void setName(const std::string& name) override { name_ = name; }
    std::string name() const override { return name_; }
    void setSpeed(int baud) override {
        speed_ = baud;
        if (port_.isOpen()) {
            applySpeed();
        }
    }
    int speed() const override { return speed_; }

    bool open() override {
        if (port_.isOpen()) {
            return true;
        }
        const std::string device = ports_.devicePath(name_);
        if (device.empty()) {
            return failOpen("not a COM port name");
        }
        port_.setPortName(QString::fromStdString(device));
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);
        if (!port_.open(QIODevice::ReadWrite)) {
            return failOpen(device + ": " + port_.errorString().toStdString());
        }
#ifndef Q_OS_WIN
        // The exclusive lock is how other programs see the port as busy.
        if (::flock(int(port_.handle()), LOCK_EX | LOCK_NB) != 0) {
            port_.close();
            return failOpen(device + ": the port is in use by another program");
        }
#endif
        applySpeed();
        setDtr(false);
        setRts(false);
        error_.clear();
        openFailure_.clear();
        return true;
    }

    void close() override {
        if (port_.isOpen()) {
            port_.close();
        }
    }

    bool isOpen() const override {
        return port_.isOpen();
    }
    std::string lastError() const override {
        return error_;
    }

    std::size_t write(const std::string& bytes) override {
        if (!port_.isOpen()) {
            error_ = name_ + ": the device is not open" +
                     (openFailure_.empty() ? "" : " (" + openFailure_ + ")");
            return 0;
        }
        if (port_.write(bytes.data(), qint64(bytes.size())) < 0) {
            error_ = name_ + ": " + port_.errorString().toStdString();
            return 0;
        }
        QElapsedTimer wait;
        wait.start();
        while (port_.bytesToWrite() > 0 && wait.elapsed() < kWriteWaitMs) {
            if (!port_.waitForBytesWritten(int(kWriteWaitMs - wait.elapsed()))) {
                break;
            }
        }
        const qint64 left = port_.bytesToWrite();
        if (left > 0) {
            // What did not go out within the write wait must not trickle out later.
            port_.clear(QSerialPort::Output);
            error_ = name_ + ": write time-out";
        }
        return bytes.size() - std::size_t(left);
    }

    std::string readAll() override {
        return port_.readAll().toStdString();
    }
    std::string read(std::size_t count) override {
        return port_.read(qint64(count)).toStdString();
    }
    std::size_t bytesAvailable() const override {
        return std::size_t(port_.bytesAvailable());
    }

    void setDtr(bool on) override {
        if (port_.isOpen() && !port_.setDataTerminalReady(on)) {
            ReportUnsupportedOnce(name_, "set DTR");
        }
    }
    void setRts(bool on) override {
        if (port_.isOpen() && !port_.setRequestToSend(on)) {
            ReportUnsupportedOnce(name_, "set RTS");
        }
    }

    void onDataReceived(std::function<void()> handler) override {
        handler_ = std::move(handler);
    }

  private:
    bool failOpen(const std::string& reason) {
        openFailure_ = reason;
        error_ = name_ + ": " + reason;
        return false;
    }

    void applySpeed() {
        if (!port_.setBaudRate(speed_)) {
            ReportUnsupportedOnce(name_, ("run at " + std::to_string(speed_) + " baud").c_str());
        }
    }

    QtEventLoop& loop_;
    const QtSerialPorts& ports_;
    QSerialPort port_;
    std::string name_;
    int speed_ = 9600;
    std::string error_;
    std::string openFailure_;
    std::function<void()> handler_;
    // Receptions that come before the program reads join the same chunk.
    ReceptionNotice notice_{loop_, [this] {
                                if (handler_ && port_.isOpen() && port_.bytesAvailable() > 0) {
                                    handler_();
                                }
                            }};
};

}  // namespace

QtSerialPorts::QtSerialPorts(QtEventLoop& loop, std::filesystem::path portMapFile)
    : loop_(loop), portMapFile_(std::move(portMapFile)) {}

std::unique_ptr<SerialPort> QtSerialPorts::create() {
    return std::make_unique<QtSerialPort>(loop_, *this);
}

std::string QtSerialPorts::devicePath(const std::string& name) const {
    const auto number = ComPortNumber(name);
    if (!number) {
        return {};
    }
#ifdef Q_OS_WIN
    return "\\\\.\\" + name;
#else
    QFile map(QString::fromStdString(portMapFile_.string()));
    if (map.open(QIODevice::ReadOnly)) {
        const QByteArray text = map.readAll();
        const auto paths =
            ParsePortMap(std::string_view(text.constData(), std::size_t(text.size())));
        if (const auto it = paths.find(name); it != paths.end()) {
            return it->second;
        }
    }
    return "/dev/ttyS" + std::to_string(*number - 1);
#endif
}

PortPresence QtSerialPorts::probe(const std::string& name) {
    const std::string device = devicePath(name);
    if (device.empty()) {
        return PortPresence::Absent;
    }
#ifdef Q_OS_WIN
    QSerialPort port(QString::fromStdString(device));
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return PortPresence::Present;
    }
    return port.error() == QSerialPort::PermissionError ? PortPresence::Busy : PortPresence::Absent;
#else
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == EBUSY || errno == EACCES || errno == EPERM ? PortPresence::Busy
                                                                   : PortPresence::Absent;
    }
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return locked ? PortPresence::Busy : PortPresence::Present;
#endif
}

}  // namespace platform
