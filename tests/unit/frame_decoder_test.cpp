// Frame decoding: the field layout, the number rules and the serial number's nibble order.
#include <gtest/gtest.h>

#include "acquisition/frame_decoder.h"
#include "app/app_state.h"

// A payload frame from its printable fields: status byte, 4 serial characters, 3 + 4 digits.
static std::string Payload(char status, const char* serial, const char* direction, const char* speed) {
    return std::string(1, '\0') + status + serial + direction + speed + '\r';
}

TEST(FrameDecoder, Cases) {
    const std::int32_t UNKNOWN = VALUE_UNKNOWN;
    const std::string example = Payload(3, "1234", "270", "0123");
    // frame, then status, speed, direction, serial number
    const std::tuple<const char*, std::string, std::vector<std::int32_t>> cases[] = {
        {"worked example", example, {3, 123, 270, 13330}},
        {"status bits 3 to 5 ignored", Payload(0x3C, "1234", "270", "0123"), {4, 123, 270, 13330}},
        {"nibbles above nine", Payload(0, ":;<=", "000", "0000"), {0, 0, 0, 0xCDAB}},
        {"no range checks", Payload(0, "0000", "999", "9999"), {0, 9999, 999, 0}},
        {"white space, digits, stop at non-digit", Payload(0, "0000", "\t 7", "\r12;"), {0, 12, 7, 0}},
        {"a sign is read", Payload(0, "0000", "-12", "+005"), {0, 5, -12, 0}},
        {"stray bytes before the zero byte", "\x05\x05" + example, {3, 123, 270, 13330}},
        {"no CR", example.substr(0, 13) + "0", {STATUS_NO_LINK, UNKNOWN, UNKNOWN, UNKNOWN}},
        {"CR beyond the end", "\x05" + example.substr(0, 13), {STATUS_NO_LINK, UNKNOWN, UNKNOWN, UNKNOWN}},
        {"no zero byte", "0" + example.substr(1), {STATUS_NO_LINK, UNKNOWN, UNKNOWN, UNKNOWN}},
    };
    for (const auto& [name, frame, expected] : cases) {
        std::int32_t speed = 0, direction = 0, serial = 0;
        int status = DecodeFrame(reinterpret_cast<const std::uint8_t*>(frame.data()), static_cast<int>(frame.size()),
                                 speed, direction, serial);
        EXPECT_EQ(std::vector<std::int32_t>({status, speed, direction, serial}), expected) << name;
    }
}
