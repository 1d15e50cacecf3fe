#pragma once

#include <string>

#include "kestrel/app/Catalog.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/common/ProgramValues.h"
#include "kestrel/ports/PortSettings.h"
#include "platform/core/Platform.h"

namespace kestrel {

class TModC;
class TfRING_Cl;
class TEditorAdrM;

// What the client call asks of the work window. The window may be closed: then nothing happens
// and the dialled number reads as empty.
class CallWorkWindow {
  public:
    virtual ~CallWorkWindow() = default;
    // A time-stamped entry in the RING exchange log pane.
    virtual void LogRing(LogKind kind, const std::string& text) = 0;
    virtual void ClearRingLog() = 0;
    // The dialled-number field `stPhoneRing`.
    virtual std::string DialledNumber() const = 0;
    virtual void ShowDialledNumber(const std::string& digits) = 0;
    // The number was rung and answered busy: the device is being woken up.
    virtual void ShowCallBusy() = 0;
    // The red fault line `lErr_Power`.
    virtual void ShowModemFault(const std::string& line) = 0;
};

// What the client call is given of the program at construction.
struct ClientCallLinks {
    platform::Platform& host;
    const PortSettingsSource& settings;
    ProgramValues& values;
    CallWorkWindow& work;
};

// A catalog text in the current language.
template <typename Key>
std::string CallText(const ClientCallLinks& links, Key key) {
    return std::string(CatalogText(key, links.values.program.LanguageIndex));
}

// The client call's transient windows, each set while it is open.
struct ClientCallWindows {
    TModC* fModC = nullptr;
    TfRING_Cl* fRING_Cl = nullptr;
    TEditorAdrM* EditorAdrM = nullptr;
};

}  // namespace kestrel
