// The unit tests' in-memory settings store.
#include "tests/unit/memory_settings_store.h"

#include <algorithm>

namespace {

MemoryStore& Of(void* context) { return *static_cast<MemoryStore*>(context); }
const std::string& PathOf(StoreKey key) { return *static_cast<std::string*>(key); }

std::uint32_t SubkeyCount(const MemoryStore& m, const std::string& path) {
    std::string prefix = path + "\\";
    return static_cast<std::uint32_t>(std::count_if(m.begin(), m.end(), [&](const auto& entry) {
        return entry.first.starts_with(prefix) && entry.first.find('\\', prefix.size()) == std::string::npos;
    }));
}

StoreOpenResult OpenKey(void* context, const char* path, StoreAccess, StoreKey* key) {
    if (Of(context).count(path) == 0) return STORE_KEY_MISSING;
    *key = new std::string(path);
    return STORE_OPENED;
}

bool CreateKey(void* context, const char* path, StoreKey* key) {
    AddKey(Of(context), path);
    *key = new std::string(path);
    return true;
}

bool ReadValue(void* context, StoreKey key, const char* name, std::uint8_t* data, std::uint32_t capacity,
               std::uint32_t* length) {
    auto& values = Of(context)[PathOf(key)];
    auto found = values.find(name);
    if (found == values.end()) return false;
    const std::vector<std::uint8_t>& bytes = found->second.bytes;
    // The registry leaves the target of a read that is too long undefined: fill it, as the worst case.
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), capacity), data);
    *length = static_cast<std::uint32_t>(bytes.size());
    return bytes.size() <= capacity;
}

bool WriteValue(void* context, StoreKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t length) {
    Of(context)[PathOf(key)][name] = {type, std::vector<std::uint8_t>(data, data + length)};
    return true;
}

bool DeleteSubkey(void* context, StoreKey key, const char* name) {
    std::string child = PathOf(key) + "\\" + name;
    return SubkeyCount(Of(context), child) == 0 && Of(context).erase(child) == 1;
}

bool CountSubkeys(void* context, StoreKey key, std::uint32_t* count) {
    *count = SubkeyCount(Of(context), PathOf(key));
    return true;
}

bool CloseKey(void*, StoreKey key) {
    delete static_cast<std::string*>(key);
    return true;
}

} // namespace

SettingsStore MemorySettingsStore(MemoryStore& memory) {
    return {&memory, OpenKey, CreateKey, ReadValue, WriteValue, DeleteSubkey, CountSubkeys, CloseKey};
}

void AddKey(MemoryStore& memory, const std::string& path) {
    for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
        memory[path.substr(0, cut)];
    memory[path];
}
