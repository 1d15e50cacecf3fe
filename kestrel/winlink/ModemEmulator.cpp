#include "ModemEmulator.h"

#include "Relay.h"
#include "WinPort.h"
#include "kestrel/app/KestrelApp.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/settings/In_RS232.h"
#include "kestrel/work/pWinServ.h"
#include "shared/Helpers.h"

namespace kestrel {

namespace {

constexpr int kAnswerOk = 1;
constexpr int kAnswerConnect = 2;
constexpr const char* kOkHex = "0D 0A 4F 4B 0D 0A";
constexpr const char* kConnectHex = "0D 0A 43 4F 4E 4E 45 43 54 20 39 36 30 30 2F 52 4C 50 0D 0A";
// A dial command is taken once this many characters follow "ATD".
constexpr std::size_t kDialLength = 10;
// A "+++" followed by this many characters without "ATH" was data, not a hang-up.
constexpr std::size_t kEscapeWindow = 19;

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string DialDigits(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits;
}

bool WinCommandCheck(KestrelApp& app, std::string& buffer) {
    ProgramValues& values = app.values;
    bool found = false;
    const auto dial = buffer.find("ATD");
    if (dial != std::string::npos && buffer.size() - (dial + 3) >= kDialLength) {
        values.BusySeen = false;
        if (TfWinServ* work = app.fWinServ) {
            work->stPhoneRing.setText(DialDigits(std::string_view(buffer).substr(dial)));
            work->stPhoneRing.setColour(platform::colours::Black);
            if (values.AutoDial) {
                work->tStartPhone.setEnabled(true);
            }
        }
        values.EmulatorAnswer = kAnswerConnect;
        found = true;
    }
    if (!found && (Contains(buffer, "ATE0") || Contains(buffer, "ATH0") ||
                   (Contains(buffer, "AT") && dial == std::string::npos))) {
        values.EmulatorAnswer = kAnswerOk;
        found = true;
    }
    if (found) {
        buffer.clear();
    }
    return found;
}

int WinHangUpCheck(std::string& buffer) {
    const auto escape = buffer.find("+++");
    if (escape == std::string::npos) {
        return 0;
    }
    if (Contains(buffer, "ATH")) {
        return 2;
    }
    if (buffer.size() - (escape + 3) >= kEscapeWindow) {
        buffer.clear();
    }
    return 1;
}

void XComm_WINData(KestrelApp& app) {
    ProgramValues& values = app.values;
    const std::string chunk = app.InRS232->XComm_WIN->readAll();
    if (chunk.empty()) {
        return;
    }
    values.IdleSeconds = 0;
    values.WinRxBuffer += chunk;
    NoteWinReceived(app, chunk);
    if (values.PollingLinkUp) {
        if (WinHangUpCheck(values.WinRxBuffer) == 2) {
            values.WinRxBuffer.clear();
            app.InRS232->tStop_CSD_GPRS.setEnabled(true);
            return;
        }
    } else if (WinCommandCheck(app, values.WinRxBuffer)) {
        if (app.fWinServ != nullptr) {
            app.fWinServ->tComMod_Win.setEnabled(true);
        }
        return;
    }
    ForwardWinToServer(app, chunk);
}

void WinSendAnswer(KestrelApp& app) {
    TfWinServ* work = app.fWinServ;
    work->tComMod_Win.setEnabled(false);
    if (app.values.EmulatorAnswer == kAnswerOk) {
        WinWrite(app, 5, shared::HexTextToBytes(kOkHex));
    } else if (app.values.EmulatorAnswer == kAnswerConnect) {
        WinWrite(app, 5, shared::HexTextToBytes(kConnectHex));
        work->SetPollingLinkUp(true);
    }
}

}  // namespace kestrel
