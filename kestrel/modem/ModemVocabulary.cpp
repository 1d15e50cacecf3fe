#include "ModemVocabulary.h"

namespace kestrel {

namespace {

using C = ReplyCompletion;
using R = ModemResponse;
using M = ModemCommand;

// Rows 1..47. Only thirteen of them are ever sent (2, 9, 12, 13, 30-34, 44-47); the others are
// kept with the replies a module gives them, so that sending one later needs no new data.
constexpr std::array<ModemCommandRow, kModemCommandCount + 1> kCommands = {{
    {"", C::None, R::None, R::None, 0, 0},
    {"&F", C::LastLine, R::Ok, R::None, 4, 100},
    {"E0", C::LastLine, R::Ok, R::None, 2, 20},
    {"V1", C::LastLine, R::Ok, R::None, 4, 20},
    {"&D0", C::LastLine, R::Ok, R::None, 4, 20},
    {"+IPR=115200", C::LastLine, R::Ok, R::None, 4, 20},
    {"S0=0", C::LastLine, R::Ok, R::None, 4, 20},
    {"&W", C::LastLine, R::Ok, R::None, 4, 100},
    {"A", C::LastLine, R::Connect, R::None, 4, 300},
    {"+CSQ", C::LastTwoLines, R::Csq, R::Ok, 4, 100},
    {"+CIPSTART=", C::LastTwoLines, R::Ok, R::ConnectOk, 4, 300},
    {"+CIPSEND=", C::LastLine, R::SendOk, R::None, 4, 100},
    {"+CIPCLOSE", C::LastLine, R::CloseOk, R::None, 4, 100},
    {"+CGATT?", C::LastTwoLines, R::Cgatt, R::Ok, 4, 300},
    {"+CGATT=0", C::LastLine, R::Ok, R::None, 4, 300},
    {"+COPS=0,2", C::LastLine, R::Ok, R::None, 4, 300},
    {"+CREG=2", C::LastLine, R::Ok, R::None, 4, 20},
    {"+COPS?", C::LastTwoLines, R::Cops, R::Ok, 4, 100},
    {"+CREG?", C::LastTwoLines, R::Creg, R::Ok, 4, 20},
    {"+CBAND?", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CSCS=", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CSCS=", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CREG=0", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CUSD=1,", C::LastTwoLines, R::Ok, R::Cusd, 4, 300},
    {"+GSMBUSY=1", C::LastLine, R::Ok, R::None, 4, 20},
    {"+GSMBUSY=0", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CNUM", C::LastTwoLines, R::Cnum, R::Ok, 4, 100},
    {"+GSN", C::LastLine, R::Ok, R::None, 4, 20},
    {"+GSMBUSY?", C::LastTwoLines, R::GsmBusy, R::Ok, 4, 20},
    {"+SAPBR=2,1", C::LastTwoLines, R::BearerOpen, R::Ok, 4, 100},
    {"+CGATT=1", C::LastLine, R::Ok, R::None, 4, 300},
    {"+CSTT=", C::LastLine, R::Ok, R::None, 4, 200},
    {"+CIICR", C::LastLine, R::Ok, R::None, 10, 1200},
    {"+CIFSR", C::LastLine, R::NoAddress, R::None, 10, 100},
    {"+CMGDA=6", C::LastLine, R::Ok, R::None, 4, 100},
    {"+CUSD=1,", C::LastTwoLines, R::Ok, R::Cusd, 4, 300},
    {"+IFC?", C::LastTwoLines, R::FlowControl, R::Ok, 4, 20},
    {"+IFC=2,2", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CCLK=", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CCLK?", C::LastTwoLines, R::Clock, R::Ok, 4, 20},
    {"H0", C::LastLine, R::Ok, R::None, 4, 100},
    {"+CIPSEND?", C::LastTwoLines, R::CipSend, R::Ok, 4, 20},
    {"+CPBS=", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CPBW=1,", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CIPMUX=0", C::LastLine, R::Ok, R::None, 4, 20},
    {"+CIPSERVER=1,", C::LastTwoLines, R::Ok, R::ServerOk, 4, 20},
    {"+CIPSTATUS", C::Status, R::None, R::None, 4, 20},
    {"+CIPMODE=1", C::LastLine, R::Ok, R::None, 4, 20},
}};

constexpr std::array<std::string_view, kModemResponseCount + 1> kResponses = {
    "",
    "OK",
    "+CSQ:",
    "+SAPBR: 1,1",
    "+SAPBR: 1,3",
    "+CIPGSMLOC: 0,",
    "+CGATT:",
    "SEND OK",
    "CONNECT OK",
    "CLOSE OK",
    "+CUSD:",
    "RING",
    "CONNECT",
    "ERROR",
    "+SAPBR 1: DEACT",
    "CLOSED",
    "+PDP: DEACT",
    "CONNECT FAIL",
    "TCP CLOSED",
    "NO CARRIER",
    "NO DIALTONE",
    "BUSY",
    "NO ANSWER",
    "+CNUM: ",
    "000000000000000",
    "+GSMBUSY:",
    "+IFC: 2,2",
    "+CCLK:",
    "+CIPSEND:",
    "+COPS:",
    "+CREG:",
    "SERVER OK",
    "REMOTE IP:",
    "+RECEIVE,",
    "STATE: IP INITIAL",
    "STATE: IP START",
    "STATE: IP GPRSACT",
    "STATE: IP STATUS",
    "STATE: IP PROCESSING",
    "STATE: PDP DEACT",
    "S:",
    "C:",
    "RDY",
    "+CFUN: 1",
    "+CPIN: READY",
    "Call Ready",
    "SMS Ready",
    "+CMTI:",
    "+CPIN: NOT",
    "STATE: SERVER LISTENING",
};

constexpr std::array<std::array<ModemCommand, kSequenceRoom>, kSequenceCount> kSequences = {{
    {M::EchoOff, M::SignalQuality, M::DeleteAllSms, M::IpStatus},
    {M::EchoOff, M::SignalQuality, M::DeleteAllSms},
    {M::GprsAttach, M::GprsAttachQuery, M::TransparentMode, M::SingleConnection, M::SetApn,
     M::BringUpGprs, M::LocalAddress, M::StartServer},
    {M::BringUpGprs, M::LocalAddress, M::StartServer},
    {M::LocalAddress, M::StartServer},
    {M::LocalAddress, M::StartServer},
}};

}  // namespace

const ModemCommandRow& CommandRow(ModemCommand command) {
    const auto n = std::size_t(command);
    return n < kCommands.size() ? kCommands[n] : kCommands[0];
}

std::string_view ResponseText(ModemResponse response) {
    const auto n = std::size_t(response);
    return n < kResponses.size() ? kResponses[n] : kResponses[0];
}

ModemCommand SequenceEntry(int sequenceNo, int index) {
    if (sequenceNo < 1 || sequenceNo > kSequenceCount || index < 0 || index >= kSequenceRoom) {
        return ModemCommand::None;
    }
    return kSequences[std::size_t(sequenceNo - 1)][std::size_t(index)];
}

std::string FrameCommand(std::string_view text) {
    return "\r\nAT" + std::string(text) + "\r\n";
}

}  // namespace kestrel
