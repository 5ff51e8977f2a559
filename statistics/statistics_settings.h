// The statistics window's and the alarm's stored values, beside the program's older ones under the same key.
// Older copies of the program read only the values they know, so these are new values, never changed old
// ones.
#pragma once

#include <cstdint>

#include "statistics/wind_alarm.h"

struct SettingsStore; // config/settings_store.h, which needs AppState, which holds these settings

// Groups of values for SaveStatisticsSettings.
constexpr std::uint32_t STATS_SAVE_VIEW = 1;  // "Stats Window", "Stats Unit", "Stats Period"
constexpr std::uint32_t STATS_SAVE_ALARM = 2; // "Alarm"

struct StatisticsSettings {
    std::int32_t window[4];     // left, top, right, bottom
    bool windowKnown;           // false: the window takes its default place
    std::int32_t unit;          // SpeedUnit
    std::int32_t periodMinutes; // of the chart: 10, 30 or 60
    AlarmSettings alarm;
};

// No window place, m/s, 10 minutes, AlarmDefaults().
void StatisticsDefaults(StatisticsSettings& settings);

// The defaults, then each value that is present with its exact length and in range. Never creates the key.
void LoadStatisticsSettings(const SettingsStore& store, StatisticsSettings& settings);

// Writes the values of the groups (the window's place only when known), creating the key if needed; false
// when the key could be neither opened nor created or a write failed.
bool SaveStatisticsSettings(const SettingsStore& store, const StatisticsSettings& settings,
                            std::uint32_t what);
