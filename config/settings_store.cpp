// Load, save and uninstall walks over a settings store: value names, types, sizes and byte layouts.
#include "config/settings_store.h"

#include <cstring>

namespace {

constexpr std::uint32_t WORD_BYTES = 4;
constexpr int COLOR_COUNT = 4;

// Stored bytes go over the words from their low-order end, as a byte copy would on the little-endian
// machines the values are written on; a short value leaves the high-order bytes as they were.
void PatchWords(std::uint32_t* words, const std::uint8_t* bytes, std::uint32_t length) {
    for (std::uint32_t i = 0; i < length; ++i) {
        unsigned shift = 8 * (i % WORD_BYTES);
        std::uint32_t& word = words[i / WORD_BYTES];
        word = (word & ~(0xFFu << shift)) | (std::uint32_t{bytes[i]} << shift);
    }
}

// Reads into scratch first: a store may scribble over its target before it reports a value too long.
bool ReadWords(const SettingsStore& store, StoreKey key, const char* name, std::uint32_t* words, int count) {
    std::uint8_t scratch[COLOR_COUNT * WORD_BYTES];
    std::uint32_t capacity = static_cast<std::uint32_t>(count) * WORD_BYTES;
    std::uint32_t length = 0;
    if (!store.readValue(store.context, key, name, scratch, capacity, &length) || length > capacity)
        return false;
    PatchWords(words, scratch, length);
    return true;
}

bool ReadWord(const SettingsStore& store, StoreKey key, const char* name, std::uint32_t& field) {
    return ReadWords(store, key, name, &field, 1);
}

// Signed fields are stored bit for bit.
bool ReadWord(const SettingsStore& store, StoreKey key, const char* name, std::int32_t& field) {
    std::uint32_t word = static_cast<std::uint32_t>(field);
    bool read = ReadWords(store, key, name, &word, 1);
    field = static_cast<std::int32_t>(word);
    return read;
}

// The stored text need not carry its zero byte inside the field: without the cuts a short value would be
// spliced onto the rest of the old name, and a full one would leave the name unterminated.
bool ReadLogFileName(const SettingsStore& store, StoreKey key, char (&field)[PATH_CAPACITY]) {
    std::uint8_t scratch[PATH_CAPACITY];
    std::uint32_t length = 0;
    if (!store.readValue(store.context, key, "Log File", scratch, PATH_CAPACITY, &length) ||
        length > PATH_CAPACITY) {
        return false;
    }
    std::memcpy(field, scratch, length);
    if (length < PATH_CAPACITY) field[length] = '\0';
    field[PATH_CAPACITY - 1] = '\0';
    return true;
}

void WriteWords(const SettingsStore& store, StoreKey key, const char* name, std::uint32_t type,
                const std::uint32_t* words, int count) {
    std::uint8_t bytes[COLOR_COUNT * WORD_BYTES];
    for (int i = 0; i < count * static_cast<int>(WORD_BYTES); ++i) {
        bytes[i] = static_cast<std::uint8_t>(words[i / WORD_BYTES] >> (8 * (i % WORD_BYTES)));
    }
    store.writeValue(store.context, key, name, type, bytes, static_cast<std::uint32_t>(count) * WORD_BYTES);
}

void WriteWord(const SettingsStore& store, StoreKey key, const char* name, std::uint32_t word) {
    WriteWords(store, key, name, STORE_TYPE_WORD, &word, 1);
}

} // namespace

bool LoadSettingsFrom(const SettingsStore& store, AppState& state, RegistrationFn registration) {
    StoreKey key = nullptr;
    switch (store.openKey(store.context, SETTINGS_KEY_PATH, STORE_ACCESS_READ, &key)) {
    case STORE_OPENED:
        break;
    case STORE_KEY_MISSING:
        return registration != nullptr && registration(state);
    default:
        return false;
    }
    // Every read runs even after one has failed (no short-circuit).
    bool allRead = true;
    allRead &= ReadWord(store, key, "Log", state.logEnabled);
    allRead &= ReadLogFileName(store, key, state.logFileName);
    allRead &= ReadWord(store, key, "Interval", state.intervalSeconds);
    allRead &= ReadWord(store, key, "Format", state.logFormat);
    allRead &= ReadWord(store, key, "Port", state.portNumber);
    allRead &= ReadWords(store, key, "Colors", state.colors, COLOR_COUNT);
    // The close decides before the reads do: a key that held only some values, as an abandoned first-run
    // registration leaves it, must still start normally.
    if (store.closeKey(store.context, key)) return true;
    if (!allRead) return registration != nullptr && registration(state);
    return false;
}

bool SaveSettingsTo(const SettingsStore& store, const AppState& state, std::uint32_t groups) {
    StoreKey key = nullptr;
    if (!store.createKey(store.context, SETTINGS_KEY_PATH, &key)) return false;
    {
        // One consistent snapshot while the workers may change the fields; single write failures are not
        // reported, the callers could do nothing about them.
        StateLocked locked;
        if (groups & SETTINGS_LOG) {
            WriteWord(store, key, "Log", static_cast<std::uint32_t>(state.logEnabled));
            // The whole field, always: the bytes after the name's zero byte go with it.
            store.writeValue(store.context, key, "Log File", STORE_TYPE_TEXT,
                             reinterpret_cast<const std::uint8_t*>(state.logFileName), PATH_CAPACITY);
            WriteWord(store, key, "Interval", state.intervalSeconds);
            WriteWord(store, key, "Format", state.logFormat);
        }
        if (groups & SETTINGS_PORT)
            WriteWord(store, key, "Port", static_cast<std::uint32_t>(state.portNumber));
        if (groups & SETTINGS_COLORS) {
            WriteWords(store, key, "Colors", STORE_TYPE_BINARY, state.colors, COLOR_COUNT);
        }
    }
    store.closeKey(store.context, key);
    return true;
}

bool UninstallSettingsFrom(const SettingsStore& store) {
    char path[sizeof SETTINGS_KEY_PATH];
    std::memcpy(path, SETTINGS_KEY_PATH, sizeof path);
    for (char* cut = std::strrchr(path, '\\'); cut != nullptr; cut = std::strrchr(path, '\\')) {
        *cut = '\0';
        const char* child = cut + 1;
        StoreKey parent = nullptr;
        if (store.openKey(store.context, path, STORE_ACCESS_ALL, &parent) != STORE_OPENED) return false;
        std::uint32_t subkeys = 0;
        bool walked = store.deleteSubkey(store.context, parent, child) &&
                      store.countSubkeys(store.context, parent, &subkeys);
        store.closeKey(store.context, parent);
        // A parent that still holds other subkeys belongs to something else too; its values do not count.
        if (!walked) return false;
        if (subkeys > 0) return true;
    }
    return true;
}
