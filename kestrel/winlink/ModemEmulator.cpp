#include "ModemEmulator.h"

#include "shared/Helpers.h"

namespace kestrel {

namespace {

constexpr const char* kOkHex = "0D 0A 4F 4B 0D 0A";
constexpr const char* kConnectHex = "0D 0A 43 4F 4E 4E 45 43 54 20 39 36 30 30 2F 52 4C 50 0D 0A";
constexpr int kAnswerDelayMs = 500;
constexpr int kHangUpDelayMs = 1000;
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

HangUpCheck WinHangUpCheck(std::string& buffer) {
    const auto escape = buffer.find("+++");
    if (escape == std::string::npos) {
        return HangUpCheck::None;
    }
    if (Contains(buffer, "ATH")) {
        return HangUpCheck::HangUp;
    }
    if (buffer.size() - (escape + 3) >= kEscapeWindow) {
        buffer.clear();
    }
    return HangUpCheck::EscapeOnly;
}

ModemEmulator::ModemEmulator(platform::EventLoop& loop, platform::SerialPort& XComm_WIN,
                             ProgramValues& values, WinPort& winPort, Relay& relay,
                             ExchangeLogs& logs, WorkWindowIntents& work)
    : tComMod_Win(loop, kAnswerDelayMs, false),
      tStop_CSD_GPRS(loop, kHangUpDelayMs, false),
      XComm_WIN_(XComm_WIN),
      values_(values),
      winPort_(winPort),
      relay_(relay),
      logs_(logs),
      work_(work) {
    tComMod_Win.onTick([this] { WinSendAnswer(); });
    // The connection status control opens from here once it exists.
    tStop_CSD_GPRS.onTick([this] { tStop_CSD_GPRS.setEnabled(false); });
}

bool ModemEmulator::WinCommandCheck() {
    std::string& buffer = WinRxBuffer_;
    bool found = false;
    const auto dial = buffer.find("ATD");
    if (dial != std::string::npos && buffer.size() - (dial + 3) >= kDialLength) {
        values_.call.BusySeen = false;
        work_.ShowDialledNumber(DialDigits(std::string_view(buffer).substr(dial)));
        if (values_.settings.AutoDial) {
            work_.StartAutoDial();
        }
        EmulatorAnswer_ = Answer::Connect;
        found = true;
    }
    if (!found && (Contains(buffer, "ATE0") || Contains(buffer, "ATH0") ||
                   (Contains(buffer, "AT") && dial == std::string::npos))) {
        EmulatorAnswer_ = Answer::Ok;
        found = true;
    }
    if (found) {
        buffer.clear();
    }
    return found;
}

void ModemEmulator::XComm_WINData() {
    const std::string chunk = XComm_WIN_.readAll();
    if (chunk.empty()) {
        return;
    }
    values_.links.IdleSeconds = 0;
    WinRxBuffer_ += chunk;
    logs_.NoteWinReceived(chunk);
    if (values_.links.PollingLinkUp()) {
        if (WinHangUpCheck(WinRxBuffer_) == HangUpCheck::HangUp) {
            WinRxBuffer_.clear();
            tStop_CSD_GPRS.setEnabled(true);
            return;
        }
    } else if (WinCommandCheck()) {
        tComMod_Win.setEnabled(true);
        return;
    }
    relay_.ForwardWinToServer(chunk, WinRxBuffer_);
}

void ModemEmulator::WinSendAnswer() {
    tComMod_Win.setEnabled(false);
    if (EmulatorAnswer_ == Answer::Ok) {
        winPort_.WinWrite(LogKind::Step, shared::HexTextToBytes(kOkHex));
    } else if (EmulatorAnswer_ == Answer::Connect) {
        winPort_.WinWrite(LogKind::Step, shared::HexTextToBytes(kConnectHex));
        work_.SetPollingLinkUp(true);
    }
}

}  // namespace kestrel
