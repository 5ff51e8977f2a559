// The logging settings dialog (template 103), its save-file chooser and its interval fields.
#pragma once

#include <windows.h>

#include <cstdint>

// Dialog procedure of template 103; the parameter is the AppState. Ends with 1 (accepted) or 0.
INT_PTR CALLBACK LogSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The save-file chooser for the log file; name (capacity characters) holds the start and, on true, the choice.
bool ChooseLogFile(HWND owner, char* name, int capacity);

void ShowInterval(HWND dialog, std::uint32_t seconds);
// The fields' interval in seconds, or 0xFFFFFFFF; with an owner, its logging status line shows the result.
std::uint32_t ReadInterval(HWND dialog, bool enabled);
