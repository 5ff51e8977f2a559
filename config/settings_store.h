// The user's settings in a per-user key store: loading them at start-up, saving groups of them, uninstalling.
// The walks run over SettingsStore, a table of plain functions: the registry, or an in-memory store.
#pragma once

#include <cstdint>

#include "app/app_state.h"

// Groups of values for SaveSettings.
constexpr std::uint32_t SETTINGS_LOG = 1;    // "Log", "Log File", "Interval", "Format"
constexpr std::uint32_t SETTINGS_PORT = 2;   // "Port"
constexpr std::uint32_t SETTINGS_COLORS = 4; // "Colors"
constexpr std::uint32_t SETTINGS_ALL = 0xFFFFFFFFu;

// Below the user's root (HKEY_CURRENT_USER).
constexpr char SETTINGS_KEY_PATH[] = "Software\\KORVAN\\KX-205A\\2.1";

// Value types, numbered as the registry numbers them (REG_SZ, REG_BINARY, REG_DWORD).
constexpr std::uint32_t STORE_TYPE_TEXT = 1;
constexpr std::uint32_t STORE_TYPE_BINARY = 3;
constexpr std::uint32_t STORE_TYPE_WORD = 4;

enum StoreAccess : int { STORE_ACCESS_READ = 0, STORE_ACCESS_ALL = 1 };

// A missing key is told apart from every other failure: only a missing key leads to first-run registration.
enum StoreOpenResult : int { STORE_OPENED = 0, STORE_KEY_MISSING = 1, STORE_OPEN_FAILED = 2 };

using StoreKey = void*;

// Paths are relative to the store's root and use backslashes. Every function gets the store's context first.
struct SettingsStore {
    void* context;
    // Opens an existing key.
    StoreOpenResult (*openKey)(void* context, const char* path, StoreAccess access, StoreKey* key);
    // Opens a key for writing, creating it and every missing key on its path.
    bool (*createKey)(void* context, const char* path, StoreKey* key);
    // Copies a value's bytes, whatever its type, to data when they fit in capacity, and their count to
    // *length. Fails when the value is absent or longer; data is undefined then.
    bool (*readValue)(void* context, StoreKey key, const char* name, std::uint8_t* data,
                      std::uint32_t capacity, std::uint32_t* length);
    // Replaces the named value with exactly these bytes of this type.
    bool (*writeValue)(void* context, StoreKey key, const char* name, std::uint32_t type,
                       const std::uint8_t* data, std::uint32_t length);
    // Deletes a subkey with its values; fails when it is missing or has subkeys of its own.
    bool (*deleteSubkey)(void* context, StoreKey key, const char* name);
    bool (*countSubkeys)(void* context, StoreKey key, std::uint32_t* count);
    bool (*closeKey)(void* context, StoreKey key);
};

// The first-run registration, supplied by start-up. It runs when there are no settings, and its outcome
// becomes the load's.
using RegistrationFn = bool (*)(AppState& state);

// Fills the configuration fields of state from the settings key; a value that is absent or too long for its
// field leaves the field as it was. Runs before the workers start, so it takes no lock.
bool LoadSettingsFrom(const SettingsStore& store, AppState& state, RegistrationFn registration);

// Writes the values of the given groups as one snapshot under StateLock; false only when the key could be
// neither opened nor created (then nothing is written and the lock is not taken).
bool SaveSettingsTo(const SettingsStore& store, const AppState& state, std::uint32_t groups);

// Deletes the settings key, then each parent on its path that is left without subkeys, up to but not
// including the path's first key. False at the first step that fails; what was deleted before stays deleted.
bool UninstallSettingsFrom(const SettingsStore& store);
