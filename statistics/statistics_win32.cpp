// The figures after each frame and the alarm's sound and flashing.
#include "statistics/statistics_win32.h"

namespace {

void Flash(HWND window, DWORD how) {
    FLASHWINFO flash{sizeof flash, window, how, 0, 0};
    FlashWindowEx(&flash);
}

} // namespace

void UpdateFigures(AppState& state) {
    if (state.statistics == nullptr) return;
    std::int64_t now = static_cast<std::int64_t>(GetTickCount64());
    StateLocked lock; // the worker adds frames under it; the walk over ten minutes of them is short
    state.figures = StatsFigures(*state.statistics, now);
}

void StatisticsAfterFrame(AppState& state) {
    UpdateFigures(state);
    bool wasRaised = state.alarm.raised;
    std::int64_t now = static_cast<std::int64_t>(GetTickCount64());
    if (AlarmUpdate(state.alarm, state.statisticsSettings.alarm, state.figures, now)) {
        MessageBeep(MB_ICONWARNING);
        // Until it is released, even while the window is in front.
        Flash(state.mainWindow, FLASHW_TRAY | FLASHW_TIMER);
    } else if (wasRaised && !state.alarm.raised) {
        Flash(state.mainWindow, FLASHW_STOP);
    }
}
