// The wind alarm: a threshold on the gust (the 3-s mean as it comes) or the 10-minute mean, a lower release
// level and a time over the threshold before it is raised; its settings from the dialog's fields and its
// line in the statistics window.
#pragma once

#include <cstdint>

#include "statistics/wind_statistics.h"

enum AlarmSource : int { ALARM_ON_GUST = 0, ALARM_ON_MEAN10 = 1 };

// threshold and release in tenths of m/s.
struct AlarmSettings {
    std::int32_t enabled, source, threshold, release;
    std::uint32_t minSeconds;
};

struct AlarmState {
    bool raised;
    bool over; // the value has stayed at or above the threshold since overSinceMs
    std::int64_t overSinceMs;
};

// Off, on the gust, 15.0 m/s, released below 12.0 m/s, at once.
AlarmSettings AlarmDefaults();

// enabled 0 or 1, source 0 or 1, 0 < release <= threshold <= 999.9 m/s, minSeconds <= 3600.
bool AlarmSettingsValid(const AlarmSettings& settings);

// Call with each new set of figures, state zeroed at first. True exactly at the update that raises the alarm.
bool AlarmUpdate(AlarmState& state, const AlarmSettings& settings, const WindFigures& figures,
                 std::int64_t nowMs);

// The alarm dialog's fields: speeds in m/s with at most one decimal after "," or ".", the time in whole
// seconds. False when a field is no such number or the settings are not valid; out is then unchanged.
bool AlarmFromFields(bool enabled, int source, const char* threshold, const char* release,
                     const char* seconds, AlarmSettings& out);

// "Alarm wyłączony", the armed settings, or "ALARM: ..." while raised. capacity > 0; returns out.
char* AlarmStatusText(char* out, int capacity, const AlarmSettings& settings, bool raised,
                      char decimalSeparator);
