// The log writer thread: one record per interval appended and flushed to the open log file.
#pragma once

#include <windows.h>

struct AppState;

// Whether the workers (this thread and the acquisition worker that starts it) have been told to stop.
bool Stopping(const AppState& state);

// Thread procedure; the parameter is the AppState, whose stopEvent must exist. Ends when stopEvent is
// signalled, never in the middle of a record.
DWORD WINAPI LoggerThread(LPVOID appState);
