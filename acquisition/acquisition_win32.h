// The acquisition worker: keeps the link open, publishes every frame, starts the log writer.
#pragma once

#include <windows.h>

#include <cstdint>

struct AppState;

// Thread procedure; the parameter is the AppState. Never returns: it ends with the process.
DWORD WINAPI AcquisitionThread(LPVOID appState);

// Shows the current values, the serial number and the status in the main window (synchronous sends).
void PublishMeasurement(AppState& state, std::int32_t serial, int status);

// The pause after a failed open: an unplugged instrument must not keep a core busy.
constexpr DWORD OPEN_RETRY_MS = 500;
