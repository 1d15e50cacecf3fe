#pragma once

#include <deque>
#include <string>

#include "ByteEndpoint.h"
#include "Traffic.h"
#include "platform/core/Timer.h"

namespace sim {

// The meter-reading software on the far end of the null-modem cable: it sends a script of AT
// command lines, a dial command, data and the hang-up, each after its pause, and records what
// comes back.
class PollingSoftwareSim {
  public:
    PollingSoftwareSim(platform::EventLoop& loop, ByteEndpoint& endpoint);

    // Script steps, each `pauseMs` after the one before (the first after the start).
    void send(int pauseMs, const std::string& bytes);
    void command(int pauseMs, const std::string& line) { send(pauseMs, line + "\r"); }
    void dial(int pauseMs, const std::string& number) { command(pauseMs, "ATD" + number); }
    // "+++", then "ATH" after the guard time.
    void hangUp(int pauseMs, int guardMs);

    // Starts the script now, or once `text` has arrived (the "U" of an opened port).
    void start();
    void startWhenReceived(const std::string& text);

    const Traffic& received() const { return received_; }
    const Traffic& sent() const { return sent_; }
    bool finished() const { return script_.empty() && !timer_.enabled(); }

  private:
    struct Step {
        int pauseMs;
        std::string bytes;
    };
    void next();
    void tick();

    ByteEndpoint& endpoint_;
    platform::Timer timer_;
    std::deque<Step> script_;
    Traffic received_;
    Traffic sent_;
    std::string trigger_;
};

// The plain peer of the SERVER port until a GSM modem simulator stands there: it answers nothing
// and records what it is sent.
class QuietModemSim {
  public:
    QuietModemSim(platform::EventLoop& loop, ByteEndpoint& endpoint);
    const Traffic& received() const { return received_; }

  private:
    Traffic received_;
};

}  // namespace sim
