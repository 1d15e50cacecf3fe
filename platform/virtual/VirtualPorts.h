#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/EventLoop.h"
#include "platform/core/ReceptionNotice.h"
#include "platform/core/SerialPort.h"

namespace platform {

class VirtualSerialPort;

// The far end of one named virtual port, held by a test or a simulated peer. It behaves like the
// hardware: what it feeds reaches the program later through the loop, never inside a call of the
// program's; and it can refuse to open, be busy, vanish, stall or cut a write short.
class VirtualPortDevice {
  public:
    struct Write {
        std::int64_t time;
        std::string bytes;
    };
    struct LineChange {
        std::int64_t time;
        std::string line;  // "DTR" or "RTS"
        bool on;
    };
    struct OpenChange {
        std::int64_t time;
        bool open;
        int speed;
    };

    VirtualPortDevice(EventLoop& loop, std::string name);

    const std::string& name() const { return name_; }

    // Bytes for the program to receive.
    void feed(const std::string& bytes);
    // Everything the program wrote, with times.
    const std::vector<Write>& writes() const { return writes_; }
    std::string written() const;
    const std::vector<LineChange>& lineChanges() const { return lineChanges_; }
    const std::vector<OpenChange>& openChanges() const { return openChanges_; }
    // Called through the loop, after the program's write or line change has returned.
    std::function<void(const std::string&)> onWritten;
    std::function<void(const LineChange&)> onLineChanged;

    bool openByProgram() const { return holder_ != nullptr; }
    int speed() const { return speed_; }
    bool dtr() const { return dtr_; }
    bool rts() const { return rts_; }

    // Failure scripting.
    void setPresence(PortPresence presence) { presence_ = presence; }
    PortPresence presence() const { return presence_; }
    void refuseOpen(bool refuse) { refuseOpen_ = refuse; }
    void stallWrites(bool stall) { stall_ = stall; }
    // Each later write hands over at most `bytes` bytes; negative: no limit.
    void cutWritesTo(long bytes) { writeLimit_ = bytes; }

  private:
    friend class VirtualSerialPort;

    std::string name_;
    PortPresence presence_ = PortPresence::Present;
    bool refuseOpen_ = false;
    bool stall_ = false;
    long writeLimit_ = -1;
    VirtualSerialPort* holder_ = nullptr;
    std::string received_;  // waiting for the program to read
    int speed_ = 0;
    bool dtr_ = false;
    bool rts_ = false;
    std::vector<Write> writes_;
    std::vector<LineChange> lineChanges_;
    std::vector<OpenChange> openChanges_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    ReceptionNotice notice_;
};

class VirtualSerialPorts : public SerialPorts {
  public:
    explicit VirtualSerialPorts(EventLoop& loop) : loop_(loop) {}

    // The device of that name, made present on first use.
    VirtualPortDevice& device(const std::string& name);

    std::unique_ptr<SerialPort> create() override;
    PortPresence probe(const std::string& name) override;

  private:
    EventLoop& loop_;
    std::map<std::string, std::unique_ptr<VirtualPortDevice>> devices_;
};

}  // namespace platform
