#pragma once

#include <compare>
#include <cstdint>

namespace platform {

// Local calendar date and time of day, as the program stamps its logs and names its files.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    auto operator<=>(const DateTime&) const = default;
};

DateTime addMilliseconds(const DateTime& start, std::int64_t ms);

}  // namespace platform
