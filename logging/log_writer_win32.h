// The log writer thread: one record per interval appended and flushed to the open log file.
#pragma once

#include <windows.h>

// Thread procedure; the parameter is the AppState. Never returns: it ends with the process.
DWORD WINAPI LoggerThread(LPVOID appState);
