// Speed conversions in integer tenths, the Beaufort number, and clock labels.
#include "statistics/wind_units.h"

#include <cstdio>

#include "app/app_state.h"

namespace {

constexpr const char* UNIT_NAMES[] = {"m/s", "km/h", "węzły", "skala Beauforta"};

// Tenths of the unit per tenth of m/s; a knot is one nautical mile (1852 m) an hour.
constexpr std::int64_t FACTORS[][2] = {{1, 1}, {36, 10}, {3600, 1852}};

int KnownUnit(int unit) {
    return unit >= UNIT_MS && unit <= UNIT_BEAUFORT ? unit : UNIT_MS;
}

// WMO's upper limits of Beaufort forces 0 to 11 in tenths of m/s: a speed above the last is force 12.
constexpr std::int32_t BEAUFORT_LIMITS[] = {2, 15, 33, 54, 79, 107, 138, 171, 207, 244, 284, 326};

constexpr std::int64_t SECONDS_PER_DAY = 86400;

} // namespace

char* SpeedUnitText(char* out, int capacity, std::int32_t tenthsMs, int unit, char decimalSeparator) {
    std::size_t size = static_cast<std::size_t>(capacity);
    if (tenthsMs == VALUE_UNKNOWN) {
        std::snprintf(out, size, "?????");
    } else if (unit == UNIT_BEAUFORT) {
        int force = 0;
        while (force < 12 && tenthsMs > BEAUFORT_LIMITS[force])
            ++force;
        std::snprintf(out, size, "%d", force);
    } else {
        // Half up; speeds are never negative.
        const std::int64_t* factor = FACTORS[KnownUnit(unit)];
        long long tenths = (2 * std::int64_t{tenthsMs} * factor[0] + factor[1]) / (2 * factor[1]);
        std::snprintf(out, size, "%lld%c%lld", tenths / 10, decimalSeparator, tenths % 10);
    }
    return out;
}

const char* SpeedUnitName(int unit) {
    return UNIT_NAMES[KnownUnit(unit)];
}

char* ClockText(char* out, int capacity, std::int32_t nowSecondOfDay, std::int64_t agoMs, bool withSeconds) {
    std::int64_t ms = std::int64_t{nowSecondOfDay} * 1000 - agoMs;
    // Floor, not truncation: a moment before midnight belongs to the previous day's last second.
    std::int64_t second = (ms >= 0 ? ms : ms - 999) / 1000;
    second = (second % SECONDS_PER_DAY + SECONDS_PER_DAY) % SECONDS_PER_DAY;
    int hours = static_cast<int>(second / 3600), minutes = static_cast<int>(second / 60 % 60);
    std::size_t size = static_cast<std::size_t>(capacity);
    if (withSeconds)
        std::snprintf(out, size, "%02d:%02d:%02d", hours, minutes, static_cast<int>(second % 60));
    else
        std::snprintf(out, size, "%02d:%02d", hours, minutes);
    return out;
}
