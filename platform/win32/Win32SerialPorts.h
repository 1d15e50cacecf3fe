#pragma once

#include <string>

#include "Win32EventLoop.h"
#include "platform/core/SerialPort.h"

namespace platform {

// COM ports on the system's own devices, "\\.\COMn". Each open port has a reader thread that
// hands its receptions to the loop thread.
class Win32SerialPorts : public SerialPorts {
  public:
    explicit Win32SerialPorts(Win32EventLoop& loop) : loop_(loop) {}

    std::unique_ptr<SerialPort> create() override;
    PortPresence probe(const std::string& name) override;

    // The device path of a port name; empty for a name that is no COM name.
    static std::wstring DevicePath(const std::string& name);

  private:
    Win32EventLoop& loop_;
};

// The system's text of an error code, in UTF-8.
std::string SystemErrorText(unsigned long code);

}  // namespace platform
