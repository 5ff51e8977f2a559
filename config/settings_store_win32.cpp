// The registry as a settings store, under a root key (HKEY_CURRENT_USER for the program).
#include "config/settings_store_win32.h"

static_assert(STORE_TYPE_TEXT == REG_SZ && STORE_TYPE_BINARY == REG_BINARY && STORE_TYPE_WORD == REG_DWORD);

namespace {

HKEY RootOf(void* context) {
    return static_cast<HKEY>(context);
}
HKEY KeyOf(StoreKey key) {
    return static_cast<HKEY>(key);
}

StoreOpenResult OpenKey(void* context, const char* path, StoreAccess access, StoreKey* key) {
    HKEY opened = nullptr;
    REGSAM rights = access == STORE_ACCESS_ALL ? KEY_ALL_ACCESS : KEY_READ;
    LONG error = RegOpenKeyExA(RootOf(context), path, 0, rights, &opened);
    if (error == ERROR_FILE_NOT_FOUND) return STORE_KEY_MISSING;
    if (error != ERROR_SUCCESS) return STORE_OPEN_FAILED;
    *key = opened;
    return STORE_OPENED;
}

bool CreateKey(void* context, const char* path, StoreKey* key) {
    HKEY created = nullptr;
    LONG error = RegCreateKeyExA(RootOf(context), path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                 nullptr, &created, nullptr);
    if (error != ERROR_SUCCESS) return false;
    *key = created;
    return true;
}

bool ReadValue(void*, StoreKey key, const char* name, std::uint8_t* data, std::uint32_t capacity,
               std::uint32_t* length) {
    DWORD size = capacity;
    if (RegQueryValueExA(KeyOf(key), name, nullptr, nullptr, data, &size) != ERROR_SUCCESS) return false;
    *length = size;
    return true;
}

bool WriteValue(void*, StoreKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                std::uint32_t length) {
    return RegSetValueExA(KeyOf(key), name, 0, type, data, length) == ERROR_SUCCESS;
}

bool DeleteSubkey(void*, StoreKey key, const char* name) {
    return RegDeleteKeyA(KeyOf(key), name) == ERROR_SUCCESS;
}

bool CountSubkeys(void*, StoreKey key, std::uint32_t* count) {
    DWORD subkeys = 0;
    if (RegQueryInfoKeyA(KeyOf(key), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    *count = subkeys;
    return true;
}

bool CloseKey(void*, StoreKey key) {
    return RegCloseKey(KeyOf(key)) == ERROR_SUCCESS;
}

} // namespace

SettingsStore RegistrySettingsStore(HKEY root) {
    return {root, OpenKey, CreateKey, ReadValue, WriteValue, DeleteSubkey, CountSubkeys, CloseKey};
}

bool LoadSettings(AppState& state, RegistrationFn registration) {
    return LoadSettingsFrom(RegistrySettingsStore(HKEY_CURRENT_USER), state, registration);
}

bool SaveSettings(const AppState& state, DWORD groups) {
    return SaveSettingsTo(RegistrySettingsStore(HKEY_CURRENT_USER), state, groups);
}

bool UninstallSettings() {
    return UninstallSettingsFrom(RegistrySettingsStore(HKEY_CURRENT_USER));
}
