#include "config/ClockWords.h"

#include <windows.h>

namespace zeb40 {

LocalClock ReadLocalClock() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    LocalClock clock;
    clock.year = local.wYear;
    clock.month = local.wMonth;
    clock.day = local.wDay;
    clock.weekday = local.wDayOfWeek;
    clock.hours = local.wHour;
    clock.minutes = local.wMinute;
    clock.seconds = local.wSecond;
    clock.milliseconds = local.wMilliseconds;
    return clock;
}

int LocalStandardBiasMinutes() {
    TIME_ZONE_INFORMATION zone{};
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID)
        return 0;
    return static_cast<int>(zone.Bias + zone.StandardBias);
}

} // namespace zeb40
