// The simulator's encoder is the exact inverse of the frame reader and decoder.
#include <gtest/gtest.h>

#include "acquisition/frame_decoder.h"
#include "acquisition/frame_reader.h"
#include "tools/kx205sim/frame_encoder.h"
#include "tools/kx205sim/wind_model.h"

namespace {

struct OneFrame {
    const std::uint8_t* bytes;
    int next;
};

bool ReadOne(void* context, std::uint8_t* byte, int) {
    auto* f = static_cast<OneFrame*>(context);
    if (f->next >= 14) return false;
    *byte = f->bytes[f->next++];
    return true;
}

} // namespace

TEST(SimulatorEncoder, RoundTripsEveryStatusAndTheValueRanges) {
    const std::uint32_t serials[] = {0, 1, 0x3412, 0xABCD, 0xFFFF};
    const int directions[] = {0, 1, 90, 270, 359, 999};
    const int speeds[] = {0, 5, 123, 999, 9999};
    for (int status = 0; status < 8; ++status) {
        for (std::uint32_t serial : serials) {
            for (int direction : directions) {
                for (int speed : speeds) {
                    std::uint8_t encoded[14], buffer[14];
                    EncodeFrame({status, serial, direction, speed}, encoded);
                    OneFrame source{encoded, 0};
                    ASSERT_EQ(ReadFrameFrom(ReadOne, &source, buffer, 14), 14);
                    std::int32_t s, d, n;
                    ASSERT_EQ(DecodeFrame(buffer, 14, s, d, n), status);
                    EXPECT_EQ(s, speed);
                    EXPECT_EQ(d, direction);
                    EXPECT_EQ(static_cast<std::uint32_t>(n), serial);
                }
            }
        }
    }
}

TEST(SimulatorEncoder, NoZeroByteInsideAFrame) {
    for (int status = 0; status < 64; ++status) {
        std::uint8_t encoded[14];
        EncodeFrame({status, 0, 0, 0}, encoded);
        for (int i = 1; i < 14; ++i) EXPECT_NE(encoded[i], 0) << status << "/" << i;
    }
}

TEST(SimulatorWind, StaysInTheInstrumentsRanges) {
    WindModel model;
    InitWindModel(model, 8.0, 355, 1.0, 20, 42);
    for (int i = 0; i < 5000; ++i) {
        int speed, direction;
        StepWindModel(model, speed, direction);
        ASSERT_GE(speed, 0);
        ASSERT_LE(speed, 9999);
        ASSERT_GE(direction, 0);
        ASSERT_LT(direction, 360);
    }
}
