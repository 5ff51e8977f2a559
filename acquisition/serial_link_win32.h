// The serial link to the instrument: opening a COM port with the instrument's line settings, reading frames.
#pragma once

#include <windows.h>

#include "acquisition/frame_reader.h"

// Opens and configures COMn; INVALID_HANDLE_VALUE when any step fails (the handle is closed again then).
HANDLE OpenSerialPort(long portNumber);

// Reads one frame from the port into buffer (which keeps its content between calls); length or -1.
int ReadFrame(HANDLE port, BYTE* buffer, int length);

// The same, telling why a read gave -1.
int ReadFrameWithReason(HANDLE port, BYTE* buffer, int length, FrameReadError* why);
