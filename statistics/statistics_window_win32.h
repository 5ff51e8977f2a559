// The window "Statystyka wiatru" (template 110): the figures in the unit the user picks, the trend chart of
// the last 10, 30 or 60 minutes, the alarm's line and its settings. Modeless, owned by the main window, one
// at a time; its place, size, unit and period are remembered.
#pragma once

#include <windows.h>

#include "app/app_state.h"

// Opens the window, or brings the open one (`open`, when it still exists) to the front. Returns the window,
// or null when it could not be made.
HWND OpenStatisticsWindow(HWND owner, AppState& state, HWND open);

// The figures, the alarm's line and the chart as they stand; after each frame.
void RefreshStatisticsWindow(HWND window);
