// The main window (template 102): the two read-outs, the status lines and the serial number under the menu;
// it starts acquisition, turns the worker's messages into DDE work and runs the menu commands.
#pragma once

#include <windows.h>

// Parameter: the AppState. Ends with 1 when closed; with 0 when acquisition could not be started.
INT_PTR CALLBACK MainDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
