#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The fixed vocabulary of the GSM modem on the SERVER port: the command table, the response
// table and the command sequences of the server start. Commands and responses are named by
// their row numbers; a response matches a line when the line contains its text.
namespace kestrel {

enum class ModemCommand : std::uint8_t {
    None = 0,
    FactoryProfile = 1,
    EchoOff = 2,
    VerboseResults = 3,
    IgnoreDtr = 4,
    FixedRate = 5,
    NoAutoAnswer = 6,
    StoreProfile = 7,
    Answer = 8,
    SignalQuality = 9,
    TcpStart = 10,
    TcpSend = 11,
    TcpClose = 12,
    GprsAttachQuery = 13,
    GprsDetach = 14,
    OperatorAuto = 15,
    RegistrationReports = 16,
    OperatorQuery = 17,
    RegistrationQuery = 18,
    BandQuery = 19,
    CharacterSet = 20,
    CharacterSetAgain = 21,
    RegistrationReportsOff = 22,
    UssdRequest = 23,
    RejectCalls = 24,
    AcceptCalls = 25,
    OwnNumber = 26,
    Imei = 27,
    RejectCallsQuery = 28,
    BearerQuery = 29,
    GprsAttach = 30,
    SetApn = 31,
    BringUpGprs = 32,
    LocalAddress = 33,
    DeleteAllSms = 34,
    UssdRequestAgain = 35,
    FlowControlQuery = 36,
    HardwareFlowControl = 37,
    SetClock = 38,
    ClockQuery = 39,
    HangUp = 40,
    SendSizeQuery = 41,
    PhonebookStorage = 42,
    PhonebookWrite = 43,
    SingleConnection = 44,
    StartServer = 45,
    IpStatus = 46,
    TransparentMode = 47,
};
inline constexpr int kModemCommandCount = 47;

enum class ModemResponse : std::uint8_t {
    None = 0,
    Ok = 1,
    Csq = 2,
    BearerOpen = 3,
    BearerClosed = 4,
    Location = 5,
    Cgatt = 6,
    SendOk = 7,
    ConnectOk = 8,
    CloseOk = 9,
    Cusd = 10,
    Ring = 11,
    Connect = 12,
    Error = 13,
    BearerDeact = 14,
    Closed = 15,
    PdpDeact = 16,
    ConnectFail = 17,
    TcpClosed = 18,
    NoCarrier = 19,
    NoDialtone = 20,
    Busy = 21,
    NoAnswer = 22,
    Cnum = 23,
    NoAddress = 24,
    GsmBusy = 25,
    FlowControl = 26,
    Clock = 27,
    CipSend = 28,
    Cops = 29,
    Creg = 30,
    ServerOk = 31,
    RemoteIp = 32,
    Receive = 33,
    StateIpInitial = 34,
    StateIpStart = 35,
    StateIpGprsAct = 36,
    StateIpStatus = 37,
    StateIpProcessing = 38,
    StatePdpDeact = 39,
    ServerLine = 40,
    ConnectionLine = 41,
    Rdy = 42,
    Cfun = 43,
    CpinReady = 44,
    CallReady = 45,
    SmsReady = 46,
    Cmti = 47,
    CpinNot = 48,
    StateServerListening = 49,
};
inline constexpr int kModemResponseCount = 49;

// How the reply to a command is recognised as complete.
enum class ReplyCompletion : std::uint8_t {
    None = 0,          // no command
    LastLine = 1,      // the newest line contains response A
    LastTwoLines = 2,  // the line before contains response A, the newest response B
    Status = 8,        // the IP status evaluation
};

struct ModemCommandRow {
    std::string_view text;  // without "AT" and without parameter
    ReplyCompletion completion;
    ModemResponse a;
    ModemResponse b;
    std::uint8_t pause;     // 250 ms ticks the start sequence waits after the reply
    std::uint16_t timeout;  // 100 ms response-timer ticks until the reply counts as missing
};

// The row of a command; `None` and numbers outside the table give an empty row.
const ModemCommandRow& CommandRow(ModemCommand command);
std::string_view ResponseText(ModemResponse response);

// Command sequences 1..6 of the server start, each ending at its first `None`.
inline constexpr int kSequenceCount = 6;
inline constexpr int kSequenceRoom = 9;
ModemCommand SequenceEntry(int sequenceNo, int index);

// "\r\nAT" + text + "\r\n": every command line starts and ends with CR LF.
std::string FrameCommand(std::string_view text);

}  // namespace kestrel
