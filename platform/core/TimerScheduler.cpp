#include "TimerScheduler.h"

#include <utility>

namespace platform {

TimerScheduler::TimerScheduler(std::function<std::int64_t()> clock, std::function<void()> changed)
    : clock_(std::move(clock)), changed_(std::move(changed)) {}

TimerScheduler::Id TimerScheduler::add(std::function<void()> tick) {
    const Id id = nextId_++;
    entries_[id].tick = std::move(tick);
    return id;
}

void TimerScheduler::remove(Id id) {
    if (entries_.erase(id) != 0) {
        changed_();
    }
}

void TimerScheduler::setTick(Id id, std::function<void()> tick) {
    entries_.at(id).tick = std::move(tick);
}

void TimerScheduler::arm(Entry& entry) {
    entry.due = clock_() + entry.interval;
    entry.armedSeq = ++armSeq_;
}

void TimerScheduler::setEnabled(Id id, bool enabled) {
    Entry& entry = entries_.at(id);
    if (entry.enabled == enabled) {
        return;  // enabling a running timer keeps its phase
    }
    entry.enabled = enabled;
    if (enabled) {
        arm(entry);
    }
    changed_();
}

void TimerScheduler::setInterval(Id id, int intervalMs) {
    Entry& entry = entries_.at(id);
    if (entry.interval == intervalMs) {
        return;
    }
    entry.interval = intervalMs < 0 ? 0 : intervalMs;
    if (entry.enabled) {
        arm(entry);  // a changed interval restarts a running timer
    }
    changed_();
}

bool TimerScheduler::enabled(Id id) const {
    return entries_.at(id).enabled;
}

int TimerScheduler::interval(Id id) const {
    return entries_.at(id).interval;
}

std::optional<std::int64_t> TimerScheduler::nextDue() const {
    std::optional<std::int64_t> next;
    for (const auto& [id, entry] : entries_) {
        if (canFire(entry) && (!next || entry.due < *next)) {
            next = entry.due;
        }
    }
    return next;
}

TimerScheduler::Entry* TimerScheduler::dueEntry(std::int64_t now, Id& id) {
    Entry* best = nullptr;
    for (auto& [entryId, entry] : entries_) {
        if (!canFire(entry) || entry.due > now) {
            continue;
        }
        if (best == nullptr || entry.due < best->due ||
            (entry.due == best->due && entry.armedSeq < best->armedSeq)) {
            best = &entry;
            id = entryId;
        }
    }
    return best;
}

bool TimerScheduler::fireDue(std::int64_t now) {
    bool fired = false;
    Id id = 0;
    while (Entry* entry = dueEntry(now, id)) {
        // A timer that fell behind fires once and is next due one interval from now.
        entry->due += entry->interval;
        if (entry->due <= now) {
            entry->due = now + entry->interval;
        }
        entry->inTick = true;
        fired = true;
        auto tick = entry->tick;  // the handler may replace or destroy its own timer
        if (tick) {
            tick();
        }
        if (auto it = entries_.find(id); it != entries_.end()) {
            it->second.inTick = false;
        }
    }
    if (fired) {
        changed_();
    }
    return fired;
}

}  // namespace platform
