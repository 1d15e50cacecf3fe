#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "ByteEndpoint.h"
#include "DeviceSim.h"
#include "Schedule.h"
#include "Traffic.h"

namespace sim {

// A GSM modem with a TCP/IP command set on the far end of the SERVER line. It answers the
// command lines it gets ("AT" + command, ended by CR) after a reply delay, keeps the IP state
// the commands move it through (IP INITIAL, IP START, IP GPRSACT, IP STATUS, SERVER LISTENING),
// lets a client device connect to its server socket and then passes bytes through unchanged
// until "+++" with a second of silence before and after it. Per test it can answer differently,
// fail or stay silent on chosen commands, echo, and start switched off until a power pulse.
class GsmModemSim {
  public:
    enum class IpState { Initial, Start, GprsAct, Status, Processing, ServerListening };
    // Multi-connection layout: six connection lines while GPRS comes up, a server line and six
    // connection lines while a server has a client. Two-line layout: OK and the state only.
    enum class StatusLayout { MultiConnection, TwoLines };

    // Power-on behaviour: commands are ignored until `answersAfterMs`; the notices are lines sent
    // at their times, all counted from the end of the power pulse.
    struct Boot {
        int answersAfterMs = 0;
        std::vector<std::pair<int, std::string>> notices;
        bool echo = false;
    };

    struct Command {
        std::int64_t time;
        std::string text;  // after "AT"
    };

    static constexpr int kReplyDelayMs = 20;
    static constexpr int kEscapeGuardMs = 1000;
    // A pulse at least this long on RTS is the power key.
    static constexpr int kPowerKeyMs = 1000;

    GsmModemSim(platform::EventLoop& loop, ByteEndpoint& line);

    // Answers to the commands that start with `command` (the text after "AT"), first match wins.
    void reply(const std::string& command, std::string text, int delayMs = kReplyDelayMs);
    void fail(const std::string& command) { reply(command, "\r\nERROR\r\n"); }
    void ignore(const std::string& command);
    void setReplyDelay(int ms) { replyDelayMs_ = ms; }

    void setEcho(bool on) { echo_ = on; }
    void setIpState(IpState state) { ipState_ = state; }
    IpState ipState() const { return ipState_; }
    void setStatusLayout(StatusLayout layout) { layout_ = layout; }
    void setAddress(std::string address) { address_ = std::move(address); }
    // A client socket open before the test starts (shown as CONNECTED until closed).
    void setSocketConnected(bool connected) { socketConnected_ = connected; }
    bool socketConnected() const { return socketConnected_; }

    // Switched off until a power pulse; then boots as told.
    void switchOff(Boot boot);
    bool poweredOn() const { return powered_; }

    // A line the modem reports by itself ("+PDP: DEACT", "RDY"), `afterMs` from now.
    void notice(const std::string& text, int afterMs = 0);
    // A client device connects to the server socket `afterMs` from now, then sends its script.
    void connectDevice(DeviceSim& device, int afterMs);
    // The device connects `afterMs` after the server socket was opened ("+CIPSERVER").
    void connectDeviceOnceListening(DeviceSim& device, int afterMs);
    // The connected device goes away `afterMs` from now.
    void disconnectDevice(int afterMs);
    bool dataMode() const { return dataMode_; }

    const std::vector<Command>& commands() const { return commands_; }
    const Traffic& received() const { return received_; }
    const Traffic& sent() const { return sent_; }

  private:
    struct Script {
        std::string command;
        std::string text;
        int delayMs;
        bool silent;
    };

    void receive(const std::string& bytes);
    void receiveData(const std::string& bytes);
    void controlLine(const std::string& line, bool on);
    void powerOn();
    void command(const std::string& line);
    // The default answer, with the state change the command makes.
    std::string answer(const std::string& text);
    std::string statusReply() const;
    void send(const std::string& bytes);

    platform::EventLoop& loop_;
    ByteEndpoint& line_;
    Schedule schedule_;
    std::vector<Script> scripts_;
    int replyDelayMs_ = kReplyDelayMs;
    bool echo_ = false;
    IpState ipState_ = IpState::Initial;
    StatusLayout layout_ = StatusLayout::MultiConnection;
    std::string address_ = "10.64.12.7";
    bool powered_ = true;
    bool answering_ = true;
    Boot boot_;
    std::int64_t rtsOnAt_ = -1;
    std::string commandLine_;
    bool socketConnected_ = false;
    bool dataMode_ = false;
    DeviceSim* device_ = nullptr;
    DeviceSim* awaitedDevice_ = nullptr;  // connects once the server socket opens
    int awaitedAfterMs_ = 0;
    int connection_ = 0;  // counts connections, so a device's late steps know theirs ended
    std::int64_t lastDataAt_ = 0;
    int escape_ = 0;  // a pending "+++", by number; 0 none
    int escapes_ = 0;
    std::vector<Command> commands_;
    Traffic received_;
    Traffic sent_;
};

}  // namespace sim
