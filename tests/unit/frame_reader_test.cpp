// The frame reader on byte streams: synchronisation, counting, parity, and stale buffer contents.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "acquisition/frame_reader.h"
#include "tools/kx205sim/frame_encoder.h"

namespace {

struct ByteStream {
    std::vector<std::uint8_t> bytes;
    size_t next = 0;
    size_t reach = 0; // the furthest a source fetching `ahead` bytes at once would have read
};

bool ReadFromStream(void* context, std::uint8_t* byte, int ahead) {
    auto* s = static_cast<ByteStream*>(context);
    s->reach = std::max(s->reach, s->next + static_cast<size_t>(ahead));
    if (s->next >= s->bytes.size()) return false;
    *byte = s->bytes[s->next++];
    return true;
}

std::vector<std::uint8_t> Frame(int status = 0, std::uint32_t serial = 0x3412, int direction = 270, int speed = 123) {
    std::uint8_t f[14];
    EncodeFrame({status, serial, direction, speed}, f);
    return {f, f + 14};
}

std::vector<std::uint8_t> Concat(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const std::vector<std::uint8_t> PAYLOAD = {0x00, 0x03, '1', '2', '3', '4', '2', '7', '0', '0', '1', '2', '3', 0x0D};

} // namespace

TEST(FrameReader, StripsParityAndReturnsTheFrame) {
    ByteStream s{Frame(3)};
    std::uint8_t buffer[14] = {};
    ASSERT_EQ(ReadFrameFrom(ReadFromStream, &s, buffer, 14), 14);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 14), PAYLOAD);
    EXPECT_EQ(s.next, 14u);
    // "0" travels as 0x70 and comes back as 0x30; CR keeps its code.
    EXPECT_EQ(Frame()[9], 0x70);
    EXPECT_EQ(Frame()[13], 0x0D);
}

TEST(FrameReader, Synchronisation) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> stream;
        int result;
        size_t consumed;
        FrameReadError why;
    };
    const std::vector<std::uint8_t> frame = Frame(3);
    std::vector<std::uint8_t> tail(frame.begin() + 5, frame.end()); // a frame's last 9 bytes
    std::vector<std::uint8_t> noZero(14, 0x70);
    const Case cases[] = {
        {"starts mid-frame", Concat({tail, frame}), 14, 23, FRAME_READ_OK},
        {"13 stray bytes before the frame", Concat({std::vector<std::uint8_t>(13, 0x70), frame}), 14, 27,
         FRAME_READ_OK},
        {"no zero byte: gives up after 14", Concat({noZero, frame}), -1, 14, FRAME_READ_NO_START},
        {"a second zero byte stops capturing", Concat({{0x00, 0x43, 0x00}, noZero}), -1, 16, FRAME_READ_NO_START},
        {"a third zero byte starts again", Concat({{0x00, 0x43, 0x00}, frame}), 14, 17, FRAME_READ_OK},
        {"silence before the end", std::vector<std::uint8_t>(frame.begin(), frame.begin() + 10), -1, 10,
         FRAME_READ_SILENT},
        {"nothing at all", {}, -1, 0, FRAME_READ_SILENT},
    };
    for (const Case& c : cases) {
        ByteStream s{c.stream};
        std::uint8_t buffer[14] = {};
        FrameReadError why = FRAME_READ_OK;
        EXPECT_EQ(ReadFrameFrom(ReadFromStream, &s, buffer, 14, &why), c.result) << c.name;
        EXPECT_EQ(s.next, c.consumed) << c.name;
        // Fetching ahead never takes a byte the call does not consume.
        if (c.why != FRAME_READ_SILENT) {
            EXPECT_EQ(s.reach, c.consumed) << c.name;
        }
        EXPECT_EQ(why, c.why) << c.name;
        if (c.result == 14) {
            EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 14), PAYLOAD) << c.name;
        }
    }
}

TEST(FrameReader, EvenParityAtAnyPositionAfterTheZeroByte) {
    for (int position = 1; position < 14; ++position) {
        auto frame = Frame(3); // status 3: no payload byte turns into a zero byte when its parity flips
        frame[position] ^= 0x40;
        ByteStream s{frame};
        std::uint8_t buffer[14] = {};
        FrameReadError why = FRAME_READ_OK;
        EXPECT_EQ(ReadFrameFrom(ReadFromStream, &s, buffer, 14, &why), -1) << position;
        EXPECT_EQ(why, FRAME_READ_PARITY) << position;
        // Positions after the failing one are left as received.
        for (int j = position + 1; j < 14; ++j) {
            EXPECT_EQ(buffer[j], frame[j]) << position << "/" << j;
        }
    }
}

TEST(FrameReader, NeverAcceptsAFrameLeftInTheBufferByAnEarlierCall) {
    // A stale frame whose bytes all have odd parity in bits 0 to 5 would pass the check a second time.
    std::vector<std::uint8_t> odd = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x07, 0x0B, 0x0D,
                                     0x0E, 0x13, 0x15, 0x0D};
    std::uint8_t buffer[14];
    ByteStream first{odd};
    ASSERT_EQ(ReadFrameFrom(ReadFromStream, &first, buffer, 14), 14);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> stream;
    };
    const Case cases[] = {
        {"14 bytes without a zero", std::vector<std::uint8_t>(14, 0x01)},
        {"a frame cut by a second zero", Concat({{0x00, 0x01, 0x02}, {0x00}, std::vector<std::uint8_t>(14, 0x01)})},
    };
    for (const Case& c : cases) {
        std::uint8_t again[14];
        std::memcpy(again, odd.data(), 14);
        ByteStream s{c.stream};
        EXPECT_EQ(ReadFrameFrom(ReadFromStream, &s, again, 14), -1) << c.name;
    }
    // Bytes of this call spliced onto an earlier frame's tail are refused too.
    std::uint8_t spliced[14];
    std::memcpy(spliced, odd.data(), 14);
    ByteStream cut{Concat({std::vector<std::uint8_t>(odd.begin(), odd.begin() + 5), {0x00}, std::vector<std::uint8_t>(13, 0x01)})};
    EXPECT_EQ(ReadFrameFrom(ReadFromStream, &cut, spliced, 14), -1);
}
