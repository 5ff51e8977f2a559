// The unit tests' in-memory settings store.
#include "tests/unit/memory_settings_store.h"

#include <algorithm>

static MemoryStore& Of(void* context) { return *static_cast<MemoryStore*>(context); }
static const std::string& PathOf(StoreKey key) { return *static_cast<std::string*>(key); }

// Counts the call; true when it is one of those chosen to fail.
static bool Fails(void* c, StoreCall call) { return Of(c).failures.count({call, ++Of(c).calls[call]}) != 0; }

static std::uint32_t SubkeyCount(const MemoryStore& m, const std::string& path) {
    return static_cast<std::uint32_t>(std::count_if(m.keys.begin(), m.keys.end(), [&](const auto& entry) {
        return entry.first.starts_with(path) && entry.first.rfind('\\') == path.size();
    }));
}

static StoreOpenResult OpenKey(void* context, const char* path, StoreAccess, StoreKey* key) {
    if (Fails(context, CALL_OPEN)) return STORE_OPEN_FAILED;
    if (Of(context).keys.count(path) == 0) return STORE_KEY_MISSING;
    *key = new std::string(path);
    return STORE_OPENED;
}

static bool CreateKey(void* context, const char* path, StoreKey* key) {
    if (Fails(context, CALL_CREATE)) return false;
    AddKey(Of(context), path);
    *key = new std::string(path);
    return true;
}

static bool ReadValue(void* context, StoreKey key, const char* name, std::uint8_t* data, std::uint32_t capacity,
                      std::uint32_t* length) {
    auto& values = Of(context).keys[PathOf(key)];
    if (Fails(context, CALL_READ) || values.count(name) == 0) return false;
    const std::vector<std::uint8_t>& bytes = values[name].second;
    // The registry leaves the target of a read that is too long undefined: fill it, as the worst case.
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), capacity), data);
    *length = static_cast<std::uint32_t>(bytes.size());
    return bytes.size() <= capacity;
}

static bool WriteValue(void* context, StoreKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                       std::uint32_t length) {
    if (Fails(context, CALL_WRITE)) return false;
    Of(context).keys[PathOf(key)][name] = {type, std::vector<std::uint8_t>(data, data + length)};
    return true;
}

static bool DeleteSubkey(void* context, StoreKey key, const char* name) {
    std::string child = PathOf(key) + "\\" + name;
    return !Fails(context, CALL_DELETE) && SubkeyCount(Of(context), child) == 0 && Of(context).keys.erase(child);
}

static bool CountSubkeys(void* context, StoreKey key, std::uint32_t* count) {
    if (Fails(context, CALL_COUNT)) return false;
    *count = SubkeyCount(Of(context), PathOf(key));
    return true;
}

static bool CloseKey(void* context, StoreKey key) {
    delete static_cast<std::string*>(key);
    return !Fails(context, CALL_CLOSE);
}

SettingsStore MemorySettingsStore(MemoryStore& memory) {
    return {&memory, OpenKey, CreateKey, ReadValue, WriteValue, DeleteSubkey, CountSubkeys, CloseKey};
}

void AddKey(MemoryStore& memory, const std::string& path) {
    for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
        memory.keys[path.substr(0, cut)];
    memory.keys[path];
}
