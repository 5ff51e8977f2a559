// Speed conversions in integer tenths, the Beaufort number, direction texts, and the chart's axes and clock
// labels.
#include "statistics/wind_units.h"

#include <cstdio>

#include "app/app_state.h"

namespace {

constexpr const char* UNIT_NAMES[] = {"m/s", "km/h", "węzły", "skala Beauforta"};
constexpr const char* UNIT_SYMBOLS[] = {"m/s", "km/h", "w", "°B"};

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

const char* SpeedUnitSymbol(int unit) {
    return UNIT_SYMBOLS[KnownUnit(unit)];
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

char* DirectionText(char* out, int capacity, std::int32_t degrees, std::int32_t sigma) {
    std::size_t size = static_cast<std::size_t>(capacity);
    if (degrees == VALUE_UNKNOWN)
        std::snprintf(out, size, "?????");
    else if (sigma == VALUE_UNKNOWN)
        std::snprintf(out, size, "%d°", static_cast<int>(degrees));
    else
        std::snprintf(out, size, "%d°, odchylenie %d°", static_cast<int>(degrees), static_cast<int>(sigma));
    return out;
}

std::int32_t ChartSpeedTop(std::int32_t highestTenths) {
    constexpr std::int32_t TOPS[] = {50, 100, 150, 200, 300, 400, 500, 600, 800, 1000};
    for (std::int32_t top : TOPS) {
        if (highestTenths <= top) return top;
    }
    return (highestTenths + 499) / 500 * 500;
}

int ChartTimeTicks(std::int32_t nowSecondOfDay, std::int32_t spanSeconds, std::int32_t* agoSeconds,
                   int capacity) {
    std::int32_t step = spanSeconds <= 600 ? 120 : spanSeconds <= 1800 ? 300 : 600;
    int count = 0;
    for (std::int32_t ago = nowSecondOfDay % step; ago <= spanSeconds && count < capacity; ago += step)
        agoSeconds[count++] = ago;
    return count;
}

char* SpeedWithUnitText(char* out, int capacity, std::int32_t tenthsMs, int unit, char decimalSeparator) {
    char value[24];
    SpeedUnitText(value, sizeof value, tenthsMs, unit, decimalSeparator);
    if (tenthsMs == VALUE_UNKNOWN)
        std::snprintf(out, static_cast<std::size_t>(capacity), "%s", value);
    else
        std::snprintf(out, static_cast<std::size_t>(capacity), "%s %s", value, SpeedUnitSymbol(unit));
    return out;
}

char* PeakGustText(char* out, int capacity, const WindFigures& figures, std::int64_t nowMs,
                   std::int32_t nowSecondOfDay, int unit, char decimalSeparator) {
    std::size_t size = static_cast<std::size_t>(capacity);
    if (figures.peakGust == VALUE_UNKNOWN) {
        std::snprintf(out, size, "?????");
        return out;
    }
    char speed[32], clock[16];
    SpeedWithUnitText(speed, sizeof speed, figures.peakGust, unit, decimalSeparator);
    ClockText(clock, sizeof clock, nowSecondOfDay, nowMs - figures.peakArrivalMs, true);
    if (figures.peakDirection == VALUE_UNKNOWN)
        std::snprintf(out, size, "%s o %s", speed, clock);
    else
        std::snprintf(out, size, "%s o %s, z %d°", speed, clock, static_cast<int>(figures.peakDirection));
    return out;
}
