// Frame encoding as the instrument does it.
#include "tools/kx205sim/frame_encoder.h"

#include <bit>
#include <cstdio>

std::uint8_t WithOddParity(std::uint8_t payload) {
    std::uint8_t bits = payload & 0x3F;
    return std::popcount(static_cast<unsigned>(bits)) % 2 == 0 ? static_cast<std::uint8_t>(bits | 0x40) : bits;
}

void EncodeFrame(const SimMeasurement& m, std::uint8_t* out) {
    // Values outside the fields' digits are cut to them, as three and four digits can carry no more.
    unsigned direction = static_cast<unsigned>(m.direction) % 1000, speed = static_cast<unsigned>(m.speed) % 10000;
    char digits[16];
    std::snprintf(digits, sizeof digits, "%03u%04u", direction, speed);
    std::uint8_t payload[14];
    payload[1] = static_cast<std::uint8_t>(m.status & 0x3F);
    // The serial number's nibbles travel in the order N2 N3 N4 N5; N4 is the most significant.
    payload[2] = static_cast<std::uint8_t>(0x30 + ((m.serial >> 4) & 0xF));
    payload[3] = static_cast<std::uint8_t>(0x30 + (m.serial & 0xF));
    payload[4] = static_cast<std::uint8_t>(0x30 + ((m.serial >> 12) & 0xF));
    payload[5] = static_cast<std::uint8_t>(0x30 + ((m.serial >> 8) & 0xF));
    for (int i = 0; i < 7; ++i) payload[6 + i] = static_cast<std::uint8_t>(digits[i]);
    payload[13] = 0x0D;
    out[0] = 0x00;
    for (int i = 1; i < 14; ++i) out[i] = WithOddParity(payload[i]);
}
