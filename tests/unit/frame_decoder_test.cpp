// Frame decoding: the field layout, the number rules and the serial number's nibble order.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "acquisition/frame_decoder.h"
#include "app/app_state.h"

namespace {

// A payload frame from its printable fields: status byte, 4 serial characters, 3 + 4 digits, last byte.
std::string Payload(char status, const char* serial, const char* direction, const char* speed, char last = '\r') {
    std::string f(1, '\0');
    f += status;
    f += serial;
    f += direction;
    f += speed;
    f += last;
    return f;
}

struct Decoded {
    int status;
    std::int32_t speed, direction, serial;
};

Decoded Decode(const std::string& f) {
    Decoded d{};
    d.status = DecodeFrame(reinterpret_cast<const std::uint8_t*>(f.data()), static_cast<int>(f.size()), d.speed,
                           d.direction, d.serial);
    return d;
}

} // namespace

TEST(FrameDecoder, Cases) {
    struct Case {
        const char* name;
        std::string frame;
        Decoded expected;
    };
    const Case cases[] = {
        {"worked example", Payload(3, "1234", "270", "0123"), {3, 123, 270, 13330}},
        {"status bits 3 to 5 ignored", Payload(0x3C, "1234", "270", "0123"), {4, 123, 270, 13330}},
        {"nibbles above nine", Payload(0, ":;<=", "000", "0000"), {0, 0, 0, 0xCDAB}},
        {"serial zero", Payload(0, "0000", "359", "9999"), {0, 9999, 359, 0}},
        {"no range checks", Payload(0, "0000", "999", "9999"), {0, 9999, 999, 0}},
        {"space, digits, stop at non-digit", Payload(0, "0000", "270", " 12;"), {0, 12, 270, 0}},
        {"all spaces give 0", Payload(0, "0000", "   ", "    "), {0, 0, 0, 0}},
        {"a sign is read", Payload(0, "0000", "-12", "+005"), {0, 5, -12, 0}},
        {"nibble below 0x30 wraps", Payload(0, "/000", "000", "0000"), {0, 0, 0, 0xFF0}},
        {"no CR", Payload(0, "1234", "270", "0123", '0'), {STATUS_NO_LINK, VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN}},
    };
    for (const Case& c : cases) {
        Decoded d = Decode(c.frame);
        EXPECT_EQ(d.status, c.expected.status) << c.name;
        EXPECT_EQ(d.speed, c.expected.speed) << c.name;
        EXPECT_EQ(d.direction, c.expected.direction) << c.name;
        EXPECT_EQ(d.serial, c.expected.serial) << c.name;
    }
}

TEST(FrameDecoder, FrameMustStartAtItsZeroByte) {
    std::string shifted = std::string("\x05", 1) + Payload(0, "1234", "270", "0123").substr(0, 13);
    EXPECT_EQ(Decode(shifted).status, STATUS_NO_LINK);
    std::string noZero = Payload(0, "1234", "270", "0123");
    noZero[0] = '0';
    Decoded d = Decode(noZero);
    EXPECT_EQ(d.status, STATUS_NO_LINK);
    EXPECT_EQ(d.serial, VALUE_UNKNOWN);
}
