// The texts that come from outside: the command line, the interval fields and the DDE names and items. The
// command line leaves the name terminated and only valid option values; a valid interval reads back the
// same from its own fields; an item text fits its buffer and is as long as said.
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/command_line.h"
#include "dde/dde_names.h"
#include "logging/log_settings.h"
#include "tests/unit/memory_settings_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const char* line = text.c_str(); // up to the first zero byte, as a command line arrives

    MemoryStore memory;
    AppState state;
    FillDefaultState(state, nullptr, true, "C:\\KX205.TXT");
    // The whole line as Windows gives it: the arguments lie inside it.
    const char* arguments = CommandLineArguments(line);
    if (arguments < line || arguments > line + std::strlen(line)) std::abort();
    IsDdeTopicCommandLine(line);
    if (ParseCommandLine(state, line, MemorySettingsStore(memory))) {
        if (std::memchr(state.logFileName, 0, PATH_CAPACITY) == nullptr || state.intervalSeconds == 0 ||
            (state.portNumber != VALUE_UNKNOWN && (state.portNumber < 1 || state.portNumber > 9)) ||
            (state.logFormat != 0 && state.logFormat > 2))
            std::abort();
    }

    size_t first = text.find('\n'), second = text.find('\n', first + 1);
    if (second != std::string::npos) {
        std::string hours = text.substr(0, first), minutes = text.substr(first + 1, second - first - 1);
        std::uint32_t total = IntervalFromFields(hours.c_str(), minutes.c_str(), line + second + 1);
        IntervalFields shown = IntervalToFields(total);
        if (total != INTERVAL_INVALID && IntervalFromFields(shown.hours, shown.minutes, shown.seconds) != total)
            std::abort();
    }

    if (size >= 8) {
        char out[DDE_TEXT_CAPACITY + 1];
        out[DDE_TEXT_CAPACITY] = 0x5A;
        std::int32_t value;
        std::memcpy(&value, data + 2, 4);
        int length = DdeItemText(out, data[0] % 5, data[1] % 2, value, line + 6, static_cast<char>(data[6]), data[7] & 1);
        if (out[DDE_TEXT_CAPACITY] != 0x5A || length != static_cast<int>(std::strlen(out)) + 1) std::abort();
        char topic[64];
        DdeTopicName(topic, data[0] % 64, data[1] % 2, value);
        if (data[0] % 64 > 0 && std::strlen(topic) >= data[0] % 64u) std::abort();
    }
    return 0;
}
