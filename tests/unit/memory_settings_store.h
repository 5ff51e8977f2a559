// An in-memory settings store for the unit tests, with the registry's rules for missing keys, subkeys and
// values too long for the caller's buffer, and any chosen call made to fail.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/settings_store.h"

using StoredValue = std::pair<std::uint32_t, std::vector<std::uint8_t>>; // type and bytes

enum StoreCall : int { CALL_OPEN, CALL_CREATE, CALL_READ, CALL_WRITE, CALL_DELETE, CALL_COUNT, CALL_CLOSE, CALL_KINDS };

struct MemoryStore {
    std::map<std::string, std::map<std::string, StoredValue>> keys; // every existing key by its full path
    std::set<std::pair<StoreCall, int>> failures; // (kind, n): the n-th call of that kind, from 1, fails
    int calls[CALL_KINDS] = {};
};

// Key handles are heap copies of the key's path that only a close frees (a failed one too), so a walk that
// leaves a key open fails the sanitized build as a leak.
SettingsStore MemorySettingsStore(MemoryStore& memory);

// Creates the key and every missing key on its path.
void AddKey(MemoryStore& memory, const std::string& path);
