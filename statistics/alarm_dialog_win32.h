// The alarm dialog (template 111): on or off, on the gust or the 10-minute mean, the threshold, the release
// level and the time over the threshold; checked, applied and saved on OK.
#pragma once

#include <windows.h>

// Parameter: the AppState. Ends with 1 when the settings were changed and saved, 0 when cancelled.
INT_PTR CALLBACK AlarmDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
