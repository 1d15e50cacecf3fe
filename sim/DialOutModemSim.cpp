#include "DialOutModemSim.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

constexpr const char* kOk = "\r\nOK\r\n";

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

}  // namespace

DialOutModemSim::DialOutModemSim(platform::EventLoop& loop, ByteEndpoint& endpoint, Script script)
    : loop_(loop),
      endpoint_(endpoint),
      script_(std::move(script)),
      timer_(loop, 1, false),
      received_(loop),
      sent_(loop) {
    timer_.onTick([this] { tick(); });
    endpoint_.onReceived([this](const std::string& bytes) { receive(bytes); });
}

void DialOutModemSim::restart(const std::string& noise) {
    pending_.clear();
    line_.clear();
    echo_ = true;
    sent_.add(noise);
    endpoint_.send(noise);
}

void DialOutModemSim::receive(const std::string& bytes) {
    received_.add(bytes);
    if (script_.silent) {
        return;
    }
    if (echo_) {
        sent_.add(bytes);
        endpoint_.send(bytes);
    }
    for (char c : bytes) {
        if (c == '\r') {
            command(Upper(line_));
            line_.clear();
        } else if (c != '\n') {
            line_ += c;
        }
    }
}

void DialOutModemSim::command(const std::string& line) {
    if (!line.starts_with("AT")) {
        return;
    }
    if (line.starts_with("ATH")) {
        pending_.clear();  // the call, and its result, end here
    } else if (line.starts_with("ATE0")) {
        echo_ = false;
    } else if (line.starts_with("ATD")) {
        const std::string result =
            script_.dialResult.empty() ? "" : "\r\n" + script_.dialResult + "\r\n";
        if (result.empty()) {
            return;
        }
        if (script_.splitAt > 0 && script_.splitAt < result.size()) {
            answer(script_.dialDelayMs, result.substr(0, script_.splitAt));
            answer(script_.dialDelayMs + script_.splitGapMs, result.substr(script_.splitAt));
        } else {
            answer(script_.dialDelayMs, result);
        }
        return;
    }
    answer(script_.okDelayMs, kOk);
}

void DialOutModemSim::answer(int delayMs, const std::string& bytes) {
    const Pending next{loop_.now() + delayMs, bytes};
    const auto at =
        std::upper_bound(pending_.begin(), pending_.end(), next,
                         [](const Pending& a, const Pending& b) { return a.due < b.due; });
    pending_.insert(at, next);
    arm();
}

void DialOutModemSim::arm() {
    timer_.setEnabled(false);
    if (pending_.empty()) {
        return;
    }
    timer_.setInterval(int(std::max<std::int64_t>(1, pending_.front().due - loop_.now())));
    timer_.setEnabled(true);
}

void DialOutModemSim::tick() {
    while (!pending_.empty() && pending_.front().due <= loop_.now()) {
        const std::string bytes = pending_.front().bytes;
        pending_.pop_front();
        sent_.add(bytes);
        endpoint_.send(bytes);
    }
    arm();
}

}  // namespace sim
