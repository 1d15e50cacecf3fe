#pragma once

#include <cstdint>

#include "CallLinks.h"
#include "CallSequence.h"
#include "dRING.h"

namespace kestrel {

// The client call subsystem as the program owns it for the whole run: the dial-out modem's data
// module, the call and hang-up sequences, and the operations that open its windows.
class ClientCall {
  public:
    explicit ClientCall(const ClientCallLinks& links);

    // The modem window, from the work window's phone button or its auto-dial timer. A second one
    // is not opened over an open one.
    void ShowModemWindow();
    // The call window, over the modem window once its checks passed.
    void ShowClientCall();
    // The directory editor.
    void ShowPhoneEditor();

    ClientCallLinks links;
    ClientCallWindows windows;
    TDataModule_RING dRING;
    CallSequence sequence;
    // The editor's caption row, kept between its openings.
    std::uint8_t EditorCaptionRow = 0;
};

}  // namespace kestrel
