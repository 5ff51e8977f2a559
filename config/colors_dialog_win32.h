// The colours dialog (template 105): text and background colours of the two main read-outs, previewed live,
// and the colour chooser behind its four buttons.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int CUSTOM_COLOR_COUNT = 16;

// Pop-up help of the colours dialog: (control id, context id) pairs ended by (0, 0).
extern const DWORD COLORS_HELP_PAIRS[14];

// Parameter: AppState. Ends with 1 once the colours were applied to the main read-outs and saved, 0 when
// cancelled or closed (colours accepted in the chooser stay in AppState.colors even then).
INT_PTR CALLBACK ColorsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the colour chooser starting at slot's colour; when the user accepts, the choice is in slot. Non-zero
// when accepted. customColors holds CUSTOM_COLOR_COUNT entries and keeps what the user defines.
BOOL ChooseColour(HWND owner, std::uint32_t& slot, COLORREF* customColors);
