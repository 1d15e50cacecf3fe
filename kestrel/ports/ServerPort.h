#pragma once

#include "PortSettings.h"
#include "kestrel/common/ProgramValues.h"
#include "platform/core/Platform.h"

namespace kestrel {

// The SERVER port toward the GSM modem, as the settings name it. A switched-off SERVER port is
// neither probed nor opened.
class ServerPort {
  public:
    ServerPort(platform::Platform& platform, platform::SerialPort& XComm_Serv,
               const PortSettingsSource& settings, const ProgramValues& values);

    // Whether it exists (passes at once when switched off); a box says what is wrong.
    bool CheckServerPort();
    // Reopens it after the 300 ms pause and sends one "U"; a port that does not take it is
    // reported with the port layer's reason. False when switched off.
    bool OpenServerPort();
    void CloseServerPort();
    bool IsOpen() const;
    void SetServerDtr(bool on);
    void SetServerRts(bool on);

  private:
    platform::Platform& platform_;
    platform::SerialPort& XComm_Serv_;
    const PortSettingsSource& settings_;
    const ProgramValues& values_;
};

}  // namespace kestrel
