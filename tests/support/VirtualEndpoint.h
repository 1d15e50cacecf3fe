#pragma once

#include "platform/virtual/VirtualPorts.h"
#include "sim/ByteEndpoint.h"

namespace testing_support {

// A simulated peer's line on the far end of a virtual port.
class VirtualEndpoint : public sim::ByteEndpoint {
  public:
    explicit VirtualEndpoint(platform::VirtualPortDevice& device) : device_(device) {
        device_.onWritten = [this](const std::string& bytes) { deliver(bytes); };
    }
    ~VirtualEndpoint() override { device_.onWritten = nullptr; }
    void send(const std::string& bytes) override { device_.feed(bytes); }

  private:
    platform::VirtualPortDevice& device_;
};

}  // namespace testing_support
