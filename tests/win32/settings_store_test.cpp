// The settings in Wine's real registry: the types, sizes and bytes SaveSettings leaves under
// HKEY_CURRENT_USER, a load of them, and the uninstall.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "config/settings_store_win32.h"

namespace {

using Bytes = std::vector<BYTE>;

struct StateLockEnvironment : ::testing::Environment {
    void SetUp() override { StateLockCreate(); }
    void TearDown() override { StateLockDelete(); }
};
::testing::Environment* const stateLockEnvironment =
    ::testing::AddGlobalTestEnvironment(new StateLockEnvironment);

// A value's type and bytes as RegQueryValueExA reports them; no type and no bytes when it is missing.
std::pair<DWORD, Bytes> Query(const char* name) {
    HKEY key;
    DWORD type = REG_NONE, size = 512;
    Bytes bytes(size);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    if (RegQueryValueExA(key, name, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) size = 0;
    RegCloseKey(key);
    bytes.resize(size);
    return {type, bytes};
}

bool Exists(const char* path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

auto Settings(const AppState& s) {
    return std::tuple(std::string(s.logFileName, PATH_CAPACITY), s.logEnabled, s.intervalSeconds, s.logFormat,
                      s.portNumber, std::vector(s.colors, s.colors + 4));
}

} // namespace

TEST(RegistrySettings, SaveLoadAndUninstall) {
    AppState state;
    FillDefaultState(state, nullptr, true, "");
    // Polish letters as Windows-1250 bytes: the A functions must store and return them unchanged.
    std::memset(state.logFileName, 0, PATH_CAPACITY);
    std::strcpy(state.logFileName, "C:\\Pomiary\\\x9F" "d\x9F" "b\xB3o \xB9\xEA.txt");
    state.logEnabled = 1;
    state.intervalSeconds = 900;
    state.logFormat = 0x00010005;
    state.portNumber = 5;
    const std::uint32_t colors[4] = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC};
    std::memcpy(state.colors, colors, sizeof colors);
    ASSERT_TRUE(SaveSettings(state, SETTINGS_ALL));

    const std::pair<const char*, std::pair<DWORD, Bytes>> expected[] = {
        {"Log", {REG_DWORD, {1, 0, 0, 0}}},
        {"Log File", {REG_SZ, Bytes(state.logFileName, state.logFileName + PATH_CAPACITY)}},
        {"Interval", {REG_DWORD, {0x84, 0x03, 0, 0}}},
        {"Format", {REG_DWORD, {0x05, 0, 0x01, 0}}},
        {"Port", {REG_DWORD, {5, 0, 0, 0}}},
        // The four colours in their order, each as a little-endian word.
        {"Colors",
         {REG_BINARY, {0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA, 0}}},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(Query(name), value) << name;

    AppState loaded;
    FillDefaultState(loaded, nullptr, true, "C:\\Program Files\\KX205\\KX205.TXT");
    EXPECT_TRUE(LoadSettings(loaded, nullptr)); // no registration: the key must be there
    EXPECT_EQ(Settings(loaded), Settings(state));

    // Nothing else lives under KORVAN in the test prefix, so the walk removes it too, but never Software.
    EXPECT_TRUE(UninstallSettings());
    EXPECT_FALSE(Exists("Software\\KORVAN"));
    EXPECT_TRUE(Exists("Software"));
}
