// The frame reader over an arbitrary byte stream, called until the stream ends: it stays inside its buffer,
// takes no more than its limit, leaves nothing of what a source reading ahead fetched, and accepts only a
// frame that starts at a zero byte stored by this call and has odd parity in every checked byte. The decoder
// on the same bytes taken as a frame: a status from 0 to 7 with every value read, or no link with none.
#include <bit>
#include <cstdlib>
#include <vector>

#include "acquisition/frame_decoder.h"
#include "acquisition/frame_reader.h"
#include "app/app_state.h"

namespace {

// A source as the serial port is read: when it has nothing left of its last fetch, it fetches as many bytes
// as the reader says it may still take.
struct Stream {
    const std::uint8_t* data;
    size_t size, next, fetched;
};

bool Next(void* context, std::uint8_t* byte, int ahead) {
    auto& s = *static_cast<Stream*>(context);
    if (ahead < 1) std::abort();
    if (s.next == s.fetched) s.fetched = s.next + static_cast<size_t>(ahead) < s.size ? s.next + ahead : s.size;
    if (s.next == s.size) return false;
    *byte = s.data[s.next++];
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::int32_t speed = 1, direction = 1, serial = 1;
    int status = DecodeFrame(data, static_cast<int>(size), speed, direction, serial);
    bool none = speed == VALUE_UNKNOWN && direction == VALUE_UNKNOWN && serial == VALUE_UNKNOWN;
    if (status == STATUS_NO_LINK ? !none : (status < 0 || status > 7 || none || size < 14)) std::abort();

    Stream s{data, size, 0, 0};
    std::uint8_t buffer[FRAME_LENGTH] = {0x00, 0x43, 0x43, 0x43};
    while (s.next < s.size) {
        size_t start = s.next;
        s.fetched = start;
        FrameReadError why = FRAME_READ_OK;
        int result = ReadFrameFrom(Next, &s, buffer, FRAME_LENGTH, &why);
        // Within its limit, and nothing left of what the source fetched.
        if (s.next - start > FRAME_READ_LIMIT || s.next != s.fetched) std::abort();
        if (result == -1) continue;
        const std::uint8_t* frame = data + s.next - FRAME_LENGTH;
        if (result != FRAME_LENGTH || s.next - start < FRAME_LENGTH || frame[0] != 0x00) std::abort();
        for (int j = 0; j < FRAME_LENGTH; ++j) {
            if (j > 0 && std::popcount(frame[j] & 0x7Fu) % 2 == 0) std::abort();
            if (buffer[j] != (frame[j] & 0x3F)) std::abort();
        }
    }
    return 0;
}
