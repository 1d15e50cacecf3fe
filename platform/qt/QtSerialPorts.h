#pragma once

#include <filesystem>

#include "QtEventLoop.h"
#include "platform/core/SerialPort.h"

namespace platform {

// COM ports on QSerialPort. A name maps to a device as the operating system names it: on Windows
// "\\.\COMn"; elsewhere the line "COMn=<device path>" of the program's port map file, else
// /dev/ttyS<n-1>.
class QtSerialPorts : public SerialPorts {
  public:
    QtSerialPorts(QtEventLoop& loop, std::filesystem::path portMapFile);

    std::unique_ptr<SerialPort> create() override;
    PortPresence probe(const std::string& name) override;

    // The device path of a port name; empty for a name that is no COM name.
    std::string devicePath(const std::string& name) const;

  private:
    QtEventLoop& loop_;
    std::filesystem::path portMapFile_;
};

}  // namespace platform
