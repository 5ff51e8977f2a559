// The frame reader on byte streams: synchronisation, counting, parity, and stale buffer contents.
#include <gtest/gtest.h>

#include "acquisition/frame_reader.h"
#include "tools/kx205sim/frame_encoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ByteStream {
    Bytes bytes;
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

Bytes operator+(Bytes a, const Bytes& b) { return a.insert(a.end(), b.begin(), b.end()), a; }

} // namespace

TEST(FrameReader, SynchronisationParityAndStaleBytes) {
    std::uint8_t encoded[14];
    EncodeFrame({3, 0x3412, 270, 123}, encoded);
    const Bytes frame(encoded, encoded + 14), tail(frame.begin() + 5, frame.end()), noZero(14, 0x70);
    const Bytes payload = {0x00, 0x03, '1', '2', '3', '4', '2', '7', '0', '0', '1', '2', '3', 0x0D};
    // What an earlier call left in the buffer: a frame that would pass the parity check a second time.
    const Bytes stale = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x07, 0x0B, 0x0D, 0x0E, 0x13, 0x15, 0x0D};
    auto evenParityAt = [&](int position) { Bytes f = frame; f[position] ^= 0x40; return f; };
    Bytes repeated;
    for (int i = 0; i < 1000; ++i) repeated = repeated + Bytes{0x00} + Bytes(12, 0x70);
    // stream, result, bytes consumed, reason
    const std::tuple<const char*, Bytes, int, size_t, FrameReadError> cases[] = {
        {"a whole frame", frame, 14, 14, FRAME_READ_OK},
        {"starts mid-frame", tail + frame, 14, 23, FRAME_READ_OK},
        {"no zero byte: gives up after 14", noZero + frame, -1, 14, FRAME_READ_NO_START},
        {"a second zero byte stops capturing", Bytes{0x00, 0x43, 0x00} + noZero, -1, 16, FRAME_READ_NO_START},
        {"a third zero byte starts again", Bytes{0x00, 0x43, 0x00} + frame, 14, 17, FRAME_READ_OK},
        {"silence before the end", Bytes(frame.begin(), frame.begin() + 10), -1, 10, FRAME_READ_SILENT},
        {"even parity right after the zero byte", evenParityAt(1), -1, 14, FRAME_READ_PARITY},
        {"even parity in the last byte", evenParityAt(13), -1, 14, FRAME_READ_PARITY},
        // Zero bytes that keep coming hold no frame: the call gives up after its limit, as on silence.
        {"zero bytes only", Bytes(100000, 0x00), -1, FRAME_READ_LIMIT, FRAME_READ_NO_FRAME},
        {"a zero and twelve bytes, again and again", repeated, -1, FRAME_READ_LIMIT, FRAME_READ_NO_FRAME},
        {"a frame after 36 zero bytes", Bytes(36, 0x00) + frame, 14, 50, FRAME_READ_OK},
        {"a frame just within the limit", Bytes(42, 0x00) + frame, 14, FRAME_READ_LIMIT, FRAME_READ_OK},
    };
    for (const auto& [name, stream, result, consumed, why] : cases) {
        ByteStream s{stream};
        Bytes buffer = stale;
        auto reason = static_cast<FrameReadError>(-1); // every outcome must set it
        EXPECT_EQ(ReadFrameFrom(ReadFromStream, &s, buffer.data(), 14, &reason), result) << name;
        // Fetching ahead never takes a byte the call does not consume.
        EXPECT_EQ(std::tuple(reason, s.next, why == FRAME_READ_SILENT ? consumed : s.reach),
                  std::tuple(why, consumed, consumed)) << name;
        EXPECT_EQ(result == 14 ? buffer : payload, payload) << name; // a frame read is the payload
    }
}
