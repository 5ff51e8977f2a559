// The serial link to the instrument: opening a COM port with the instrument's line settings, reading frames.
#pragma once

#include <windows.h>

#include "acquisition/frame_reader.h"

// Opens and configures COMn for overlapped reads; INVALID_HANDLE_VALUE when any step fails (the handle is
// closed again then). Read it only with the functions below.
HANDLE OpenSerialPort(long portNumber);

// Reads one frame from the port into buffer (which keeps its content between calls); length or -1.
int ReadFrame(HANDLE port, BYTE* buffer, int length);

// The same, telling why a read gave -1.
int ReadFrameWithReason(HANDLE port, BYTE* buffer, int length, FrameReadError* why);

// The same, but -1 at once when stop (an event, or null) is signalled, also in the middle of a wait.
int ReadFrameUnless(HANDLE port, HANDLE stop, BYTE* buffer, int length, FrameReadError* why);
