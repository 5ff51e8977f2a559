// The statistics window's speed units and the chart's clock labels, as Windows-1250 texts.
#pragma once

#include <cstdint>

enum SpeedUnit : int { UNIT_MS = 0, UNIT_KMH = 1, UNIT_KNOTS = 2, UNIT_BEAUFORT = 3 };

// tenthsMs in the unit: one decimal in m/s, km/h and knots, the whole Beaufort number; "?????" for
// VALUE_UNKNOWN. capacity > 0; returns out. Any other unit counts as m/s.
char* SpeedUnitText(char* out, int capacity, std::int32_t tenthsMs, int unit, char decimalSeparator);

// "m/s", "km/h", "węzły", "skala Beauforta"; any other unit counts as m/s.
const char* SpeedUnitName(int unit);

// "HH:MM" or "HH:MM:SS" of the moment agoMs before now (a second of the day), across midnight. The clock
// shows the second the moment falls in. capacity > 0; returns out.
char* ClockText(char* out, int capacity, std::int32_t nowSecondOfDay, std::int64_t agoMs, bool withSeconds);
