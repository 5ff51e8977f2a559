// Encodes measurements into the instrument's 14-byte frames: the inverse of the frame reader and decoder.
#pragma once

#include <cstdint>

struct SimMeasurement {
    int status;              // instrument status bits, 0 to 63 (the frame carries six bits)
    std::uint32_t serial;    // 0 to 0xFFFF
    int direction;           // 0 to 999 degrees
    int speed;               // 0 to 9999 tenths of m/s
};

// Sets bit 6 so that bits 0 to 6 hold an odd number of ones.
std::uint8_t WithOddParity(std::uint8_t payload);

// Writes 14 bytes: 0x00, then every payload character with odd parity, ending with CR.
void EncodeFrame(const SimMeasurement& m, std::uint8_t* out);
