// Loading the settings from a store that holds values of any type, size and bytes: the log file name is
// always terminated within its field, and every other field is its default or a value read whole.
#include <cstdlib>
#include <cstring>

#include "config/settings_store.h"
#include "tests/unit/memory_settings_store.h"

namespace {

const char* const NAMES[] = {"Log", "Log File", "Interval", "Format", "Port", "Colors", "Other"};

// The field as loaded: its default with the stored bytes over its low-order end, or the default alone when
// they do not fit.
bool ReadWhole(const void* field, const void* defaults, size_t size, const StoredValue* stored) {
    std::uint8_t expected[16];
    std::memcpy(expected, defaults, size);
    if (stored != nullptr && !stored->second.empty() && stored->second.size() <= size)
        std::memcpy(expected, stored->second.data(), stored->second.size());
    return std::memcmp(field, expected, size) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    MemoryStore memory;
    AddKey(memory, SETTINGS_KEY_PATH);
    auto& values = memory.keys[SETTINGS_KEY_PATH];
    // Entries: name, type, length, bytes.
    for (size_t at = 0; at + 3 <= size;) {
        size_t length = data[at + 2] < size - at - 3 ? data[at + 2] : size - at - 3;
        values[NAMES[data[at] % 7]] = {data[at + 1], {data + at + 3, data + at + 3 + length}};
        at += 3 + length;
    }
    AppState state, defaults;
    FillDefaultState(defaults, nullptr, true, "C:\\KX205.TXT");
    state = defaults;
    LoadSettingsFrom(MemorySettingsStore(memory), state, nullptr);
    auto stored = [&](const char* name) { return values.count(name) ? &values[name] : nullptr; };
    if (std::memchr(state.logFileName, 0, PATH_CAPACITY) == nullptr) std::abort();
    if (!ReadWhole(&state.logEnabled, &defaults.logEnabled, 4, stored("Log")) ||
        !ReadWhole(&state.intervalSeconds, &defaults.intervalSeconds, 4, stored("Interval")) ||
        !ReadWhole(&state.logFormat, &defaults.logFormat, 4, stored("Format")) ||
        !ReadWhole(&state.portNumber, &defaults.portNumber, 4, stored("Port")) ||
        !ReadWhole(state.colors, defaults.colors, 16, stored("Colors")))
        std::abort();
    return 0;
}
