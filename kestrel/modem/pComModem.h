#pragma once

#include <cstdint>
#include <string>

#include "LineTable.h"
#include "ModemVocabulary.h"
#include "kestrel/common/ExchangeLogs.h"
#include "kestrel/common/ProgramValues.h"
#include "kestrel/common/WorkWindowIntents.h"
#include "kestrel/winlink/Relay.h"
#include "platform/core/Platform.h"
#include "platform/core/Timer.h"

namespace kestrel {

class TdComModem;

// The IP state a "+CIPSTATUS" reply shows.
enum class IpState : std::uint8_t {
    None = 0,
    IpInitial = 1,
    IpStart = 2,
    IpGprsAct = 3,
    IpStatus = 4,
    IpProcessing = 5,
    ServerListening = 6,
};

// The client socket as the connection line of a "+CIPSTATUS" reply shows it.
enum class SocketState : std::uint8_t { Initial = 0, Connected = 1, Closed = 2 };

// The start window while it is shown: the echo and a deactivated context close it.
class StartWindowLink {
  public:
    virtual ~StartWindowLink() = default;
    virtual void CloseStartWindow() = 0;
};

// The GSM modem service: sends the vocabulary's commands, takes everything the modem sends on the
// SERVER port apart into lines, decides from them whether the outstanding command's reply is
// complete, and notices client devices connecting and identifying themselves.
class ComModem {
  public:
    // Bytes kept in ServerRxBuffer at most: many times the longest reply (a status reply of nine
    // lines), so only a peer that streams without line ends ever loses its oldest bytes.
    static constexpr std::size_t kServerRxLimit = 16 * 1024;

    ComModem(platform::Platform& platform, platform::SerialPort& XComm_Serv, TdComModem& module,
             ProgramValues& values, ExchangeLogs& logs, Relay& relay, WorkWindowIntents& work);
    ComModem(const ComModem&) = delete;
    ComModem& operator=(const ComModem&) = delete;

    // The SERVER port's reception handler.
    void XComm_ServData();

    void SendModemCommand(ModemCommand command);
    // Empties ServerRxBuffer, logs the text in the SERVER pane and writes it in one write; a
    // short write shows the port error box. True when every byte went.
    bool SendToModem(const std::string& text);

    void ClearLineTable();
    void ClearModemErrors();
    void ShowModemErrors();
    void ResetModemState();
    void StopResponseTimer();

    // Registered by the start window while it is shown.
    void SetStartWindow(StartWindowLink* window) { startWindow_ = window; }
    bool StartWindowOpen() const { return startWindow_ != nullptr; }

    // The start's error test: every flag but the echo, which closes the window by itself.
    bool ErrorFlagged() const { return ErrTimeout || ErrCommand || ErrSim || ErrStartupNotice; }

    // The reply bookkeeping, read and reset by the start sequence and the status control.
    std::string ServerRxBuffer;
    LineTable Lines;
    ModemCommand PendingCommand = ModemCommand::None;
    bool CommandDone = false;
    std::uint16_t ResponseTicks = 0;
    bool ErrTimeout = false;
    bool ErrCommand = false;
    bool ErrSim = false;
    bool ErrStartupNotice = false;
    bool ErrEcho = false;
    bool CallReadySeen = false;
    bool SmsReadySeen = false;
    bool SimMissing = false;
    IpState ModemIpState = IpState::None;
    SocketState LinkState = SocketState::Initial;
    std::uint8_t SignalQuality = 0;
    std::string SimIpAddress;

  private:
    enum class Splitter { Idle, BetweenLines, InLine, LineDone };

    void AppendReceived(const std::string& chunk);
    bool ParseDeviceId();
    void SplitModemLines();
    bool SplitPass();
    // False when the reception's processing stops here ("+RECEIVE,").
    bool DispatchLine();
    void RemoveNewestLine();
    void CutAfterNewestLine();
    void CheckModemNotices();
    void ResponseTick();
    bool ModemResponseComplete();
    void ParseModemStatus();
    void TakeSignalQuality();
    void CloseStartWindow();

    platform::Platform& platform_;
    platform::SerialPort& XComm_Serv_;
    platform::Timer& tOut_ComM_;
    ProgramValues& values_;
    ExchangeLogs& logs_;
    Relay& relay_;
    WorkWindowIntents& work_;
    StartWindowLink* startWindow_ = nullptr;
    Splitter splitter_ = Splitter::Idle;
    std::size_t lineEnd_ = 0;
};

}  // namespace kestrel
