#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {
class Control;
}

namespace kestrel {

enum class LogPaneId { Server, Win, Ring };

// The device fields of the work window, from the identification record. A type left empty keeps
// the text the field has.
struct DeviceFields {
    std::string manufacturer;
    std::optional<std::string> type;
    std::string serialNumber;
    std::string phoneNumber;
    std::string requestTimeout;
};

// What units need of the work window, as intents; they never touch its controls or timers. The
// work window implements it; while that window is closed the app's stand-in does nothing (and
// has no panes), as a closed window shows nothing.
class WorkWindowIntents {
  public:
    virtual ~WorkWindowIntents() = default;

    // The link flags: each setter stores its flag in ProgramValues and shows "YES" in green or
    // "NO" in red. No one else writes these flags.
    virtual void SetServerStarted(bool on) = 0;
    virtual void SetClientConnected(bool on) = 0;
    virtual void SetClientIdentified(bool on) = 0;
    virtual void SetPollingLinkUp(bool on) = 0;

    // `stPhoneRing`: the number the polling software dialled, in black; green once a call saw BUSY.
    virtual void ShowDialledNumber(const std::string& digits) = 0;
    virtual void ShowCallBusy() = 0;
    // Arms `tStartPhone`: the modem window that places the call opens 250 ms later.
    virtual void StartAutoDial() = 0;

    // `lErr_Power`: the red modem fault line, shown with its text, or hidden and emptied; or only
    // brought into view, or only given its text.
    virtual void ShowModemFault(const std::string& line) = 0;
    virtual void HideModemFault() = 0;
    virtual void ShowModemFaultLine() = 0;
    virtual void SetModemFaultText(const std::string& text) = 0;
    // `lCSQ` and `lIP_Sim`: the modem's signal quality and its address.
    virtual void ShowSignalQuality(std::uint8_t quality) = 0;
    virtual void ShowSimAddress(const std::string& address) = 0;

    virtual void ShowDevice(const DeviceFields& device) = 0;
    // Every device field shows "-""-".
    virtual void ClearDeviceFields() = 0;

    // The exchange log pane the logs unit appends to; null while the window is closed.
    virtual platform::Control* LogPane(LogPaneId pane) = 0;
};

}  // namespace kestrel
