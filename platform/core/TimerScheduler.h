#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace platform {

// The timer semantics every backend shares: the backend only supplies the clock, wakes up when
// nextDue() says so and calls fireDue(). Keeping the rules here means Qt's own timer quirks
// (restart on start(), interval 0 firing continuously, coarse drift) never reach the program.
class TimerScheduler {
  public:
    using Id = std::uint64_t;

    TimerScheduler(std::function<std::int64_t()> clock, std::function<void()> changed);

    Id add(std::function<void()> tick);
    void remove(Id id);

    void setTick(Id id, std::function<void()> tick);
    void setEnabled(Id id, bool enabled);
    void setInterval(Id id, int intervalMs);
    bool enabled(Id id) const;
    int interval(Id id) const;

    // Earliest moment a timer may fire; none when no timer can ever fire.
    std::optional<std::int64_t> nextDue() const;
    // Fires every timer due at `now`, earliest first, ties in the order they were armed.
    // Returns whether any fired.
    bool fireDue(std::int64_t now);

  private:
    struct Entry {
        std::function<void()> tick;
        int interval = 0;
        bool enabled = false;
        bool inTick = false;
        std::int64_t due = 0;
        std::uint64_t armedSeq = 0;
    };

    void arm(Entry& entry);
    static bool canFire(const Entry& entry) {
        return entry.enabled && entry.interval > 0 && !entry.inTick;
    }
    Entry* dueEntry(std::int64_t now, Id& id);

    std::function<std::int64_t()> clock_;
    std::function<void()> changed_;
    std::map<Id, Entry> entries_;
    Id nextId_ = 1;
    std::uint64_t armSeq_ = 0;
};

}  // namespace platform
