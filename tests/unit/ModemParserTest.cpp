#include <gtest/gtest.h>

#include "support/ModemBench.h"

using kestrel::IpState;
using kestrel::ModemCommand;
using kestrel::SocketState;
using testing_support::ModemBench;
using testing_support::Stamp;

namespace {

const std::string kCrLf = "\r\n";

std::string Line(const std::string& text) {
    return kCrLf + text + kCrLf;
}

// A "+CIPSTATUS" reply in the multi-connection layout: OK, the state, then `extra` lines.
std::string StatusReply(const std::string& state, const std::vector<std::string>& extra) {
    std::string reply = Line("OK") + Line("STATE: " + state);
    for (const std::string& line : extra) {
        reply += Line(line);
    }
    return reply;
}

std::vector<std::string> FreeConnections(int count, int first = 0) {
    std::vector<std::string> lines;
    for (int n = first; n < first + count; ++n) {
        lines.push_back("C: " + std::to_string(n) + ",,\"\",\"\",\"\",\"INITIAL\"");
    }
    return lines;
}

struct SplitCase {
    const char* name;
    ModemCommand command;  // None: nothing outstanding
    std::vector<std::string> receptions;
    int runMs;  // virtual time after the receptions
    std::string expected;
};

}  // namespace

// How receptions become lines, what stays in the buffer, and when the reply counts as complete.
TEST(ModemParser, ReceptionsToLines) {
    const SplitCase cases[] = {
        {"OK with its line breaks: the end moves onto the final LF, the buffer empties",
         ModemCommand::EchoOff,
         {"\r\nOK\r\n"},
         0,
         "lines: \"OK\"@5\nbuffer: \"\"\ndone 0, timer 1\nfault line shown\n"},
        {"... and the next tick finds the reply complete",
         ModemCommand::EchoOff,
         {"\r\nOK\r\n"},
         100,
         "lines: \"OK\"@5\nbuffer: \"\"\ndone 1, timer 0\nfault line shown\n"},
        {"signal quality: two lines, complete at the tick, the number between colon and comma",
         ModemCommand::SignalQuality,
         {"\r\n+CSQ: 21,0\r\n\r\nOK\r\n"},
         100,
         "lines: \"+CSQ: 21,0\"@13 \"OK\"@5\nbuffer: \"\"\ndone 1, timer 0\n"
         "fault line shown\nfault line shown\nCSQ 21\n"},
        {"a start-up notice with nothing outstanding is shown and removed",
         ModemCommand::None,
         {"\r\nRDY\r\n"},
         0,
         "lines:\nbuffer: \"\"\ndone 0, timer 0, ErrStartupNotice\nfault line shown\n"
         "fault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА" +
             Stamp(0) + "\"\n"},
        {"OK and a CR: the line ends on its K, the CR stays",
         ModemCommand::EchoOff,
         {"OK\r"},
         0,
         "lines: \"OK\"@1\nbuffer: \"\\r\"\ndone 0, timer 1\nfault line shown\n"},
        {"... a later lone LF joins the CR and both are skipped",
         ModemCommand::EchoOff,
         {"OK\r", "\n"},
         0,
         "lines: \"OK\"@1\nbuffer: \"\\r\\n\"\ndone 0, timer 1\nfault line shown\n"},
        {"two lines without a blank line between give two lines, never one glued",
         ModemCommand::EchoOff,
         {"A\r\nB\r\n"},
         0,
         "lines: \"A\"@2 \"B\"@2\nbuffer: \"\"\ndone 0, timer 1\nfault line shown\n"
         "fault line shown\n"},
        {"a line without its end waits whole for the next reception",
         ModemCommand::EchoOff,
         {"\r\nO"},
         0,
         "lines:\nbuffer: \"\\r\\nO\"\ndone 0, timer 1\n"},
        {"a status reply keeps the line breaks after each line for the next pass",
         ModemCommand::IpStatus,
         {StatusReply("IP INITIAL", {})},
         0,
         "lines: \"OK\"@3 \"STATE: IP INITIAL\"@20\nbuffer: \"\\r\\n\"\ndone 0, timer 1\n"
         "fault line shown\nfault line shown\n"},
        {"a kind-2 reply whose first line came alone is not complete",
         ModemCommand::SignalQuality,
         {"\r\n+CSQ: 21,0\r\n"},
         9900,
         "lines: \"+CSQ: 21,0\"@13\nbuffer: \"\"\ndone 0, timer 1\nfault line shown\n"},
        {"... and runs into the row's timeout, named in the fault line",
         ModemCommand::SignalQuality,
         {"\r\n+CSQ: 21,0\r\n"},
         10000,
         "lines: \"+CSQ: 21,0\"@13\nbuffer: \"\"\ndone 0, timer 0, ErrTimeout\nfault line shown\n"
         "fault line shown\nfault \"ОШИБКА КОМАНДЫ МОДЕМА - (ТАЙМ-АУТ): \"" +
             Stamp(10000) + "+CSQ\"\"\n"},
        {"ERROR names the command without its parameter",
         ModemCommand::SetApn,
         {"\r\nERROR\r\n"},
         100,
         "lines: \"ERROR\"@8\nbuffer: \"\"\ndone 0, timer 1, ErrCommand\nfault line shown\n"
         "fault \"ОШИБКА КОМАНДЫ МОДЕМА:" +
             Stamp(0) + "+CSTT=\"\n"},
        {"a SIM error",
         ModemCommand::None,
         {"\r\n+CPIN: NOT READY\r\n"},
         0,
         "lines:\nbuffer: \"\"\ndone 0, timer 0, ErrSim\nfault line shown\n"
         "fault \"ОШИБКА SIM КАРТЫ" +
             Stamp(0) + "\"\n"},
        {"the ready notices are remembered",
         ModemCommand::None,
         {"\r\nCall Ready\r\n\r\nSMS Ready\r\n"},
         0,
         "lines:\nbuffer: \"\"\ndone 0, timer 0, ErrStartupNotice, CallReadySeen, SmsReadySeen\n"
         "fault line shown\nfault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА" +
             Stamp(0) + "\"\nfault line shown\nfault \"НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА" +
             Stamp(0) + "\"\n"},
        {"a closed socket is consumed without a trace",
         ModemCommand::EchoOff,
         {"\r\nCLOSED\r\n"},
         0,
         "lines:\nbuffer: \"\"\ndone 0, timer 1\n"},
        {"CLOSE OK completes the close at once, without the tick",
         ModemCommand::TcpClose,
         {"\r\nCLOSE OK\r\n"},
         0,
         "lines:\nbuffer: \"\"\ndone 1, timer 0\n"},
        {"a deactivated context resets the bookkeeping without a message",
         ModemCommand::BringUpGprs,
         {"\r\nOK", "\r\n\r\n+PDP: DEACT\r\n"},
         0,
         "lines:\nbuffer: \"\"\ndone 0, timer 0\n"},
        {"a sixteenth line pushes out the oldest",
         ModemCommand::EchoOff,
         {"\r\nL1\r\n\r\nL2\r\n\r\nL3\r\n\r\nL4\r\n\r\nL5\r\n\r\nL6\r\n\r\nL7\r\n\r\nL8\r\n"
          "\r\nL9\r\n\r\nL10\r\n\r\nL11\r\n\r\nL12\r\n\r\nL13\r\n\r\nL14\r\n\r\nL15\r\n"
          "\r\nL16\r\n"},
         0,
         "lines: \"L2\"@5 \"L3\"@5 \"L4\"@5 \"L5\"@5 \"L6\"@5 \"L7\"@5 \"L8\"@5 \"L9\"@5 "
         "\"L10\"@6 \"L11\"@6 \"L12\"@6 \"L13\"@6 \"L14\"@6 \"L15\"@6 \"L16\"@6\n"
         "buffer: \"\"\ndone 0, timer 1\n" +
             [] {
                 std::string shown;
                 for (int i = 0; i < 16; ++i) {
                     shown += "fault line shown\n";
                 }
                 return shown;
             }()},
    };
    for (const SplitCase& c : cases) {
        ModemBench b;
        if (c.command != ModemCommand::None) {
            b.modem.SendModemCommand(c.command);
        }
        for (const std::string& chunk : c.receptions) {
            b.receive(chunk);
        }
        b.loop.runFor(c.runMs);
        EXPECT_EQ(b.state(), c.expected) << c.name;
    }
}

TEST(ModemParser, StatusReplyCompletesWithTheLineCountOfItsState) {
    struct Case {
        std::string reply;
        bool complete;
        IpState state;
        SocketState link;
    };
    const Case cases[] = {
        {StatusReply("IP INITIAL", {}), true, IpState::IpInitial, SocketState::Initial},
        {StatusReply("IP START", FreeConnections(3)), false, IpState::IpStart,
         SocketState::Initial},
        {StatusReply("IP START", FreeConnections(6)), true, IpState::IpStart, SocketState::Initial},
        {StatusReply("IP GPRSACT", FreeConnections(6)), true, IpState::IpGprsAct,
         SocketState::Initial},
        {StatusReply("IP STATUS", {"C: 0,0,\"TCP\",\"10.1.2.3\",\"40001\",\"CONNECTED\""}), false,
         IpState::IpStatus, SocketState::Connected},
        {StatusReply("IP PROCESSING", FreeConnections(6)), false, IpState::IpProcessing,
         SocketState::Initial},
        {StatusReply("IP PROCESSING",
                     [] {
                         auto lines = FreeConnections(6);
                         lines.insert(lines.begin(), "S: 0,0,\"5001\",\"LISTENING\"");
                         return lines;
                     }()),
         true, IpState::IpProcessing, SocketState::Initial},
        {StatusReply("SERVER LISTENING", {}), true, IpState::ServerListening, SocketState::Initial},
        // A connection line naming a closed socket belongs to the reply.
        {StatusReply("IP STATUS",
                     [] {
                         auto lines = FreeConnections(5);
                         lines.push_back("C: 5,0,\"TCP\",\"10.1.2.3\",\"40001\",\"CLOSED\"");
                         return lines;
                     }()),
         true, IpState::IpStatus, SocketState::Closed},
        // A connected socket on the first link is not hidden by the free links after it.
        {StatusReply("IP STATUS",
                     [] {
                         auto lines = FreeConnections(5, 1);
                         lines.insert(lines.begin(),
                                      "C: 0,0,\"TCP\",\"10.1.2.3\",\"40001\",\"CONNECTED\"");
                         return lines;
                     }()),
         true, IpState::IpStatus, SocketState::Connected},
    };
    for (const Case& c : cases) {
        ModemBench b;
        b.modem.SendModemCommand(ModemCommand::IpStatus);
        b.receive(c.reply);
        b.loop.runFor(100);
        EXPECT_EQ(b.modem.CommandDone, c.complete) << c.reply;
        EXPECT_EQ(b.modem.ModemIpState, c.state) << c.reply;
        EXPECT_EQ(b.modem.LinkState, c.link) << c.reply;
    }
}

TEST(ModemParser, DeactivatedContextInAStatusReplyStopsTheReplyWithItsFaultText) {
    ModemBench b;
    b.modem.SendModemCommand(ModemCommand::IpStatus);
    b.receive(StatusReply("PDP DEACT", {}));
    b.loop.runFor(200);
    EXPECT_FALSE(b.modem.CommandDone);
    EXPECT_FALSE(b.module.tOut_ComM.enabled());
    EXPECT_EQ(b.work.calls.back(), "fault \"STATE: PDP DEACT - ОШИБКА ПЕРЕЗАПУСТИТЕ МОДЕМ!!!!\"");
}

TEST(ModemParser, LocalAddressNeedsALineLongerThanFiveCharacters) {
    for (const std::string& address : {std::string("1.2.3"), std::string("1.2.34")}) {
        ModemBench b;
        b.modem.SendModemCommand(ModemCommand::LocalAddress);
        b.receive(Line(address));
        b.loop.runFor(100);
        const bool complete = address.size() > 5;
        EXPECT_EQ(b.modem.CommandDone, complete) << address;
        EXPECT_EQ(b.modem.SimIpAddress, complete ? address : "") << address;
        EXPECT_EQ(b.work.calls.back(), complete ? "IP Sim " + address : "fault line shown");
    }
}

TEST(ModemParser, EchoOfEchoOffIsTheProfileFaultUnlessTheOkFollowedBeforeTheTick) {
    {
        ModemBench b;
        b.modem.SendModemCommand(ModemCommand::EchoOff);
        b.receive("\r\nATE0\r\n");
        b.loop.runFor(100);
        EXPECT_TRUE(b.modem.ErrEcho);
        EXPECT_FALSE(b.modem.CommandDone);
        EXPECT_FALSE(b.module.tOut_ComM.enabled());
        EXPECT_EQ(b.work.calls.back(),
                  "fault \"НЕ ЗАПИСАН ПРОФИЛЬ ИНИЦИАЛИЗАЦИИ МОДЕМА" + Stamp(100) + "\"");
    }
    {
        ModemBench b;
        b.modem.SendModemCommand(ModemCommand::EchoOff);
        b.receive("\r\nATE0\r\n");
        b.receive("\r\nOK\r\n");
        b.loop.runFor(100);
        EXPECT_FALSE(b.modem.ErrEcho);
        EXPECT_TRUE(b.modem.CommandDone);
    }
}

TEST(ModemParser, AMegabyteWithoutLineEndsKeepsOnlyTheNewestBytes) {
    ModemBench b;
    b.modem.SendModemCommand(ModemCommand::EchoOff);
    std::string chunk(1024, 'x');
    for (int i = 0; i < 1024; ++i) {
        chunk.back() = char('a' + i % 26);
        b.receive(chunk);
        ASSERT_LE(b.modem.ServerRxBuffer.size(), kestrel::ComModem::kServerRxLimit);
    }
    EXPECT_EQ(b.modem.ServerRxBuffer.size(), kestrel::ComModem::kServerRxLimit);
    EXPECT_EQ(b.modem.ServerRxBuffer.back(), char('a' + 1023 % 26));
    EXPECT_EQ(b.modem.Lines.LineCount(), 0u);
    // A line end still makes the stream one line, and the parser goes on.
    b.receive("\r\n\r\nOK\r\n");
    EXPECT_EQ(b.modem.Lines.LineCount(), 2u);
    EXPECT_EQ(b.modem.Lines.newest(), "OK");
}

TEST(ModemParser, ReceiveLineHoldsTheCountdownTwoSecondsFromItsEndAtEveryReception) {
    ModemBench b;
    b.values.links.ClientTimeout = 30;
    b.values.links.IdleSeconds = 7;
    b.receive("\r\n+RECEIVE,0,12:\r\n");
    EXPECT_EQ(b.values.links.IdleSeconds, 28);
    b.values.links.IdleSeconds = 3;
    b.receive("more");
    EXPECT_EQ(b.values.links.IdleSeconds, 28);
    EXPECT_EQ(b.modem.ServerRxBuffer, "\r\n+RECEIVE,0,12:\r\nmore");
    // A limit below two wraps round as the byte it is.
    b.values.links.ClientTimeout = 1;
    b.receive("x");
    EXPECT_EQ(b.values.links.IdleSeconds, 255);
}

TEST(ModemCommands, FramingAndParameters) {
    struct Case {
        ModemCommand command;
        std::string written;
    };
    const Case cases[] = {
        {ModemCommand::SetApn, "\r\nAT+CSTT=\"internet\"\r\n"},
        {ModemCommand::StartServer, "\r\nAT+CIPSERVER=1,5000\r\n"},
        {ModemCommand::SignalQuality, "\r\nAT+CSQ\r\n"},
        {ModemCommand::IpStatus, "\r\nAT+CIPSTATUS\r\n"},
    };
    for (const Case& c : cases) {
        ModemBench b;
        b.modem.ServerRxBuffer = "left over";
        b.modem.SendModemCommand(c.command);
        ASSERT_EQ(b.device.writes().size(), 1u);
        EXPECT_EQ(b.device.writes()[0].bytes, c.written);
        EXPECT_EQ(b.modem.PendingCommand, c.command);
        EXPECT_EQ(b.modem.ServerRxBuffer, "");
        EXPECT_TRUE(b.module.tOut_ComM.enabled());
    }
}

TEST(ModemCommands, SendClearsTheReplyStateButNotTheSimAndEchoFlags) {
    ModemBench b;
    b.modem.ErrTimeout = b.modem.ErrCommand = b.modem.ErrStartupNotice = true;
    b.modem.ErrSim = b.modem.ErrEcho = b.modem.CommandDone = true;
    b.modem.ModemIpState = IpState::ServerListening;
    b.modem.SendModemCommand(ModemCommand::IpStatus);
    EXPECT_FALSE(b.modem.ErrTimeout || b.modem.ErrCommand || b.modem.ErrStartupNotice ||
                 b.modem.CommandDone);
    EXPECT_TRUE(b.modem.ErrSim && b.modem.ErrEcho);
    EXPECT_EQ(b.modem.ModemIpState, IpState::None);
}

TEST(ModemCommands, MonitorShowsTheLineAsHexAndAsText) {
    ModemBench b;
    b.values.debug.DebugMonitor = true;
    b.modem.SendModemCommand(ModemCommand::SignalQuality);
    std::string pane;
    for (const platform::LogLine& line : b.work.serverPane.lines()) {
        pane += line.text + "\n";
    }
    EXPECT_EQ(pane,
              "01.03.2024 09:00:00.000\n0D 0A 41 54 2B 43 53 51 0D 0A \n"
              "01.03.2024 09:00:00.000\nAT+CSQ\n");
}

TEST(ModemCommands, AShortWriteShowsThePortErrorAndTheTimeoutFollows) {
    ModemBench b;
    b.device.cutWritesTo(3);
    b.modem.SendModemCommand(ModemCommand::SignalQuality);
    const auto boxes = b.desktop.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "ОШИБКА COM порта");
    EXPECT_EQ(boxes[0].icon, platform::BoxIcon::Error);
    b.loop.runFor(10000);
    EXPECT_TRUE(b.modem.ErrTimeout);
}
