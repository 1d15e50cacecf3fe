#include "pComModem.h"

namespace kestrel {

ComModem::ComModem(platform::SerialPort& XComm_Serv, ProgramValues& values, ExchangeLogs& logs)
    : XComm_Serv_(XComm_Serv), values_(values), logs_(logs) {}

void ComModem::XComm_ServData() {
    // Every reception is read at once, so nothing piles up in the port while nobody parses it.
    const std::string chunk = XComm_Serv_.readAll();
    if (chunk.empty()) {
        return;
    }
    values_.links.IdleSeconds = 0;
    logs_.NoteServerReceived(chunk);
    // The modem line parser and the relay toward the WIN port take the chunk from here.
}

}  // namespace kestrel
