#include "VirtualPorts.h"

#include <algorithm>

namespace platform {

class VirtualSerialPort : public SerialPort {
  public:
    VirtualSerialPort(EventLoop& loop,
                      std::map<std::string, std::unique_ptr<VirtualPortDevice>>& devices)
        : loop_(loop), devices_(devices) {}
    ~VirtualSerialPort() override { close(); }

    void setName(const std::string& name) override { name_ = name; }
    std::string name() const override { return name_; }
    void setSpeed(int baud) override {
        speed_ = baud;
        if (device_ != nullptr) {
            device_->speed_ = baud;
        }
    }
    int speed() const override { return speed_; }

    bool open() override {
        if (device_ != nullptr) {
            return true;
        }
        const auto it = devices_.find(name_);
        VirtualPortDevice* device = it == devices_.end() ? nullptr : it->second.get();
        if (device == nullptr || device->presence_ == PortPresence::Absent) {
            return failOpen("no such device");
        }
        if (device->presence_ == PortPresence::Busy || device->holder_ != nullptr) {
            return failOpen("access denied, the port is in use");
        }
        if (device->refuseOpen_) {
            return failOpen("the device refused to open");
        }
        device_ = device;
        device->holder_ = this;
        device->speed_ = speed_;
        device->dtr_ = false;
        device->rts_ = false;
        device->received_.clear();
        device->openChanges_.push_back({loop_.now(), true, speed_});
        error_.clear();
        openFailure_.clear();
        return true;
    }

    void close() override {
        if (device_ == nullptr) {
            return;
        }
        device_->openChanges_.push_back({loop_.now(), false, speed_});
        device_->holder_ = nullptr;
        device_ = nullptr;
    }

    bool isOpen() const override { return device_ != nullptr; }
    std::string lastError() const override { return error_; }

    std::size_t write(const std::string& bytes) override {
        if (device_ == nullptr) {
            error_ = name_ + ": the device is not open" +
                     (openFailure_.empty() ? "" : " (" + openFailure_ + ")");
            return 0;
        }
        if (device_->presence_ == PortPresence::Absent) {
            error_ = name_ + ": the device has gone";
            return 0;
        }
        std::size_t count = device_->stall_ ? 0 : bytes.size();
        if (device_->writeLimit_ >= 0) {
            count = std::min(count, std::size_t(device_->writeLimit_));
        }
        if (count < bytes.size()) {
            error_ = name_ + ": write time-out";
        }
        if (count == 0) {
            return 0;
        }
        const std::string sent = bytes.substr(0, count);
        device_->writes_.push_back({loop_.now(), sent});
        if (device_->onWritten) {
            std::weak_ptr<bool> alive = device_->alive_;
            VirtualPortDevice* device = device_;
            loop_.post([alive, device, sent] {
                if (alive.lock() && device->onWritten) {
                    device->onWritten(sent);
                }
            });
        }
        return count;
    }

    std::string readAll() override { return read(bytesAvailable()); }

    std::string read(std::size_t count) override {
        if (device_ == nullptr) {
            return {};
        }
        const std::string chunk = device_->received_.substr(0, count);
        device_->received_.erase(0, chunk.size());
        return chunk;
    }

    std::size_t bytesAvailable() const override { return device_ ? device_->received_.size() : 0; }

    void setDtr(bool on) override { setLine("DTR", device_ ? &device_->dtr_ : nullptr, on); }
    void setRts(bool on) override { setLine("RTS", device_ ? &device_->rts_ : nullptr, on); }

    void onDataReceived(std::function<void()> handler) override { handler_ = std::move(handler); }

    void notify() {
        if (handler_) {
            handler_();
        }
    }

  private:
    bool failOpen(const std::string& reason) {
        openFailure_ = reason;
        error_ = name_ + ": " + reason;
        return false;
    }

    void setLine(const char* line, bool* state, bool on) {
        if (state == nullptr) {
            return;
        }
        *state = on;
        const VirtualPortDevice::LineChange change{loop_.now(), line, on};
        device_->lineChanges_.push_back(change);
        if (device_->onLineChanged) {
            std::weak_ptr<bool> alive = device_->alive_;
            VirtualPortDevice* device = device_;
            loop_.post([alive, device, change] {
                if (alive.lock() && device->onLineChanged) {
                    device->onLineChanged(change);
                }
            });
        }
    }

    EventLoop& loop_;
    std::map<std::string, std::unique_ptr<VirtualPortDevice>>& devices_;
    std::string name_;
    int speed_ = 9600;
    VirtualPortDevice* device_ = nullptr;
    std::string error_;
    std::string openFailure_;
    std::function<void()> handler_;
};

VirtualPortDevice::VirtualPortDevice(EventLoop& loop, std::string name)
    : name_(std::move(name)), notice_(loop, [this] {
          if (holder_ != nullptr && !received_.empty()) {
              holder_->notify();
          }
      }) {}

void VirtualPortDevice::feed(const std::string& bytes) {
    if (holder_ == nullptr || bytes.empty()) {
        return;  // nobody listens: the bytes are lost on the line, as on a closed port
    }
    received_ += bytes;
    notice_.arrived();
}

std::string VirtualPortDevice::written() const {
    std::string all;
    for (const Write& w : writes_) {
        all += w.bytes;
    }
    return all;
}

VirtualPortDevice& VirtualSerialPorts::device(const std::string& name) {
    auto& device = devices_[name];
    if (!device) {
        device = std::make_unique<VirtualPortDevice>(loop_, name);
    }
    return *device;
}

std::unique_ptr<SerialPort> VirtualSerialPorts::create() {
    return std::make_unique<VirtualSerialPort>(loop_, devices_);
}

PortPresence VirtualSerialPorts::probe(const std::string& name) {
    const auto it = devices_.find(name);
    if (it == devices_.end()) {
        return PortPresence::Absent;
    }
    // A device that vanished is absent even while the program still holds it open.
    if (it->second->openByProgram() && it->second->presence() != PortPresence::Absent) {
        return PortPresence::Busy;
    }
    return it->second->presence();
}

}  // namespace platform
