// The alarm's rules: a hysteresis between the threshold and the release level, and a time the value must stay
// over the threshold, so one gust or a value hovering at the threshold does not make it flicker.
#include "statistics/wind_alarm.h"

#include <cstdio>

#include "app/app_state.h"
#include "statistics/wind_units.h"

namespace {

// At most wholeDigits digits, then, where a decimal is allowed, "," or "." and at most one digit after it.
bool ParseTenths(const char* text, int wholeDigits, bool decimal, std::int32_t& tenths) {
    std::int32_t whole = 0, fraction = 0;
    int digits = 0;
    const char* p = text;
    for (; *p >= '0' && *p <= '9'; ++p) {
        if (++digits > wholeDigits) return false;
        whole = whole * 10 + (*p - '0');
    }
    if (digits == 0) return false;
    if (decimal && (*p == ',' || *p == '.')) {
        ++p;
        if (*p >= '0' && *p <= '9') fraction = *p++ - '0';
    }
    if (*p != '\0') return false;
    tenths = whole * 10 + fraction;
    return true;
}

} // namespace

AlarmSettings AlarmDefaults() {
    return {0, ALARM_ON_GUST, 150, 120, 0};
}

bool AlarmSettingsValid(const AlarmSettings& s) {
    return (s.enabled == 0 || s.enabled == 1) && (s.source == ALARM_ON_GUST || s.source == ALARM_ON_MEAN10) &&
           s.release > 0 && s.release <= s.threshold && s.threshold <= 9999 && s.minSeconds <= 3600;
}

bool AlarmUpdate(AlarmState& state, const AlarmSettings& settings, const WindFigures& figures,
                 std::int64_t nowMs) {
    if (settings.enabled == 0) {
        state = {};
        return false;
    }
    // The gust as it comes, not the highest of the last ten minutes, which would hold the alarm for ten
    // minutes after one gust and leave the time over the threshold meaningless.
    std::int32_t value = settings.source == ALARM_ON_MEAN10 ? figures.meanSpeed10 : figures.mean3s;
    // An unknown value says nothing about the wind: the alarm must not clear because the instrument went
    // quiet, nor rise on figures that are not there. It stops the time over the threshold.
    bool known = value != VALUE_UNKNOWN;
    bool over = known && value >= settings.threshold;
    if (over && !state.over) state.overSinceMs = nowMs;
    state.over = over;
    if (state.raised) {
        if (known && value < settings.release) state.raised = false;
        return false;
    }
    if (over && nowMs - state.overSinceMs >= std::int64_t{settings.minSeconds} * 1000) {
        state.raised = true;
        return true;
    }
    return false;
}

bool AlarmFromFields(bool enabled, int source, const char* threshold, const char* release,
                     const char* seconds, AlarmSettings& out) {
    AlarmSettings parsed{enabled ? 1 : 0, source, 0, 0, 0};
    std::int32_t tenthsOfSeconds = 0;
    if (!ParseTenths(seconds, 4, false, tenthsOfSeconds) ||
        !ParseTenths(threshold, 3, true, parsed.threshold) || !ParseTenths(release, 3, true, parsed.release))
        return false;
    parsed.minSeconds = static_cast<std::uint32_t>(tenthsOfSeconds / 10);
    if (!AlarmSettingsValid(parsed)) return false;
    out = parsed;
    return true;
}

char* AlarmStatusText(char* out, int capacity, const AlarmSettings& settings, bool raised,
                      char decimalSeparator) {
    std::size_t size = static_cast<std::size_t>(capacity);
    if (settings.enabled == 0) {
        std::snprintf(out, size, "Alarm wyłączony");
        return out;
    }
    char threshold[16], release[16];
    SpeedUnitText(threshold, sizeof threshold, settings.threshold, UNIT_MS, decimalSeparator);
    SpeedUnitText(release, sizeof release, settings.release, UNIT_MS, decimalSeparator);
    const char* source = settings.source == ALARM_ON_MEAN10 ? "średnia 10 min" : "poryw";
    if (raised)
        std::snprintf(out, size, "ALARM: %s od %s m/s (odwołanie poniżej %s m/s)", source, threshold,
                      release);
    else
        std::snprintf(out, size, "Alarm czuwa: %s od %s m/s przez %u s (odwołanie poniżej %s m/s)", source,
                      threshold, static_cast<unsigned>(settings.minSeconds), release);
    return out;
}
