#pragma once

#include "platform/virtual/VirtualPorts.h"
#include "sim/ByteEndpoint.h"

namespace testing_support {

// A simulated peer's line on the far end of a virtual port.
class VirtualEndpoint : public sim::ByteEndpoint {
  public:
    explicit VirtualEndpoint(platform::VirtualPortDevice& device) : device_(device) {
        device_.onWritten = [this](const std::string& bytes) { deliver(bytes); };
        device_.onLineChanged = [this](const platform::VirtualPortDevice::LineChange& change) {
            deliverControlLine(change.line, change.on);
        };
    }
    ~VirtualEndpoint() override {
        device_.onWritten = nullptr;
        device_.onLineChanged = nullptr;
    }
    void send(const std::string& bytes) override { device_.feed(bytes); }

  private:
    platform::VirtualPortDevice& device_;
};

}  // namespace testing_support
