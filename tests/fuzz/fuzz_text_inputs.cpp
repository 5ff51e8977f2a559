// The texts that come from outside: the command line and the interval fields. The command line leaves the
// name terminated and only valid option values; a valid interval reads back the same from its own fields.
#include <cstdlib>
#include <cstring>
#include <string>

#include "config/command_line.h"
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

    return 0;
}
