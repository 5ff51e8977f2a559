// Frame decoding: the field layout and the serial number's nibble order.
#include "acquisition/frame_decoder.h"

#include "app/app_state.h"

namespace {

bool IsSpace(std::uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A signed decimal number read from its own bytes only: white space, a sign, digits up to the first
// non-digit; no digits gives 0.
std::int32_t FieldNumber(const std::uint8_t* field, int size) {
    int i = 0;
    while (i < size && IsSpace(field[i])) ++i;
    bool negative = false;
    if (i < size && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    std::int32_t number = 0;
    for (; i < size && field[i] >= '0' && field[i] <= '9'; ++i) {
        number = number * 10 + (field[i] - '0');
    }
    return negative ? -number : number;
}

} // namespace

int DecodeFrame(const std::uint8_t* frame, int length, std::int32_t& speed, std::int32_t& direction,
                std::int32_t& serial) {
    int start = 0;
    while (start < length && frame[start] != 0x00) ++start;
    if (start + FRAME_CR >= length || frame[start + FRAME_CR] != 0x0D) {
        speed = direction = serial = VALUE_UNKNOWN;
        return STATUS_NO_LINK;
    }
    const std::uint8_t* f = frame + start;
    speed = FieldNumber(f + FRAME_SPEED, 4);
    direction = FieldNumber(f + FRAME_DIRECTION, 3);
    auto nibble = [f](int index) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(f[index] - 0x30)); };
    std::uint32_t n2 = nibble(FRAME_SERIAL), n3 = nibble(FRAME_SERIAL + 1);
    std::uint32_t n4 = nibble(FRAME_SERIAL + 2), n5 = nibble(FRAME_SERIAL + 3);
    serial = static_cast<std::int32_t>(((n4 * 16 + n5) * 16 + n2) * 16 + n3);
    return f[FRAME_STATUS] & 7;
}
