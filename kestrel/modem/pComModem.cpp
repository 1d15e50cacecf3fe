#include "pComModem.h"

#include <array>

#include "DeviceId.h"
#include "dComModem.h"
#include "kestrel/app/Catalog.h"
#include "shared/Cp1251.h"
#include "shared/Helpers.h"

namespace kestrel {

namespace {

// The silence limit of a device that connected over GPRS, until its record says otherwise.
constexpr std::uint8_t kRemoteIpTimeout = 60;

constexpr std::string_view kPdpDeactivated = "\r\n+PDP: DEACT\r\n";
constexpr std::string_view kSimNotInserted = "\r\n+CPIN: NOT INSERTED\r\n";
constexpr std::string_view kEcho = "ATE0";
constexpr std::string_view kPdpDeactFault = "STATE: PDP DEACT - ОШИБКА ПЕРЕЗАПУСТИТЕ МОДЕМ!!!!";

// Lines a "+CIPSTATUS" reply has, by the IP state it shows.
constexpr std::array<std::size_t, 7> kStatusLineCounts = {0, 2, 8, 8, 8, 9, 2};

bool Contains(std::string_view line, std::string_view text) {
    return line.find(text) != std::string_view::npos;
}

bool Contains(std::string_view line, ModemResponse response) {
    return Contains(line, ResponseText(response));
}

// The socket state a connection line names; of several words the last in this order wins.
SocketState ConnectionLineState(std::string_view line) {
    SocketState state = SocketState::Initial;
    if (Contains(line, "CONNECTED")) {
        state = SocketState::Connected;
    }
    if (Contains(line, "CLOSED")) {
        state = SocketState::Closed;
    }
    return state;
}

}  // namespace

ComModem::ComModem(platform::Platform& platform, platform::SerialPort& XComm_Serv,
                   TdComModem& module, ProgramValues& values, ExchangeLogs& logs, Relay& relay,
                   WorkWindowIntents& work)
    : platform_(platform),
      XComm_Serv_(XComm_Serv),
      tOut_ComM_(module.tOut_ComM),
      values_(values),
      logs_(logs),
      relay_(relay),
      work_(work) {
    tOut_ComM_.onTick([this] { ResponseTick(); });
}

void ComModem::XComm_ServData() {
    const std::string chunk = XComm_Serv_.readAll();
    if (chunk.empty()) {
        return;
    }
    values_.links.IdleSeconds = 0;
    AppendReceived(chunk);
    logs_.NoteServerReceived(chunk);
    if (values_.links.ClientIdentified()) {
        // The device's bytes go to the polling software unexamined; after a failed write they
        // are dropped.
        if (!relay_.WinWriteFailed()) {
            ServerRxBuffer.clear();
            relay_.ForwardServerToWin(chunk);
        }
        return;
    }
    if (ParseDeviceId()) {
        work_.SetClientConnected(true);
        work_.SetClientIdentified(true);
        ServerRxBuffer.clear();
        return;
    }
    if (Contains(ServerRxBuffer, kPdpDeactivated)) {
        ResetModemState();
        ServerRxBuffer.clear();
        return;
    }
    SimMissing = StartWindowOpen() && Contains(ServerRxBuffer, kSimNotInserted);
    SplitModemLines();
}

void ComModem::AppendReceived(const std::string& chunk) {
    ServerRxBuffer += chunk;
    if (ServerRxBuffer.size() > kServerRxLimit) {
        ServerRxBuffer.erase(0, ServerRxBuffer.size() - kServerRxLimit);
    }
}

bool ComModem::ParseDeviceId() {
    const std::optional<DeviceId> device = FindDeviceId(ServerRxBuffer);
    if (!device) {
        return false;
    }
    work_.ShowDevice(device->fields);
    values_.links.ClientTimeout = device->requestTimeout;
    return true;
}

void ComModem::SplitModemLines() {
    for (;;) {
        const bool completed = SplitPass();
        if (completed && !DispatchLine()) {
            return;
        }
        if (!completed || ServerRxBuffer.empty()) {
            splitter_ = Splitter::Idle;
            lineEnd_ = 0;
            return;
        }
    }
}

bool ComModem::SplitPass() {
    const std::string& buffer = ServerRxBuffer;
    std::string line;
    for (std::size_t i = 0; i < buffer.size(); ++i) {
        const char byte = buffer[i];
        if (byte != '\r' && byte != '\n') {
            if (splitter_ != Splitter::InLine) {
                line.clear();
            }
            splitter_ = Splitter::InLine;
            line += byte;
            lineEnd_ = i;
        } else if (splitter_ == Splitter::InLine) {
            splitter_ = Splitter::LineDone;
            // A status reply keeps its line breaks for the next pass to skip.
            if (PendingCommand != ModemCommand::IpStatus && i + 1 < buffer.size() &&
                buffer[i] == '\r' && buffer[i + 1] == '\n') {
                lineEnd_ = i + 1;
            }
            Lines.add(std::move(line), lineEnd_);
            return true;
        } else {
            splitter_ = Splitter::BetweenLines;
            line.clear();
        }
    }
    return false;
}

bool ComModem::DispatchLine() {
    const std::string newest(Lines.newest());
    // A connection line of a status reply may name a closed socket; it belongs to the reply.
    const bool statusConnectionLine =
        PendingCommand == ModemCommand::IpStatus && Contains(newest, ModemResponse::ConnectionLine);
    if (Contains(newest, ModemResponse::Closed) && !statusConnectionLine) {
        RemoveNewestLine();
        return true;
    }
    if (PendingCommand == ModemCommand::TcpClose && Contains(newest, ModemResponse::CloseOk)) {
        CommandDone = true;
        StopResponseTimer();
        RemoveNewestLine();
        return true;
    }
    if (Contains(newest, ModemResponse::RemoteIp)) {
        values_.links.ClientTimeout = kRemoteIpTimeout;
        RemoveNewestLine();
        work_.SetClientConnected(true);
        return true;
    }
    if (Contains(newest, ModemResponse::Receive)) {
        // The line stays, so every later reception finds it again and keeps the countdown two
        // seconds from its end.
        values_.links.IdleSeconds = std::uint8_t(values_.links.ClientTimeout - 2);
        return false;
    }
    CheckModemNotices();
    if (PendingCommand == ModemCommand::None) {
        RemoveNewestLine();
    } else {
        CutAfterNewestLine();
    }
    return true;
}

void ComModem::CutAfterNewestLine() {
    ServerRxBuffer.erase(0, std::min(Lines.newestEnd() + 1, ServerRxBuffer.size()));
}

void ComModem::RemoveNewestLine() {
    CutAfterNewestLine();
    Lines.dropNewest();
}

void ComModem::CheckModemNotices() {
    const std::string_view line = Lines.newest();
    using R = ModemResponse;
    for (R notice : {R::Rdy, R::Cfun, R::CpinReady, R::CallReady, R::SmsReady, R::Cmti}) {
        if (Contains(line, notice)) {
            ErrStartupNotice = true;
        }
    }
    if (Contains(line, R::CallReady)) {
        CallReadySeen = true;
    }
    if (Contains(line, R::SmsReady)) {
        SmsReadySeen = true;
    }
    if (Contains(line, R::CpinNot)) {
        ErrSim = true;
    }
    if (Contains(line, R::Error)) {
        ErrCommand = true;
    }
    ShowModemErrors();
}

void ComModem::ShowModemErrors() {
    work_.ShowModemFaultLine();
    const std::string stamp = " // " + shared::TodayText(platform_.loop) + " " +
                              shared::NowTimeText(platform_.loop) + " ";
    const auto text = [this](ModemFaultTexts key) {
        return std::string(CatalogText(key, values_.program.LanguageIndex));
    };
    const std::string command(CommandRow(PendingCommand).text);
    // Each condition that holds overwrites the one before: the last one wins.
    std::optional<std::string> fault;
    if (ErrEcho) {
        fault = text(ModemFaultTexts::NoInitProfile) + stamp;
    }
    if (ServerRxBuffer.empty() && Lines.newest().empty()) {
        fault = text(ModemFaultTexts::NoModemResponse) + stamp;
    }
    if (ErrCommand) {
        fault = text(ModemFaultTexts::ModemCommandError) + stamp + command;
    }
    if (ErrSim) {
        fault = text(ModemFaultTexts::SimCardFault) + stamp;
    }
    if (ErrStartupNotice) {
        fault = text(ModemFaultTexts::PowerOnIncomplete) + stamp;
    }
    if (ErrTimeout) {
        fault = text(ModemFaultTexts::ModemCommandTimeout) + stamp + command + "\"";
    }
    if (fault) {
        work_.SetModemFaultText(*fault);
    }
}

void ComModem::ResponseTick() {
    ++ResponseTicks;
    if (PendingCommand == ModemCommand::EchoOff && Contains(Lines.newest(), kEcho)) {
        // The modem echoes: its stored profile does not switch the echo off.
        ServerRxBuffer.clear();
        StopResponseTimer();
        ErrEcho = true;
        ShowModemErrors();
        CloseStartWindow();
        return;
    }
    if (ModemResponseComplete()) {
        ServerRxBuffer.clear();
        StopResponseTimer();
        if (PendingCommand == ModemCommand::SignalQuality) {
            TakeSignalQuality();
        }
        return;
    }
    if (ResponseTicks >= CommandRow(PendingCommand).timeout) {
        ErrTimeout = true;
        ShowModemErrors();
        ServerRxBuffer.clear();
        StopResponseTimer();
    }
}

bool ComModem::ModemResponseComplete() {
    const ModemCommandRow& row = CommandRow(PendingCommand);
    const std::string_view newest = Lines.newest();
    if (PendingCommand == ModemCommand::IpStatus) {
        ParseModemStatus();
    } else if (PendingCommand == ModemCommand::LocalAddress && newest.size() > 5) {
        // The reply to "+CIFSR" is the bare address, without OK.
        CommandDone = true;
        StopResponseTimer();
        SimIpAddress = std::string(newest);
        work_.ShowSimAddress(shared::Cp1251ToUtf8(SimIpAddress));
        ServerRxBuffer.clear();
    } else if ((row.completion == ReplyCompletion::LastLine && Contains(newest, row.a)) ||
               (row.completion == ReplyCompletion::LastTwoLines &&
                Contains(Lines.beforeNewest(), row.a) && Contains(newest, row.b))) {
        CommandDone = true;
        StopResponseTimer();
    }
    return CommandDone;
}

void ComModem::ParseModemStatus() {
    if (Lines.LineCount() < 1 || PendingCommand != ModemCommand::IpStatus) {
        return;
    }
    using R = ModemResponse;
    LinkState = SocketState::Initial;
    for (const LineTable::Entry& entry : Lines.entries()) {
        const std::string_view line = entry.text;
        if (Contains(line, R::StateIpInitial)) {
            ModemIpState = IpState::IpInitial;
        } else if (Contains(line, R::StatePdpDeact)) {
            StopResponseTimer();
            work_.SetModemFaultText(std::string(kPdpDeactFault));
            CloseStartWindow();
            return;
        } else if (Contains(line, R::StateIpStart)) {
            ModemIpState = IpState::IpStart;
        } else if (Contains(line, R::StateIpGprsAct)) {
            ModemIpState = IpState::IpGprsAct;
        } else if (Contains(line, R::StateIpStatus)) {
            ModemIpState = IpState::IpStatus;
        } else if (Contains(line, R::StateIpProcessing)) {
            ModemIpState = IpState::IpProcessing;
        } else if (Contains(line, R::ConnectionLine)) {
            // One connected socket among the links is what matters: a later free link's line
            // does not hide it.
            if (LinkState != SocketState::Connected) {
                LinkState = ConnectionLineState(line);
            }
        } else if (Contains(line, R::StateServerListening)) {
            ModemIpState = IpState::ServerListening;
        }
    }
    if (ModemIpState == IpState::None ||
        Lines.LineCount() < kStatusLineCounts[std::size_t(ModemIpState)]) {
        return;
    }
    CommandDone = true;
    StopResponseTimer();
}

void ComModem::TakeSignalQuality() {
    // "+CSQ: 21,0": the number between the first colon and the next comma.
    const std::string_view line = Lines.beforeNewest();
    const std::size_t colon = line.find(':');
    std::string_view number;
    if (colon != std::string_view::npos) {
        number = line.substr(colon + 1);
        number = number.substr(0, number.find(','));
    }
    SignalQuality = std::uint8_t(shared::TextToInt64(number) & 0xFF);
    work_.ShowSignalQuality(SignalQuality);
}

void ComModem::CloseStartWindow() {
    if (startWindow_ != nullptr) {
        startWindow_->CloseStartWindow();
    }
}

void ComModem::SendModemCommand(ModemCommand command) {
    const ModemCommandRow& row = CommandRow(command);
    if (row.text.empty()) {
        return;  // not a command of the table
    }
    ErrStartupNotice = false;
    CommandDone = false;
    ErrTimeout = false;
    ErrCommand = false;
    PendingCommand = command;
    std::string text(row.text);
    if (command == ModemCommand::SetApn) {
        text += "\"" + shared::Utf8ToCp1251(values_.settings.GprsApn) + "\"";
    } else if (command == ModemCommand::StartServer) {
        text += shared::Utf8ToCp1251(values_.settings.GprsPort);
    } else if (command == ModemCommand::IpStatus) {
        ModemIpState = IpState::None;
    }
    ClearLineTable();
    ResponseTicks = 0;
    CommandDone = false;
    SendToModem(FrameCommand(text));
    tOut_ComM_.setEnabled(true);
}

bool ComModem::SendToModem(const std::string& text) {
    ServerRxBuffer.clear();
    if (values_.debug.DebugMonitor) {
        logs_.LogServer(LogKind::SentServer, shared::BytesToHexText(text), true);
        logs_.LogServer(LogKind::SentServer, shared::Cp1251ToUtf8(shared::StripLineControls(text)),
                        true);
    }
    if (XComm_Serv_.write(text) < text.size()) {
        platform_.desktop.messageBox(
            platform::BoxIcon::Error,
            std::string(CatalogText(SettingsTexts::PortWriteError, values_.program.LanguageIndex)),
            platform::BoxButtons::Ok);
        return false;
    }
    return true;
}

void ComModem::ClearLineTable() {
    splitter_ = Splitter::Idle;
    lineEnd_ = 0;
    Lines.clear();
}

void ComModem::ClearModemErrors() {
    ErrTimeout = false;
    ErrCommand = false;
    ErrSim = false;
    ErrStartupNotice = false;
    ErrEcho = false;
    CommandDone = false;
}

void ComModem::ResetModemState() {
    ClearLineTable();
    ClearModemErrors();
    ServerRxBuffer.clear();
    StopResponseTimer();
}

void ComModem::StopResponseTimer() {
    tOut_ComM_.setEnabled(false);
}

}  // namespace kestrel
