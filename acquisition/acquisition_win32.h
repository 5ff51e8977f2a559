// The acquisition worker: keeps the link open, publishes every frame, starts the log writer.
#pragma once

#include <windows.h>

#include <cstdint>

struct AppState;

// Thread procedure; the parameter is the AppState, whose stopEvent must exist. Runs until stopEvent is
// signalled, then ends the log writer it started and ends itself; the port is closed by then.
DWORD WINAPI AcquisitionThread(LPVOID appState);

// Creates stopEvent and starts the worker (acquisitionThread); false, with neither left, when that fails.
bool StartAcquisition(AppState& state);

// Stops both workers and waits for them, on the thread that owns the main window: a record being written is
// finished and flushed first, a read in progress is given up at once. Nothing to do when none was started.
void StopAcquisition(AppState& state);

// The serial number and status the main window shows, kept by the worker so that an unchanged text is not
// sent again: every text set repaints its control, and painting text is what a frame costs most under Wine.
struct ShownTexts {
    bool valid;
    std::int32_t serial;
    int status;
};

// Shows the current values, the serial number and the status in the main window (synchronous sends). With
// shown, the serial number and status line are sent only when they differ from what it holds.
void PublishMeasurement(AppState& state, std::int32_t serial, int status, ShownTexts* shown = nullptr);

// The pause after a failed open: an unplugged instrument must not keep a core busy.
constexpr DWORD OPEN_RETRY_MS = 500;
