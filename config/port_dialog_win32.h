// The port dialog (template 104): picking the instrument's COM port from the ports that open right now, and
// the test that a port can be used, with its warning.
#pragma once

#include <windows.h>

#include <cstdint>

// Pop-up help of the port dialog: (control id, context id) pairs ended by (0, 0).
extern const DWORD PORT_HELP_PAIRS[8];

// Parameter: AppState. Ends with 1 once a port was stored and saved, 0 when cancelled or closed.
INT_PTR CALLBACK PortDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the port list and the current-port label of the dialog. Holds StateLock throughout: the caller must
// not hold it.
bool FillPortList(HWND dialog, std::int32_t current);

// Opens and configures the port, then closes it again; otherwise warns, owned by owner, and returns false.
bool ProbePort(HWND owner, std::int32_t portNumber);
