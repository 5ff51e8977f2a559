// The texts of measured values and of the two status lines, and the read-out's drawing flags.
// The locale's decimal separator and leading-zero setting are inputs, read by the caller at every call.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::uint32_t DT_CENTER_FLAG = 1;           // DrawTextA's DT_CENTER
constexpr std::uint32_t DISPLAY_BLINK = 0x80000000u;  // bit 31 of a read-out's drawing flags
constexpr int VALUE_TEXT_CAPACITY = 20;

// LogStatus codes.
constexpr int LOG_STATUS_OK = 0;
constexpr int LOG_STATUS_NO_FILE = 131;
constexpr int LOG_STATUS_WRITE_FAILED = 132;
constexpr int LOG_STATUS_FLUSH_FAILED = 133;
constexpr int LOG_STATUS_TEXT_CAPACITY = 100;

// out must hold VALUE_TEXT_CAPACITY characters. Returns DT_CENTER, with DISPLAY_BLINK when the value is
// unknown or the status flags this quantity (or calibration).
std::uint32_t FormatValueText(int status, std::int32_t value, int quantity, bool withUnit, char* out,
                              char decimalSeparator, bool leadingZero);

// The unit text of a quantity: "m/s" or the degree sign.
const char* QuantityUnit(int quantity);

const char* MeasurementStatusString(int status);

// out must hold LOG_STATUS_TEXT_CAPACITY characters; returns out.
char* LogStatusString(char* out, bool enabled, std::uint32_t seconds, int status);
