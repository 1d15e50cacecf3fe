#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/EventLoop.h"

namespace sim {

// What crossed a peer's line in one direction, with the loop's times.
class Traffic {
  public:
    struct Chunk {
        std::int64_t time;
        std::string bytes;
    };

    explicit Traffic(const platform::EventLoop& loop) : loop_(loop) {}

    void add(const std::string& bytes) { chunks_.push_back({loop_.now(), bytes}); }
    const std::vector<Chunk>& chunks() const { return chunks_; }
    std::string all() const {
        std::string bytes;
        for (const Chunk& c : chunks_) {
            bytes += c.bytes;
        }
        return bytes;
    }
    // When the bytes received so far first contained `text`; -1 if they never did.
    std::int64_t timeOf(const std::string& text) const {
        std::string bytes;
        for (const Chunk& c : chunks_) {
            bytes += c.bytes;
            if (bytes.find(text) != std::string::npos) {
                return c.time;
            }
        }
        return -1;
    }

  private:
    const platform::EventLoop& loop_;
    std::vector<Chunk> chunks_;
};

}  // namespace sim
