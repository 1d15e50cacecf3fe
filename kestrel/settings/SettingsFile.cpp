#include "SettingsFile.h"

#include <algorithm>
#include <charconv>

#include "In_RS232.h"
#include "shared/Helpers.h"
#include "shared/TextFile.h"

namespace kestrel {

namespace {

constexpr const char* kSettingsFile = "FileInRS.000";
constexpr const char* kFormatVersion = "1.16";
constexpr std::size_t kLineCount = 19;

// A number field's value: its text as a decimal integer, else the field's minimum; kept within
// the 16 bits of the setting rather than wrapped round.
std::uint16_t NumberFieldValue(const platform::Control& field) {
    const std::string text = shared::TrimSpaces(field.text());
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        value = field.minimum();
    }
    return std::uint16_t(std::clamp<long>(value, 0, 65535));
}

const char* Flag(const platform::Control& box) {
    return box.checked() ? "1" : "0";
}

}  // namespace

std::string ReadSettingsFile(TInRS232& w, ProgramValues& values) {
    values.settings.SorrelModem = false;
    values.settings.ServerPortOff = false;
    values.settings.WinPortOff = false;
    values.settings.AutoStartServer = false;

    const shared::TextFileRead file = shared::ReadTextFile(WorkFile(values, kSettingsFile));
    if (file.status != shared::TextFileRead::Status::Read) {
        return file.error;
    }
    platform::Control* const textFields[] = {&w.cbRS232_SERV, &w.cbSpeedServ,     &w.cbRS232_WIN,
                                             &w.cbSpeedWIN,   &w.cbRS232_modRing, &w.cbSpeedModRing,
                                             &w.lAPN_Serv,    &w.lPortS};
    const auto number = [](platform::Control& field, const std::string& line,
                           std::uint16_t& value) {
        field.setText(line);
        value = NumberFieldValue(field);
    };
    const auto checkedFlag = [](platform::Control& box, const std::string& line, bool& flag) {
        box.setChecked(line == "1");
        flag = box.checked();
    };
    const std::size_t count = std::min(file.lines.size(), kLineCount);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string line = shared::CollapseSpaces(file.lines[i]);
        const std::size_t n = i + 1;
        if (n >= 2 && n <= 9) {
            textFields[n - 2]->setText(line);
        } else if (n == 10) {
            number(w.seTmOut_Conn, line, values.settings.ConnectPauseTimeout);
        } else if (n == 11) {
            number(w.seTmOut_Online, line, values.settings.OnlineTimeout);
        } else if (n == 12) {
            number(w.seTOutTicket, line, values.settings.TicketTimeout);
        } else if (n == 13 && line == "1") {
            values.settings.ServerPortOff = true;
            w.chRS_SERV_Off.setChecked(true);
        } else if (n == 14 && line == "1") {
            values.settings.WinPortOff = true;
            w.chRS_WIN_Off.setChecked(true);
        } else if (n == 15 && line == "1") {
            w.chRS_RING_Off.setChecked(false);
        } else if (n == 16) {
            checkedFlag(w.chSORREL, line, values.settings.SorrelModem);
        } else if (n == 17) {
            number(w.seWaitPowerOn, line, values.settings.PowerOnDelay);
        } else if (n == 18) {
            checkedFlag(w.cbAutoStartServ, line, values.settings.AutoStartServer);
        } else if (n == 19) {
            checkedFlag(w.chAuto_Phone, line, values.settings.AutoDial);
        }
    }
    return {};
}

bool WriteSettingsFile(TInRS232& w, const ProgramValues& values, platform::Desktop& desktop) {
    const std::vector<std::string> lines = {
        kFormatVersion,          w.cbRS232_SERV.text(),   w.cbSpeedServ.text(),
        w.cbRS232_WIN.text(),    w.cbSpeedWIN.text(),     w.cbRS232_modRing.text(),
        w.cbSpeedModRing.text(), w.lAPN_Serv.text(),      w.lPortS.text(),
        w.seTmOut_Conn.text(),   w.seTmOut_Online.text(), w.seTOutTicket.text(),
        Flag(w.chRS_SERV_Off),   Flag(w.chRS_WIN_Off),    Flag(w.chRS_RING_Off),
        Flag(w.chSORREL),        w.seWaitPowerOn.text(),  Flag(w.cbAutoStartServ),
        Flag(w.chAuto_Phone),
    };
    const std::string error = shared::WriteTextFile(WorkFile(values, kSettingsFile), lines);
    if (!error.empty()) {
        desktop.reportError(error);
        return false;
    }
    return true;
}

}  // namespace kestrel
