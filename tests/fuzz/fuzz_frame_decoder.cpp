// The frame decoder on arbitrary frames: a status from 0 to 7 with every value read, or no link with none.
#include <cstdlib>

#include "acquisition/frame_decoder.h"
#include "app/app_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::int32_t speed = 1, direction = 1, serial = 1;
    int status = DecodeFrame(data, static_cast<int>(size), speed, direction, serial);
    bool none = speed == VALUE_UNKNOWN && direction == VALUE_UNKNOWN && serial == VALUE_UNKNOWN;
    if (status == STATUS_NO_LINK ? !none : (status < 0 || status > 7 || none || size < 14)) std::abort();
    return 0;
}
