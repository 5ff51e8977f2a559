// Turns one checked frame into speed, direction, serial number and the instrument's status.
#pragma once

#include <cstdint>

// MeasurementStatus: the instrument's bits 0 to 2, and the program's own codes.
constexpr int STATUS_DIRECTION_FAULT = 1;
constexpr int STATUS_SPEED_FAULT = 2;
constexpr int STATUS_CALIBRATION_FAULT = 4;
constexpr int STATUS_WAITING = 128;
constexpr int STATUS_NO_LINK = 129;

// MeasurementFrame byte positions.
constexpr int FRAME_STATUS = 1;
constexpr int FRAME_SERIAL = 2;    // four nibble characters, in the order N2 N3 N4 N5
constexpr int FRAME_DIRECTION = 6; // three decimal digits
constexpr int FRAME_SPEED = 9;     // four decimal digits, tenths of m/s
constexpr int FRAME_CR = 13;

// Returns the status (0 to 7) or STATUS_NO_LINK for a frame that is not one; then all three values are
// VALUE_UNKNOWN. No range checks: what the instrument sent is passed on.
int DecodeFrame(const std::uint8_t* frame, int length, std::int32_t& speed, std::int32_t& direction,
                std::int32_t& serial);
