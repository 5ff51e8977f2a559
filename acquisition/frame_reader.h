// Pulls one synchronised, parity-tested frame out of a byte stream, one byte at a time.
// The byte source is a plain callback so the same algorithm serves the serial port and the unit tests.
#pragma once

#include <cstdint>

constexpr int FRAME_LENGTH = 14;

// Reads one byte into *byte; false when the read failed or no byte came in time. ahead is how many bytes,
// this one included, the reader may still take before it returns: a source may fetch that many at once
// and none of them is left over, so a port can be read a frame's rest at a time instead of byte by byte.
using ReadByteFn = bool (*)(void* context, std::uint8_t* byte, int ahead);

// Why a read gave -1; for the link monitor's messages.
enum FrameReadError : int {
    FRAME_READ_OK = 0,
    FRAME_READ_SILENT = 1,     // the line went quiet or the read failed before enough bytes came
    FRAME_READ_NO_START = 2,   // enough bytes came, but not a whole frame from a zero byte in this call
    FRAME_READ_PARITY = 3,     // a byte after the zero byte had even parity
    FRAME_READ_NO_FRAME = 4,   // FRAME_READ_LIMIT bytes came without a whole frame (zeros again and again)
};

// The most bytes one call reads without finding a frame. In a sound stream a frame is found within 27 bytes;
// zero bytes that keep coming (a line break, a wrong baud rate, noise) would otherwise keep one call reading
// for ever, and the last good values would go on standing for current ones.
constexpr int FRAME_READ_LIMIT = 4 * 14;

// Returns length, or -1. The buffer persists between calls; only bytes stored by this call, from its
// last zero byte on, are ever accepted. On success bits 6 and 7 of every byte are cleared. length must not
// exceed FRAME_READ_LIMIT.
int ReadFrameFrom(ReadByteFn readByte, void* context, std::uint8_t* buffer, int length,
                  FrameReadError* why = nullptr);
