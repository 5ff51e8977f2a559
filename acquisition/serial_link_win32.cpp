// Win32 serial port: device name, exclusive read-only open, timeouts, line settings, queue sizes.
#include "acquisition/serial_link_win32.h"

#include <cstdio>

namespace {

constexpr DWORD READ_TIMEOUT_MS = 3000;
constexpr DWORD BYTE_MS = 30; // 9 bits at 300 baud
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

// The read side of an open port for one frame: overlapped reads, so a reader can be told to stop while it
// waits, each for as many bytes as the frame still needs, so a frame costs a read or two instead of one per
// byte. None is left over when the frame is done.
struct PortReader {
    HANDLE port;
    HANDLE stop; // or null
    OVERLAPPED overlapped;
    std::uint8_t bytes[FRAME_LENGTH];
    DWORD have, next;
};

bool Stopped(HANDLE stop) { return stop != nullptr && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0; }

// The read timeout is waited for here as well as set on the port: Wine ignores the port's read timeouts
// for overlapped reads and returns only once every byte asked for is there, so the wait allows the line
// time of those bytes on top. On Windows a read returns with what has come.
bool Fetch(PortReader& reader, int ahead) {
    reader.have = reader.next = 0;
    if (Stopped(reader.stop)) return false;
    DWORD wanted = ahead < 1 ? 1 : ahead > FRAME_LENGTH ? FRAME_LENGTH : static_cast<DWORD>(ahead);
    DWORD got = 0;
    if (!ReadFile(reader.port, reader.bytes, wanted, &got, &reader.overlapped)) {
        if (GetLastError() != ERROR_IO_PENDING) return false;
        HANDLE events[2] = {reader.overlapped.hEvent, reader.stop};
        DWORD count = reader.stop != nullptr ? 2 : 1;
        if (WaitForMultipleObjects(count, events, FALSE, READ_TIMEOUT_MS + wanted * BYTE_MS) != WAIT_OBJECT_0) {
            CancelIo(reader.port);
        }
        if (!GetOverlappedResult(reader.port, &reader.overlapped, &got, TRUE)) return false;
    }
    reader.have = got;
    return got > 0;
}

bool ReadOneByte(void* context, std::uint8_t* byte, int ahead) {
    PortReader& reader = *static_cast<PortReader*>(context);
    if (reader.next == reader.have && !Fetch(reader, ahead)) return false;
    *byte = reader.bytes[reader.next++];
    return true;
}

} // namespace

HANDLE OpenSerialPort(long portNumber) {
    char name[32];
    std::snprintf(name, sizeof name, "\\\\.\\COM%li", portNumber);
    HANDLE port = CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (port == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
    if (!ApplyTimeouts(port) || !ApplyLineSettings(port) || !SetupComm(port, QUEUE_BYTES, QUEUE_BYTES)) {
        CloseHandle(port);
        return INVALID_HANDLE_VALUE;
    }
    return port;
}

int ReadFrameUnless(HANDLE port, HANDLE stop, BYTE* buffer, int length, FrameReadError* why) {
    PortReader reader{port, stop, {}, {}, 0, 0};
    reader.overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (reader.overlapped.hEvent == nullptr) {
        if (why != nullptr) *why = FRAME_READ_SILENT;
        return -1;
    }
    int result = ReadFrameFrom(ReadOneByte, &reader, buffer, length, why);
    CloseHandle(reader.overlapped.hEvent);
    return result;
}

int ReadFrameWithReason(HANDLE port, BYTE* buffer, int length, FrameReadError* why) {
    return ReadFrameUnless(port, nullptr, buffer, length, why);
}

int ReadFrame(HANDLE port, BYTE* buffer, int length) { return ReadFrameUnless(port, nullptr, buffer, length, nullptr); }
