#include "dRING.h"

#include <array>
#include <utility>

#include "Modem.h"
#include "shared/Cp1251.h"
#include "shared/Helpers.h"
#include "shared/PortProbe.h"

namespace kestrel {

namespace {

constexpr int kReopenPauseMs = 300;
constexpr int kDefaultSpeed = 9600;
// Twice what the modem can send in one answer: enough to hold any result line.
constexpr std::size_t kRxBufferLimit = 2048;
constexpr char kNoise = '\xFF';

struct ResultWord {
    std::string_view word;
    RingResult result;
    std::string_view answer;  // shown in the modem window; empty: nothing shown
};

constexpr std::array<ResultWord, 8> kResultWords = {{
    {"CONNECT", RingResult::Connect, ""},
    {"OK", RingResult::Ok, "OK"},
    {"RING", RingResult::Ring, "RING"},
    {"NOCARRIER", RingResult::NoCarrier, "NO CARRIER"},
    {"ERROR", RingResult::Error, "ERROR"},
    {"NODIALTONE", RingResult::NoDialTone, "NO DIALTONE"},
    {"BUSY", RingResult::Busy, "BUSY"},
    {"NOANSWER", RingResult::NoAnswer, "NO ANSWER"},
}};

std::string_view AnswerText(RingResult result) {
    for (const ResultWord& w : kResultWords) {
        if (w.result == result) {
            return w.answer;
        }
    }
    return {};
}

}  // namespace

int RingSpeedOf(std::string_view speedText) {
    static constexpr std::array<int, 8> kSpeeds = {1200,  2400,  4800,  9600,
                                                   19200, 38400, 57600, 115200};
    for (int speed : kSpeeds) {
        if (speedText == std::to_string(speed)) {
            return speed;
        }
    }
    return kDefaultSpeed;
}

std::string PhoneNumberOf(std::string_view text) {
    return shared::RemoveSpaces(text.substr(0, text.find("//")));
}

bool RingMatchWord(std::string_view buffer, std::string_view word) {
    std::string line;
    bool lineEnded = true;
    for (char c : buffer) {
        if (c == '\r' || c == '\n') {
            lineEnded = true;
        } else if (c != ' ') {
            if (lineEnded) {
                line.clear();
                lineEnded = false;
            }
            line += c;
        }
    }
    const auto first = line.find_first_of("CB+>ORNE");
    const std::size_t start = first == std::string::npos ? 0 : first;
    return std::string_view(line).substr(start, word.size()) == word;
}

RingResult RingResultOf(std::string_view buffer) {
    if (buffer == "+++") {
        return RingResult::Escape;
    }
    for (const ResultWord& w : kResultWords) {
        if (RingMatchWord(buffer, w.word)) {
            return w.result;
        }
    }
    return RingResult::None;
}

std::string RingCommandBytes(RingCommandKind kind, const std::string& number) {
    switch (kind) {
        case RingCommandKind::EchoOff:
            return "ATE0\r";
        case RingCommandKind::HangUp:
            return "ATH0\r";
        case RingCommandKind::Dial:
            // A number written without its leading 0 gets it.
            return (number.starts_with('0') ? "ATD" : "ATD0") + number + ";\r";
    }
    return {};
}

TDataModule_RING::TDataModule_RING(const ClientCallLinks& links, const ClientCallWindows& windows)
    : BComPort_RING(links.host.ports.create()), links_(links), windows_(windows) {
    BComPort_RING->setName("COM2");
    BComPort_RING->setSpeed(kDefaultSpeed);
    BComPort_RING->onDataReceived([this] { BComPort_RINGRxChar(); });
}

void TDataModule_RING::RingSetSpeed(const std::string& speedText) {
    BComPort_RING->setSpeed(RingSpeedOf(speedText));
}

bool TDataModule_RING::RingOpen() {
    RingClose();
    links_.host.loop.sleep(kReopenPauseMs);
    const RingPortSetting setting = links_.settings.RingPortSettings();
    RingSetSpeed(shared::RemoveSpaces(setting.speedText));
    BComPort_RING->setName(setting.name);
    if (!shared::ProbePort(links_.host.ports, setting.name)) {
        return false;
    }
    if (!BComPort_RING->isOpen()) {
        if (!BComPort_RING->open()) {
            return false;
        }
        BComPort_RING->setDtr(true);
        BComPort_RING->setRts(true);
    }
    return true;
}

void TDataModule_RING::RingClose() {
    if (BComPort_RING->isOpen()) {
        BComPort_RING->close();
    }
}

bool TDataModule_RING::RingPortPresent() {
    const std::string name = links_.settings.RingPortSettings().name;
    if (shared::ProbePort(links_.host.ports, name)) {
        return true;
    }
    links_.host.desktop.messageBox(platform::BoxIcon::Error,
                                   CallText(links_, PortTexts::PortOpenError) + name,
                                   platform::BoxButtons::Ok);
    return false;
}

bool TDataModule_RING::RingCommand(RingCommandKind kind) {
    std::string number;
    if (kind == RingCommandKind::Dial) {
        number = PhoneNumberOf(NumberFieldText());
        if (number.empty()) {
            return false;
        }
        if (!links_.values.settings.AutoDial) {
            links_.work.ShowDialledNumber(number);
        }
    }
    const std::string bytes = RingCommandBytes(kind, shared::Utf8ToCp1251(number));
    RingLastResult = RingResult::None;
    RingSend(bytes);
    return true;
}

void TDataModule_RING::RingSend(const std::string& bytes) {
    RingRxBuffer.clear();
    if (shared::ProbePort(links_.host.ports, links_.settings.RingPortSettings().name)) {
        RingWrite(bytes);
    } else {
        PortLost = true;
    }
}

bool TDataModule_RING::RingWrite(const std::string& bytes) {
    links_.work.LogRing(LogKind::SentRing,
                        "->:" + shared::Cp1251ToUtf8(shared::StripLineControls(bytes)) +
                            " // hex: " + shared::BytesToHexText(bytes));
    if (!BComPort_RING->isOpen()) {
        links_.host.desktop.messageBox(platform::BoxIcon::Error,
                                       CallText(links_, ModemTexts::RingWriteError),
                                       platform::BoxButtons::Ok);
        return false;
    }
    // A short write lost the command: the waiting step runs out its time.
    return BComPort_RING->write(bytes) == bytes.size();
}

void TDataModule_RING::BComPort_RINGRxChar() {
    const std::string bytes = BComPort_RING->read(BComPort_RING->bytesAvailable());
    if (bytes.empty()) {
        return;
    }
    links_.work.LogRing(LogKind::ReceivedText,
                        "<-: " + shared::Cp1251ToUtf8(shared::StripLineControls(bytes)) +
                            " // hex:" + shared::BytesToHexText(bytes));
    RingRxBuffer += bytes;
    if (RingRxBuffer.size() < 2) {
        return;
    }
    // A modem that restarted or a noisy line: ask for echo off again and start afresh.
    if (RingRxBuffer[0] == kNoise || RingRxBuffer[1] == kNoise) {
        RingCommand(RingCommandKind::EchoOff);
        RingRxBuffer.clear();
        return;
    }
    const RingResult result = RingClassify();
    if (result != RingResult::None) {
        RingLastResult = result;
    }
    TrimRxBuffer();
}

RingResult TDataModule_RING::RingClassify() {
    const RingResult result = RingResultOf(RingRxBuffer);
    if (result == RingResult::Busy) {
        links_.values.call.BusySeen = true;
    }
    const std::string_view answer = AnswerText(result);
    if (!answer.empty() && windows_.fModC != nullptr) {
        windows_.fModC->ShowModemAnswer(std::string(answer));
    }
    return result;
}

std::string TDataModule_RING::NumberFieldText() const {
    return windows_.fModC != nullptr ? windows_.fModC->NumberText() : std::string();
}

void TDataModule_RING::TrimRxBuffer() {
    if (RingRxBuffer.size() <= kRxBufferLimit) {
        return;
    }
    // Only the last line counts: keep it, from the line end before it.
    const std::size_t tail = RingRxBuffer.size() - kRxBufferLimit;
    const std::size_t lineEnd = RingRxBuffer.find_first_of("\r\n", tail);
    RingRxBuffer.erase(0, lineEnd == std::string::npos ? tail : lineEnd);
}

}  // namespace kestrel
