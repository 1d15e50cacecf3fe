#include "pComModem.h"

#include "kestrel/app/KestrelApp.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/settings/In_RS232.h"

namespace kestrel {

void XComm_ServData(KestrelApp& app) {
    // Every reception is read at once, so nothing piles up in the port while nobody parses it.
    const std::string chunk = app.InRS232->XComm_Serv->readAll();
    if (chunk.empty()) {
        return;
    }
    app.values.IdleSeconds = 0;
    NoteServerReceived(app, chunk);
    // The modem line parser and the relay toward the WIN port take the chunk from here.
}

}  // namespace kestrel
