#include "PollingSoftwareSim.h"

namespace sim {

PollingSoftwareSim::PollingSoftwareSim(platform::EventLoop& loop, ByteEndpoint& endpoint)
    : endpoint_(endpoint), timer_(loop, 1, false), received_(loop), sent_(loop) {
    timer_.onTick([this] { tick(); });
    endpoint_.onReceived([this](const std::string& bytes) {
        received_.add(bytes);
        if (!trigger_.empty() && received_.all().find(trigger_) != std::string::npos) {
            trigger_.clear();
            start();
        }
    });
}

void PollingSoftwareSim::send(int pauseMs, const std::string& bytes) {
    script_.push_back({pauseMs, bytes});
}

void PollingSoftwareSim::hangUp(int pauseMs, int guardMs) {
    send(pauseMs, "+++");
    command(guardMs, "ATH");
}

void PollingSoftwareSim::start() {
    next();
}

void PollingSoftwareSim::startWhenReceived(const std::string& text) {
    trigger_ = text;
}

void PollingSoftwareSim::next() {
    if (script_.empty()) {
        return;
    }
    timer_.setInterval(script_.front().pauseMs < 1 ? 1 : script_.front().pauseMs);
    timer_.setEnabled(true);
}

void PollingSoftwareSim::tick() {
    timer_.setEnabled(false);
    const Step step = script_.front();
    script_.pop_front();
    sent_.add(step.bytes);
    endpoint_.send(step.bytes);
    next();
}

QuietModemSim::QuietModemSim(platform::EventLoop& loop, ByteEndpoint& endpoint) : received_(loop) {
    endpoint.onReceived([this](const std::string& bytes) { received_.add(bytes); });
}

}  // namespace sim
