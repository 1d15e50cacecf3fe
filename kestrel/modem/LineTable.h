#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace kestrel {

// The lines of the modem's output not yet consumed, oldest first, each with its end position in
// the receive buffer. It keeps the newest 15: the completion tests look only at the last two
// lines and a status reply has at most nine, so older lines may go.
class LineTable {
  public:
    static constexpr std::size_t kCapacity = 15;

    struct Entry {
        std::string text;
        std::size_t end = 0;
    };

    void clear() { entries_.clear(); }
    void add(std::string text, std::size_t end) {
        if (entries_.size() == kCapacity) {
            entries_.pop_front();
        }
        entries_.push_back({std::move(text), end});
    }
    void dropNewest() {
        if (!entries_.empty()) {
            entries_.pop_back();
        }
    }

    std::size_t LineCount() const { return entries_.size(); }
    // Empty text when there is no such line.
    std::string_view newest() const { return fromEnd(1); }
    std::string_view beforeNewest() const { return fromEnd(2); }
    std::size_t newestEnd() const { return entries_.empty() ? 0 : entries_.back().end; }
    const std::deque<Entry>& entries() const { return entries_; }

  private:
    std::string_view fromEnd(std::size_t n) const {
        return entries_.size() < n ? std::string_view() : entries_[entries_.size() - n].text;
    }

    std::deque<Entry> entries_;
};

}  // namespace kestrel
