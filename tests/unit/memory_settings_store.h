// An in-memory settings store for the unit tests: keys by path, values as typed bytes, failures on demand,
// and a record of every call so tests can see what a walk did.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "config/settings_store.h"

struct StoredValue {
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
};

struct MemoryStore {
    std::map<std::string, std::map<std::string, StoredValue>> keys; // every existing key by full path
    std::map<std::uintptr_t, std::string> openKeys;                 // handle -> path
    std::uintptr_t nextHandle = 1;
    std::vector<std::string>
        calls; // "open PATH", "create PATH", "read NAME", "write NAME", "delete NAME", ...
    StoreOpenResult openFailure = STORE_OPENED; // forced result of every open, unless STORE_OPENED
    bool failCreate = false;
    bool failDelete = false;
    bool failCount = false;
    bool failClose = false;
    std::mutex mutex; // a save may run on a second thread while the test looks on
};

SettingsStore MemorySettingsStore(MemoryStore& memory);

// Creates the key and every missing key on its path.
void AddKey(MemoryStore& memory, const std::string& path);
void PutValue(MemoryStore& memory, const std::string& path, const std::string& name, std::uint32_t type,
              const std::vector<std::uint8_t>& bytes);
const StoredValue* FindValue(MemoryStore& memory, const std::string& path, const std::string& name);

// The arguments of the recorded calls of one kind ("write", "open", ...), in order.
std::vector<std::string> CallsOf(MemoryStore& memory, const std::string& kind);
