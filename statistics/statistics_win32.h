// The statistics on the main thread: the figures as they stand, which the DDE items, the alarm and the
// statistics window go by, and the alarm's signs outside that window.
#pragma once

#include <windows.h>

#include "app/app_state.h"

// The figures of the frames so far, as they stand now (frames age out without new ones).
void UpdateFigures(AppState& state);

// After each frame: the figures anew, then the alarm. When it is raised a warning sounds once and the main
// window flashes in the taskbar until it is released.
void StatisticsAfterFrame(AppState& state);
