#include "config/ClockWords.h"

#include <chrono>
#include <ctime>

namespace zeb40 {

LocalClock ReadLocalClock() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    LocalClock clock;
    clock.year = local.tm_year + 1900;
    clock.month = local.tm_mon + 1;
    clock.day = local.tm_mday;
    clock.weekday = local.tm_wday;
    clock.hours = local.tm_hour;
    clock.minutes = local.tm_min;
    clock.seconds = local.tm_sec;
    clock.milliseconds =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return clock;
}

int LocalStandardBiasMinutes() {
    tzset();
    // timezone: seconds west of UTC in standard time, the sign of the bias.
    return static_cast<int>(timezone / 60);
}

} // namespace zeb40
