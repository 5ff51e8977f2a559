// The statistics window's speed units, direction texts and the chart's axes and clock labels, as
// Windows-1250 texts.
#pragma once

#include <cstdint>

#include "statistics/wind_statistics.h"

enum SpeedUnit : int { UNIT_MS = 0, UNIT_KMH = 1, UNIT_KNOTS = 2, UNIT_BEAUFORT = 3 };

// tenthsMs in the unit: one decimal in m/s, km/h and knots, the whole Beaufort number; "?????" for
// VALUE_UNKNOWN. capacity > 0; returns out. Any other unit counts as m/s.
char* SpeedUnitText(char* out, int capacity, std::int32_t tenthsMs, int unit, char decimalSeparator);

// "m/s", "km/h", "węzły", "skala Beauforta"; any other unit counts as m/s.
const char* SpeedUnitName(int unit);
// What follows a value: "m/s", "km/h", "w" (knots), "°B"; any other unit counts as m/s.
const char* SpeedUnitSymbol(int unit);

// "HH:MM" or "HH:MM:SS" of the moment agoMs before now (a second of the day), across midnight. The clock
// shows the second the moment falls in. capacity > 0; returns out.
char* ClockText(char* out, int capacity, std::int32_t nowSecondOfDay, std::int64_t agoMs, bool withSeconds);

// "12,3 m/s" in the unit, with its symbol; "?????" for VALUE_UNKNOWN.
char* SpeedWithUnitText(char* out, int capacity, std::int32_t tenthsMs, int unit, char decimalSeparator);

// The peak gust since the start: "16,2 m/s o 12:34:56, z 280°" (its time of day from how long ago it came;
// the direction when it was known), or "?????".
char* PeakGustText(char* out, int capacity, const WindFigures& figures, std::int64_t nowMs,
                   std::int32_t nowSecondOfDay, int unit, char decimalSeparator);

// "270°", with the spread when it is known: "270°, odchylenie 12°"; "?????" for VALUE_UNKNOWN.
char* DirectionText(char* out, int capacity, std::int32_t degrees, std::int32_t sigma);

// The top of the chart's speed axis in tenths of m/s: the first of 5, 10, 15, 20, 30, 40, 50, 60, 80 and
// 100 m/s (then every 50 m/s) at or above the highest speed shown.
std::int32_t ChartSpeedTop(std::int32_t highestTenths);

// The chart's time labels: the moments within spanSeconds before now that are whole multiples of a step of
// the clock (2, 5 or 10 minutes for a span of up to 10, 30 or more minutes), as seconds ago, newest first.
// Returns how many were written, at most capacity.
int ChartTimeTicks(std::int32_t nowSecondOfDay, std::int32_t spanSeconds, std::int32_t* agoSeconds,
                   int capacity);
