#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace platform {

enum class PortPresence { Present, Busy, Absent };

// A COM port: 8N1, no flow control. Names are "COM" + number; the backend maps them to devices.
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    virtual void setName(const std::string& name) = 0;
    virtual std::string name() const = 0;
    // Any integer speed is passed to the device as it is.
    virtual void setSpeed(int baud) = 0;
    virtual int speed() const = 0;

    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Human-readable reason of the last failed open or write.
    virtual std::string lastError() const = 0;

    // Bytes that went out within the port's write time-out.
    virtual std::size_t write(const std::string& bytes) = 0;
    virtual std::string readAll() = 0;
    virtual std::string read(std::size_t count) = 0;
    virtual std::size_t bytesAvailable() const = 0;

    virtual void setDtr(bool on) = 0;
    virtual void setRts(bool on) = 0;

    // Called on the loop thread after bytes arrived.
    virtual void onDataReceived(std::function<void()> handler) = 0;
};

// Creates ports and probes names, without leaving anything open.
class SerialPorts {
  public:
    virtual ~SerialPorts() = default;
    virtual std::unique_ptr<SerialPort> create() = 0;
    virtual PortPresence probe(const std::string& name) = 0;
};

}  // namespace platform
