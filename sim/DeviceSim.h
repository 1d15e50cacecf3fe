#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Traffic.h"

namespace sim {

// The fields a client device identifies itself with.
struct DeviceIdentity {
    std::string phone = "0501234567";  // the SIM's number, 10 bytes (cut or padded with zeros)
    std::uint8_t requestTimeout = 60;  // seconds
    std::uint32_t serial = 1;
    std::uint8_t manufacturer = 1;
    std::uint8_t type = 1;
};

// The 26-byte identification record: "CSD_GPRS", the number, the timeout, an unused byte, the
// serial number least significant byte first, the manufacturer and type codes.
std::string DeviceIdRecord(const DeviceIdentity& identity);

// A client device behind the GSM modem: once connected it sends its record and then its data,
// each after a pause, and records what reaches it.
class DeviceSim {
  public:
    struct Step {
        int pauseMs;
        std::string bytes;
    };

    DeviceSim(const platform::EventLoop& loop, DeviceIdentity identity,
              std::string address = "10.20.30.40")
        : identity_(std::move(identity)), address_(std::move(address)), received_(loop) {
        script_.push_back({200, DeviceIdRecord(identity_)});
    }

    const DeviceIdentity& identity() const { return identity_; }
    const std::string& address() const { return address_; }

    // What it sends after connecting: by default its record 200 ms after the connection.
    void clearScript() { script_.clear(); }
    void send(int pauseMs, std::string bytes) { script_.push_back({pauseMs, std::move(bytes)}); }
    const std::vector<Step>& script() const { return script_; }

    void receive(const std::string& bytes) { received_.add(bytes); }
    const Traffic& received() const { return received_; }

  private:
    DeviceIdentity identity_;
    std::string address_;
    std::vector<Step> script_;
    Traffic received_;
};

}  // namespace sim
