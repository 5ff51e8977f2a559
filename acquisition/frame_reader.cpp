// Frame synchronisation and parity check over a byte source.
#include "acquisition/frame_reader.h"

#include <bit>

int ReadFrameFrom(ReadByteFn readByte, void* context, std::uint8_t* buffer, int length, FrameReadError* why) {
    FrameReadError ignored;
    FrameReadError& reason = why != nullptr ? *why : ignored;
    int count = 0, taken = 0;
    bool capturing = false;
    while (count < length) {
        if (taken == FRAME_READ_LIMIT) {
            reason = FRAME_READ_NO_FRAME;
            return -1;
        }
        std::uint8_t byte = 0;
        int ahead = length - count < FRAME_READ_LIMIT - taken ? length - count : FRAME_READ_LIMIT - taken;
        if (!readByte(context, &byte, ahead)) {
            break;
        }
        ++taken;
        if (byte == 0x00) {
            capturing = !capturing;
            count = 0;
        }
        if (capturing) {
            buffer[count] = byte;
        }
        ++count;
    }
    if (count != length) {
        reason = FRAME_READ_SILENT;
        return -1;
    }
    // Capturing is still on only if the last zero byte started a frame and every byte since was stored
    // now; otherwise the buffer holds bytes of an earlier call and must not pass for a new frame.
    if (!capturing) {
        reason = FRAME_READ_NO_START;
        return -1;
    }
    for (int j = 0; j < length; ++j) {
        if (j > 0 && std::popcount(static_cast<unsigned>(buffer[j] & 0x7F)) % 2 == 0) {
            reason = FRAME_READ_PARITY;
            return -1;
        }
        buffer[j] &= 0x3F;
    }
    reason = FRAME_READ_OK;
    return length;
}
