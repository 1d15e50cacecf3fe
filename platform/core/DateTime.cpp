#include "DateTime.h"

#include <chrono>

namespace platform {

DateTime addMilliseconds(const DateTime& start, std::int64_t ms) {
    using namespace std::chrono;
    const sys_days startDay{year{start.year} / month{unsigned(start.month)} /
                            day{unsigned(start.day)}};
    const auto startPoint = startDay + hours{start.hour} + minutes{start.minute} +
                            seconds{start.second} + milliseconds{start.millisecond};
    const auto point = startPoint + milliseconds{ms};
    const auto dayPoint = floor<days>(point);
    const year_month_day ymd{dayPoint};
    const hh_mm_ss<milliseconds> time{duration_cast<milliseconds>(point - dayPoint)};
    return DateTime{int(ymd.year()),
                    int(unsigned(ymd.month())),
                    int(unsigned(ymd.day())),
                    int(time.hours().count()),
                    int(time.minutes().count()),
                    int(time.seconds().count()),
                    int(time.subseconds().count())};
}

}  // namespace platform
