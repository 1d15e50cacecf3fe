// Arbitrary bytes from the polling software, in chunks, through the WIN receive handler in
// command and data state.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "kestrel/settings/In_RS232.h"
#include "kestrel/winlink/WinPort.h"
#include "kestrel/work/pWinServ.h"
#include "support/VirtualKestrel.h"

namespace {

// A fresh program for each input, so no input sees what an earlier one left (the ports' records
// and the transcript would otherwise grow through the whole run).
struct Fixture {
    explicit Fixture(const testing_support::TempFolder& folder)
        : k(system, folder), win(k.ports.device("COM4")), server(k.ports.device("COM3")) {
        k.app.start();
        k.app.InRS232->cbRS232_WIN.setText("COM4");
        k.app.InRS232->cbRS232_SERV.setText("COM3");
        k.app.winPort->WinOpen();
        k.app.InRS232->XComm_Serv->setName("COM3");
        k.app.InRS232->XComm_Serv->open();
        // The link flags change only through the work window.
        k.app.fWinServ = &work;
    }
    ~Fixture() { k.app.fWinServ = nullptr; }
    platform::VirtualSystem system;
    testing_support::VirtualKestrel k;
    platform::VirtualPortDevice& win;
    platform::VirtualPortDevice& server;
    kestrel::TfWinServ work{k.app};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const testing_support::TempFolder folder;
    Fixture f(folder);
    if (!f.server.writes().empty() || f.win.written() != "U") {
        std::abort();  // the input would not start clean
    }
    f.work.SetPollingLinkUp(size > 0 && (data[0] & 1) != 0);
    f.work.SetClientIdentified(size > 0 && (data[0] & 2) != 0);
    // A 0xFF byte ends a chunk, so one input is several receptions.
    std::string chunk;
    for (std::size_t i = 1; i <= size; ++i) {
        if (i == size || data[i] == 0xFF) {
            f.win.feed(chunk);
            f.k.loop.processEvents();
            chunk.clear();
        } else {
            chunk += char(data[i]);
        }
    }
    f.k.loop.runFor(1200);  // answers and the hang-up timer run
    return 0;
}
