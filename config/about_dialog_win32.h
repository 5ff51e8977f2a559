// The about box (template 106): pictures, the program title and its version.
#pragma once

#include <windows.h>

// No parameter. Ends with 1 on OK, 0 when closed; Escape and everything else leave it open.
INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
