// The new values' names and layouts: 32-bit little-endian words, read only at their exact length.
#include "statistics/statistics_settings.h"

#include "config/settings_store.h"

#include "statistics/wind_units.h"

namespace {

constexpr int MOST_WORDS = 5; // "Alarm"

// A value of another length was not written by this program: it keeps nothing of it.
bool ReadWords(const SettingsStore& store, StoreKey key, const char* name, std::int32_t* words, int count) {
    std::uint8_t bytes[MOST_WORDS * 4];
    std::uint32_t capacity = static_cast<std::uint32_t>(count) * 4, length = 0;
    if (!store.readValue(store.context, key, name, bytes, capacity, &length) || length != capacity)
        return false;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* b = bytes + 4 * i;
        words[i] = static_cast<std::int32_t>(b[0] | b[1] << 8 | b[2] << 16 | std::uint32_t{b[3]} << 24);
    }
    return true;
}

bool WriteWords(const SettingsStore& store, StoreKey key, const char* name, std::uint32_t type,
                const std::int32_t* words, int count) {
    std::uint8_t bytes[MOST_WORDS * 4];
    for (int i = 0; i < 4 * count; ++i)
        bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(words[i / 4]) >> (8 * (i % 4)));
    return store.writeValue(store.context, key, name, type, bytes, static_cast<std::uint32_t>(count) * 4);
}

} // namespace

void StatisticsDefaults(StatisticsSettings& settings) {
    settings = {};
    settings.unit = UNIT_MS;
    settings.periodMinutes = 10;
    settings.alarm = AlarmDefaults();
}

void LoadStatisticsSettings(const SettingsStore& store, StatisticsSettings& settings) {
    StatisticsDefaults(settings);
    StoreKey key = nullptr;
    if (store.openKey(store.context, SETTINGS_KEY_PATH, STORE_ACCESS_READ, &key) != STORE_OPENED) return;
    std::int32_t w[MOST_WORDS];
    // A window without width or height is no place to open it in.
    if (ReadWords(store, key, "Stats Window", w, 4) && w[0] < w[2] && w[1] < w[3]) {
        for (int i = 0; i < 4; ++i)
            settings.window[i] = w[i];
        settings.windowKnown = true;
    }
    if (ReadWords(store, key, "Stats Unit", w, 1) && w[0] >= UNIT_MS && w[0] <= UNIT_BEAUFORT)
        settings.unit = w[0];
    if (ReadWords(store, key, "Stats Period", w, 1) && (w[0] == 10 || w[0] == 30 || w[0] == 60))
        settings.periodMinutes = w[0];
    if (ReadWords(store, key, "Alarm", w, 5)) {
        AlarmSettings alarm = {w[0], w[1], w[2], w[3], static_cast<std::uint32_t>(w[4])};
        if (AlarmSettingsValid(alarm)) settings.alarm = alarm;
    }
    store.closeKey(store.context, key);
}

bool SaveStatisticsSettings(const SettingsStore& store, const StatisticsSettings& settings,
                            std::uint32_t what) {
    StoreKey key = nullptr;
    if (!store.createKey(store.context, SETTINGS_KEY_PATH, &key)) return false;
    // Every write is tried even after one failed.
    bool written = true;
    if (what & STATS_SAVE_VIEW) {
        if (settings.windowKnown)
            written &= WriteWords(store, key, "Stats Window", STORE_TYPE_BINARY, settings.window, 4);
        written &= WriteWords(store, key, "Stats Unit", STORE_TYPE_WORD, &settings.unit, 1);
        written &= WriteWords(store, key, "Stats Period", STORE_TYPE_WORD, &settings.periodMinutes, 1);
    }
    if (what & STATS_SAVE_ALARM) {
        const AlarmSettings& a = settings.alarm;
        const std::int32_t words[MOST_WORDS] = {a.enabled, a.source, a.threshold, a.release,
                                                static_cast<std::int32_t>(a.minSeconds)};
        written &= WriteWords(store, key, "Alarm", STORE_TYPE_BINARY, words, MOST_WORDS);
    }
    store.closeKey(store.context, key);
    return written;
}
