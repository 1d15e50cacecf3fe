#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "kestrel/app/Catalog.h"
#include "platform/core/Desktop.h"
#include "platform/core/EventLoop.h"
#include "platform/core/SerialPort.h"

namespace kestrel {

class TModC;
class TfRING_Cl;
class TEditorAdrM;

// Kinds of the RING exchange log entries.
enum class RingLogKind { Received = 2, Sent = 4 };

// What the client call asks of the work window. The window may be closed: then nothing happens
// and the dialled number reads as empty.
class CallWorkWindow {
  public:
    virtual ~CallWorkWindow() = default;
    // A time-stamped entry in the RING exchange log pane.
    virtual void LogRing(RingLogKind kind, const std::string& text) = 0;
    virtual void ClearRingLog() = 0;
    // The dialled-number field `stPhoneRing`.
    virtual std::string DialledNumber() const = 0;
    virtual void ShowDialledNumber(const std::string& number) = 0;
    // The number was rung and answered busy: the device is being woken up.
    virtual void ShowDialledNumberRung() = 0;
    // The fault line shows that auto-dial found no RING port.
    virtual void ShowPhoneFault() = 0;
};

// The RING port as the settings hold it, read afresh at every use.
struct RingPortSetting {
    std::string name;
    std::string speedText;
};

// What the client call is given of the program at construction.
struct ClientCallLinks {
    platform::EventLoop& loop;
    platform::Desktop& desktop;
    platform::SerialPorts& ports;
    CallWorkWindow& work;
    std::function<RingPortSetting()> ringSetting;
    const std::uint8_t& LanguageIndex;
    const std::filesystem::path& ProgramFolder;
    const bool& AutoDial;
    // Cleared also by the modem emulator when the polling software dials.
    bool& BusySeen;
};

// A catalog text in the current language.
template <typename Key>
std::string CallText(const ClientCallLinks& links, Key key) {
    return std::string(CatalogText(key, links.LanguageIndex));
}

// The client call's transient windows, each set while it is open.
struct ClientCallWindows {
    TModC* fModC = nullptr;
    TfRING_Cl* fRING_Cl = nullptr;
    TEditorAdrM* EditorAdrM = nullptr;
};

}  // namespace kestrel
