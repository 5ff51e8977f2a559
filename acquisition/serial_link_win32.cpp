// Win32 serial port: device name, exclusive read-only open, timeouts, line settings, queue sizes.
#include "acquisition/serial_link_win32.h"

#include <cstdio>

namespace {

constexpr DWORD READ_TIMEOUT_MS = 3000;
constexpr DWORD QUEUE_BYTES = 1024;

bool ApplyTimeouts(HANDLE port) {
    COMMTIMEOUTS timeouts;
    if (!GetCommTimeouts(port, &timeouts)) return false;
    // Together: return at once when a byte waits, else wait for one byte, but at most 3000 ms.
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = MAXDWORD;
    timeouts.ReadTotalTimeoutConstant = READ_TIMEOUT_MS;
    return SetCommTimeouts(port, &timeouts) != FALSE;
}

bool ApplyLineSettings(HANDLE port) {
    DCB dcb;
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb)) return false;
    dcb.BaudRate = CBR_300;
    dcb.ByteSize = 7;
    dcb.Parity = NOPARITY; // the instrument's odd parity in bit 6 is checked by the frame reader
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fAbortOnError = FALSE;
    return SetCommState(port, &dcb) != FALSE;
}

bool ReadOneByte(void* context, std::uint8_t* byte) {
    DWORD got = 0;
    return ReadFile(static_cast<HANDLE>(context), byte, 1, &got, nullptr) && got == 1;
}

} // namespace

HANDLE OpenSerialPort(long portNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "\\\\.\\COM%li", portNumber);
    HANDLE port = CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
    if (!ApplyTimeouts(port) || !ApplyLineSettings(port) || !SetupComm(port, QUEUE_BYTES, QUEUE_BYTES)) {
        CloseHandle(port);
        return INVALID_HANDLE_VALUE;
    }
    return port;
}

int ReadFrameWithReason(HANDLE port, BYTE* buffer, int length, FrameReadError* why) {
    return ReadFrameFrom(ReadOneByte, port, buffer, length, why);
}

int ReadFrame(HANDLE port, BYTE* buffer, int length) { return ReadFrameWithReason(port, buffer, length, nullptr); }
