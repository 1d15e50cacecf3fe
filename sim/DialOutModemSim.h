#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "ByteEndpoint.h"
#include "Traffic.h"
#include "platform/core/Timer.h"

namespace sim {

// What a dial-out modem does on its line.
struct DialOutModemScript {
    // The dial's final result ("BUSY", "NO ANSWER", "NO CARRIER", "NO DIALTONE", "ERROR");
    // empty: none ever comes.
    std::string dialResult = "BUSY";
    int dialDelayMs = 2000;
    int okDelayMs = 20;
    // When more than 0, the final result goes out in two receptions split at this byte.
    std::size_t splitAt = 0;
    int splitGapMs = 200;
    // Answers nothing, not even an echo.
    bool silent = false;
};

// An ordinary AT modem on the far end of the RING port. It echoes what it is sent until ATE0,
// answers OK to ATE0, ATH0 and other AT commands, and answers a voice dial ("ATD…;") with the
// final result of its script after the script's delay.
class DialOutModemSim {
  public:
    using Script = DialOutModemScript;

    DialOutModemSim(platform::EventLoop& loop, ByteEndpoint& endpoint, Script script = {});

    void setScript(const Script& script) { script_ = script; }
    // A restart: the line noise it makes, and echo on again.
    void restart(const std::string& noise = "\xFF\xFF");

    bool echo() const { return echo_; }
    const Traffic& received() const { return received_; }
    const Traffic& sent() const { return sent_; }

  private:
    struct Pending {
        std::int64_t due;
        std::string bytes;
    };
    void receive(const std::string& bytes);
    void command(const std::string& line);
    void answer(int delayMs, const std::string& bytes);
    void arm();
    void tick();

    platform::EventLoop& loop_;
    ByteEndpoint& endpoint_;
    Script script_;
    platform::Timer timer_;
    std::deque<Pending> pending_;  // in order of due time
    std::string line_;
    bool echo_ = true;
    Traffic received_;
    Traffic sent_;
};

}  // namespace sim
