#pragma once

#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/common/ProgramValues.h"
#include "platform/core/SerialPort.h"

namespace kestrel {

// The GSM modem service on the SERVER port: its reception handler.
class ComModem {
  public:
    ComModem(platform::SerialPort& XComm_Serv, ProgramValues& values, ExchangeLogs& logs);

    // The receive handler of the SERVER port.
    void XComm_ServData();

  private:
    platform::SerialPort& XComm_Serv_;
    ProgramValues& values_;
    ExchangeLogs& logs_;
};

}  // namespace kestrel
