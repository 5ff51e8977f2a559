// Command-line tokens, options and their effect on the settings.
#include "config/command_line.h"

#include <cstdint>
#include <cstring>

#include "dde/dde_names.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of exactly `digits` decimal digits at text, or -1 when the text is anything else.
int Digits(const char* text, std::size_t length, std::size_t digits) {
    if (length != digits) return -1;
    int value = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (!IsDigit(text[i])) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

struct Options {
    std::uint64_t intervalSum = 0;
    int port = -1;   // -P: none yet
    int format = -1; // -F: none yet
    bool save = false;
};

// One token that begins with "-"; false when it is not an option of the table.
bool TakeOption(const char* token, std::size_t length, Options& options) {
    if (length < 2) return false;
    const char* value = token + 2;
    std::size_t valueLength = length - 2;
    int n;
    switch (token[1]) {
    case 'D': case 'd':
        if (valueLength != 0) return false;
        options.save = true;
        return true;
    case 'F': case 'f':
        n = Digits(value, valueLength, 1);
        if (n < 0 || n > 2) return false;
        options.format = n;
        return true;
    case 'P': case 'p':
        n = Digits(value, valueLength, 1);
        if (n < 0) return false;
        options.port = n;
        return true;
    case 'H': case 'h':
        n = Digits(value, valueLength, 2);
        if (n < 0) return false;
        options.intervalSum += static_cast<std::uint64_t>(n) * 3600;
        return true;
    case 'M': case 'm':
    case 'S': case 's':
        n = Digits(value, valueLength, 2);
        if (n < 0 || n > 59) return false;
        options.intervalSum += static_cast<std::uint64_t>(n) * (token[1] == 'M' || token[1] == 'm' ? 60 : 1);
        return true;
    default:
        return false;
    }
}

} // namespace

const char* CommandLineArguments(const char* wholeCommandLine) {
    const char* at = wholeCommandLine;
    if (*at == '"') {
        ++at;
        while (*at != '\0' && *at != '"') ++at;
        if (*at == '"') ++at;
    } else {
        while (*at != '\0' && *at != ' ' && *at != '\t') ++at;
    }
    while (*at == ' ' || *at == '\t') ++at;
    return at;
}

bool IsDdeTopicCommandLine(const char* commandLine) {
    for (const char* base : DDE_TOPIC_BASE_NAMES) {
        std::size_t length = std::strlen(base);
        if (std::strncmp(commandLine, base, length) != 0 || commandLine[length] != '#') continue;
        const char* digit = commandLine + length + 1;
        while (IsDigit(*digit)) ++digit;
        if (*digit == '\0') return true;
    }
    return false;
}

bool ParseCommandLine(AppState& state, const char* commandLine, const SettingsStore& store) {
    Options options;
    const char* at = commandLine;
    for (;;) {
        while (IsBlank(*at)) ++at;
        if (*at == '\0') break;
        const char* token = at;
        while (*at != '\0' && !IsBlank(*at)) ++at;
        std::size_t length = static_cast<std::size_t>(at - token);
        if (token[0] == '-') {
            if (!TakeOption(token, length, options)) return false;
            continue;
        }
        std::size_t kept = length < PATH_CAPACITY - 1 ? length : PATH_CAPACITY - 1;
        std::memcpy(state.logFileName, token, kept);
        state.logFileName[kept] = '\0';
        state.logEnabled = 1;
    }
    // Repeated options add up; a sum beyond the field's range keeps the longest interval it can hold.
    if (options.intervalSum >= 1) {
        state.intervalSeconds = options.intervalSum > UINT32_MAX ? UINT32_MAX
                                                                 : static_cast<std::uint32_t>(options.intervalSum);
    }
    if (options.port > 0) state.portNumber = options.port;
    if (options.format >= 0) state.logFormat = static_cast<std::uint32_t>(options.format);
    if (options.save) SaveSettingsTo(store, state, SETTINGS_ALL);
    return true;
}
