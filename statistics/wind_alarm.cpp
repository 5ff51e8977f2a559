// The alarm's rules: a hysteresis between the threshold and the release level, and a time the value must stay
// over the threshold, so one gust or a value hovering at the threshold does not make it flicker.
#include "statistics/wind_alarm.h"

#include "app/app_state.h"

AlarmSettings AlarmDefaults() {
    return {0, ALARM_ON_GUST, 150, 120, 10};
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
    std::int32_t value = settings.source == ALARM_ON_MEAN10 ? figures.meanSpeed10 : figures.gust;
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
