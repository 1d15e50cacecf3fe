#include "GsmModemSim.h"

namespace sim {

namespace {

constexpr std::size_t kCommandLineLimit = 512;
constexpr int kConnectionLines = 6;

const std::string kOk = "\r\nOK\r\n";

std::string Line(const std::string& text) {
    return "\r\n" + text + "\r\n";
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

const char* StateName(GsmModemSim::IpState state) {
    using S = GsmModemSim::IpState;
    switch (state) {
        case S::Initial:
            return "IP INITIAL";
        case S::Start:
            return "IP START";
        case S::GprsAct:
            return "IP GPRSACT";
        case S::Status:
            return "IP STATUS";
        case S::Processing:
            return "IP PROCESSING";
        case S::ServerListening:
            return "SERVER LISTENING";
    }
    return "";
}

}  // namespace

GsmModemSim::GsmModemSim(platform::EventLoop& loop, ByteEndpoint& line)
    : loop_(loop), line_(line), schedule_(loop), received_(loop), sent_(loop) {
    line_.onReceived([this](const std::string& bytes) { receive(bytes); });
    line_.onControlLine([this](const std::string& name, bool on) { controlLine(name, on); });
}

void GsmModemSim::reply(const std::string& command, std::string text, int delayMs) {
    scripts_.push_back({command, std::move(text), delayMs, false});
}

void GsmModemSim::ignore(const std::string& command) {
    scripts_.push_back({command, "", 0, true});
}

void GsmModemSim::switchOff(Boot boot) {
    powered_ = false;
    answering_ = false;
    boot_ = std::move(boot);
}

void GsmModemSim::notice(const std::string& text, int afterMs) {
    schedule_.after(afterMs, [this, text] { send(Line(text)); });
}

void GsmModemSim::send(const std::string& bytes) {
    sent_.add(bytes);
    line_.send(bytes);
}

void GsmModemSim::controlLine(const std::string& name, bool on) {
    if (name != "RTS") {
        return;
    }
    if (on) {
        rtsOnAt_ = loop_.now();
    } else if (!powered_ && rtsOnAt_ >= 0 && loop_.now() - rtsOnAt_ >= kPowerKeyMs) {
        powerOn();
    }
}

void GsmModemSim::powerOn() {
    powered_ = true;
    echo_ = boot_.echo;
    schedule_.after(boot_.answersAfterMs, [this] { answering_ = true; });
    for (const auto& [afterMs, text] : boot_.notices) {
        notice(text, afterMs);
    }
}

void GsmModemSim::receive(const std::string& bytes) {
    received_.add(bytes);
    if (!powered_) {
        return;
    }
    if (dataMode_) {
        receiveData(bytes);
        return;
    }
    if (echo_ && answering_) {
        send(bytes);
    }
    for (char c : bytes) {
        if (c == '\r') {
            command(commandLine_);
            commandLine_.clear();
        } else if (c != '\n' && commandLine_.size() < kCommandLineLimit) {
            commandLine_ += c;
        }
    }
}

void GsmModemSim::receiveData(const std::string& bytes) {
    const std::int64_t now = loop_.now();
    const bool quietBefore = now - lastDataAt_ >= kEscapeGuardMs;
    lastDataAt_ = now;
    if (escape_ != 0) {
        // Bytes within the guard time after "+++": it was data.
        escape_ = 0;
        device_->receive("+++");
    } else if (bytes == "+++" && quietBefore) {
        const int escape = ++escapes_;
        escape_ = escape;
        schedule_.after(kEscapeGuardMs, [this, escape] {
            if (escape_ == escape) {
                escape_ = 0;
                dataMode_ = false;
                send(kOk);
            }
        });
        return;
    }
    device_->receive(bytes);
}

void GsmModemSim::command(const std::string& line) {
    if (line.size() < 2 || (line[0] != 'A' && line[0] != 'a') ||
        (line[1] != 'T' && line[1] != 't')) {
        return;
    }
    const std::string text = line.substr(2);
    commands_.push_back({loop_.now(), text});
    if (!answering_) {
        return;
    }
    for (const Script& script : scripts_) {
        if (StartsWith(text, script.command)) {
            if (!script.silent) {
                const std::string reply = script.text;
                schedule_.after(script.delayMs, [this, reply] { send(reply); });
            }
            return;
        }
    }
    const std::string reply = answer(text);
    schedule_.after(replyDelayMs_, [this, reply] { send(reply); });
}

std::string GsmModemSim::answer(const std::string& text) {
    using S = IpState;
    if (text == "E0") {
        echo_ = false;
    } else if (text == "+CSQ") {
        return Line("+CSQ: 21,0") + kOk;
    } else if (text == "+CIPSTATUS") {
        return statusReply();
    } else if (text == "+CGATT?") {
        return Line("+CGATT: 1") + kOk;
    } else if (StartsWith(text, "+CSTT=")) {
        ipState_ = ipState_ == S::Initial ? S::Start : ipState_;
    } else if (text == "+CIICR") {
        ipState_ = ipState_ == S::Start ? S::GprsAct : ipState_;
    } else if (text == "+CIFSR") {
        ipState_ = ipState_ == S::GprsAct ? S::Status : ipState_;
        return Line(address_);
    } else if (StartsWith(text, "+CIPSERVER=1,")) {
        ipState_ = S::ServerListening;
        if (awaitedDevice_ != nullptr) {
            connectDevice(*awaitedDevice_, replyDelayMs_ + awaitedAfterMs_);
            awaitedDevice_ = nullptr;
        }
        return kOk + Line("SERVER OK");
    } else if (text == "+CIPCLOSE") {
        if (!socketConnected_) {
            return Line("ERROR");
        }
        socketConnected_ = false;
        device_ = nullptr;
        ++connection_;
        return Line("CLOSE OK");
    }
    return kOk;
}

std::string GsmModemSim::statusReply() const {
    std::string reply = kOk + Line(std::string("STATE: ") + StateName(ipState_));
    const bool gprsComingUp =
        ipState_ == IpState::Start || ipState_ == IpState::GprsAct || ipState_ == IpState::Status;
    if (layout_ == StatusLayout::TwoLines || !(gprsComingUp || ipState_ == IpState::Processing)) {
        return reply;
    }
    if (ipState_ == IpState::Processing) {
        reply += Line("S: 0,0,\"5001\",\"LISTENING\"");
    }
    for (int n = 0; n < kConnectionLines; ++n) {
        const bool connected = n == 0 && socketConnected_;
        reply += Line("C: " + std::to_string(n) +
                      (connected ? ",0,\"TCP\",\"10.20.30.40\",\"40001\",\"CONNECTED\""
                                 : ",,\"\",\"\",\"\",\"INITIAL\""));
    }
    return reply;
}

void GsmModemSim::connectDevice(DeviceSim& device, int afterMs) {
    schedule_.after(afterMs, [this, &device] {
        device_ = &device;
        socketConnected_ = true;
        const int connection = ++connection_;
        send(Line("REMOTE IP: " + device.address()));
        // Transparent mode: from here on the device's bytes pass unchanged.
        dataMode_ = true;
        lastDataAt_ = loop_.now();
        int at = 0;
        for (const DeviceSim::Step& step : device.script()) {
            at += step.pauseMs;
            const std::string bytes = step.bytes;
            schedule_.after(at, [this, connection, bytes] {
                if (connection_ == connection) {
                    send(bytes);
                }
            });
        }
    });
}

void GsmModemSim::connectDeviceOnceListening(DeviceSim& device, int afterMs) {
    awaitedDevice_ = &device;
    awaitedAfterMs_ = afterMs;
}

void GsmModemSim::disconnectDevice(int afterMs) {
    schedule_.after(afterMs, [this] {
        if (!socketConnected_) {
            return;
        }
        socketConnected_ = false;
        device_ = nullptr;
        ++connection_;
        dataMode_ = false;
        escape_ = 0;
        send(Line("CLOSED"));
    });
}

}  // namespace sim
