#pragma once

#include <string>

namespace kestrel {

// One port as the settings give it.
struct PortSettings {
    std::string name;
    int speed = 9600;
    bool off = false;  // switched off: never probed, opened or written
};

// The RING port as the settings give it; its speed stays text for the dial-out modem's own
// mapping.
struct RingPortSetting {
    std::string name;
    std::string speedText;
};

// Where the port settings come from: the settings window, read afresh at each use.
class PortSettingsSource {
  public:
    virtual ~PortSettingsSource() = default;
    virtual PortSettings ServerPortSettings() const = 0;
    virtual PortSettings WinPortSettings() const = 0;
    virtual RingPortSetting RingPortSettings() const = 0;
};

}  // namespace kestrel
