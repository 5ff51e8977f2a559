// An in-memory settings store for the unit tests, with the registry's rules for missing keys, subkeys and
// values too long for the caller's buffer.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "config/settings_store.h"

struct StoredValue {
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
};

// Every existing key by its full path, with its values by name.
using MemoryStore = std::map<std::string, std::map<std::string, StoredValue>>;

// Key handles are heap copies of the key's path that only a close frees, so a walk that leaves a key open
// fails the sanitized build as a leak.
SettingsStore MemorySettingsStore(MemoryStore& memory);

// Creates the key and every missing key on its path.
void AddKey(MemoryStore& memory, const std::string& path);
