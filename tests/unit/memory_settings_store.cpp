// The unit tests' in-memory settings store, with the registry's rules for missing keys, subkeys and sizes.
#include "tests/unit/memory_settings_store.h"

#include <algorithm>

namespace {

MemoryStore& Of(void* context) {
    return *static_cast<MemoryStore*>(context);
}

void Record(MemoryStore& m, const std::string& kind, const std::string& argument) {
    m.calls.push_back(kind + " " + argument);
}

// The path of an open handle, or nullptr for an unknown handle or a key deleted since it was opened.
const std::string* PathOf(MemoryStore& m, StoreKey key) {
    auto open = m.openKeys.find(reinterpret_cast<std::uintptr_t>(key));
    if (open == m.openKeys.end() || m.keys.count(open->second) == 0) return nullptr;
    return &open->second;
}

StoreKey NewHandle(MemoryStore& m, const std::string& path) {
    std::uintptr_t handle = m.nextHandle++;
    m.openKeys[handle] = path;
    return reinterpret_cast<StoreKey>(handle);
}

std::uint32_t SubkeyCount(MemoryStore& m, const std::string& path) {
    std::string prefix = path + "\\";
    return static_cast<std::uint32_t>(std::count_if(m.keys.begin(), m.keys.end(), [&](const auto& entry) {
        const std::string& k = entry.first;
        return k.compare(0, prefix.size(), prefix) == 0 && k.find('\\', prefix.size()) == std::string::npos;
    }));
}

StoreOpenResult OpenKey(void* context, const char* path, StoreAccess, StoreKey* key) {
    MemoryStore& m = Of(context);
    std::lock_guard<std::mutex> guard(m.mutex);
    Record(m, "open", path);
    if (m.openFailure != STORE_OPENED) return m.openFailure;
    if (m.keys.count(path) == 0) return STORE_KEY_MISSING;
    *key = NewHandle(m, path);
    return STORE_OPENED;
}

bool CreateKey(void* context, const char* path, StoreKey* key) {
    MemoryStore& m = Of(context);
    {
        std::lock_guard<std::mutex> guard(m.mutex);
        Record(m, "create", path);
        if (m.failCreate) return false;
    }
    AddKey(m, path);
    std::lock_guard<std::mutex> guard(m.mutex);
    *key = NewHandle(m, path);
    return true;
}

bool ReadValue(void* context, StoreKey key, const char* name, std::uint8_t* data, std::uint32_t capacity,
               std::uint32_t* length) {
    MemoryStore& m = Of(context);
    std::lock_guard<std::mutex> guard(m.mutex);
    Record(m, "read", name);
    const std::string* path = PathOf(m, key);
    if (path == nullptr) return false;
    auto& values = m.keys[*path];
    auto found = values.find(name);
    if (found == values.end()) return false;
    const std::vector<std::uint8_t>& bytes = found->second.bytes;
    // The registry leaves the target of a read that is too long undefined: fill it, as the worst case.
    std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), capacity), data);
    if (bytes.size() > capacity) return false;
    *length = static_cast<std::uint32_t>(bytes.size());
    return true;
}

bool WriteValue(void* context, StoreKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t length) {
    MemoryStore& m = Of(context);
    std::lock_guard<std::mutex> guard(m.mutex);
    Record(m, "write", name);
    const std::string* path = PathOf(m, key);
    if (path == nullptr) return false;
    m.keys[*path][name] = StoredValue{type, std::vector<std::uint8_t>(data, data + length)};
    return true;
}

bool DeleteSubkey(void* context, StoreKey key, const char* name) {
    MemoryStore& m = Of(context);
    std::lock_guard<std::mutex> guard(m.mutex);
    Record(m, "delete", name);
    const std::string* path = PathOf(m, key);
    if (m.failDelete || path == nullptr) return false;
    std::string child = *path + "\\" + name;
    if (m.keys.count(child) == 0 || SubkeyCount(m, child) > 0) return false;
    m.keys.erase(child);
    return true;
}

bool CountSubkeys(void* context, StoreKey key, std::uint32_t* count) {
    MemoryStore& m = Of(context);
    std::lock_guard<std::mutex> guard(m.mutex);
    Record(m, "count", "");
    const std::string* path = PathOf(m, key);
    if (m.failCount || path == nullptr) return false;
    *count = SubkeyCount(m, *path);
    return true;
}

// Even a close that reports failure releases the handle, as the registry's does.
bool CloseKey(void* context, StoreKey key) {
    MemoryStore& m = Of(context);
    std::lock_guard<std::mutex> guard(m.mutex);
    Record(m, "close", "");
    bool known = m.openKeys.erase(reinterpret_cast<std::uintptr_t>(key)) == 1;
    return known && !m.failClose;
}

} // namespace

SettingsStore MemorySettingsStore(MemoryStore& memory) {
    return {&memory, OpenKey, CreateKey, ReadValue, WriteValue, DeleteSubkey, CountSubkeys, CloseKey};
}

void AddKey(MemoryStore& memory, const std::string& path) {
    std::lock_guard<std::mutex> guard(memory.mutex);
    for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1)) {
        memory.keys[path.substr(0, cut)];
    }
    memory.keys[path];
}

void PutValue(MemoryStore& memory, const std::string& path, const std::string& name, std::uint32_t type,
              const std::vector<std::uint8_t>& bytes) {
    AddKey(memory, path);
    std::lock_guard<std::mutex> guard(memory.mutex);
    memory.keys[path][name] = StoredValue{type, bytes};
}

const StoredValue* FindValue(MemoryStore& memory, const std::string& path, const std::string& name) {
    std::lock_guard<std::mutex> guard(memory.mutex);
    auto key = memory.keys.find(path);
    if (key == memory.keys.end()) return nullptr;
    auto value = key->second.find(name);
    return value == key->second.end() ? nullptr : &value->second;
}

std::vector<std::string> CallsOf(MemoryStore& memory, const std::string& kind) {
    std::lock_guard<std::mutex> guard(memory.mutex);
    std::vector<std::string> found;
    std::string prefix = kind + " ";
    for (const std::string& call : memory.calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call.substr(prefix.size()));
    }
    return found;
}
