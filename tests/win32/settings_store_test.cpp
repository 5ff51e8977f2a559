// The settings store against Wine's registry: the bytes, types and sizes the registry holds, a load of what
// it holds, the uninstall walk, and the program's entry points under HKEY_CURRENT_USER.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
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

struct Stored {
    LONG error;
    DWORD type;
    Bytes bytes;
};

Stored Query(HKEY root, const char* name) {
    Stored s{ERROR_FILE_NOT_FOUND, REG_NONE, {}};
    HKEY key;
    if (RegOpenKeyExA(root, SETTINGS_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS) return s;
    DWORD size = 0;
    s.error = RegQueryValueExA(key, name, nullptr, &s.type, nullptr, &size);
    if (s.error == ERROR_SUCCESS) {
        s.bytes.resize(size);
        s.error = RegQueryValueExA(key, name, nullptr, &s.type, s.bytes.data(), &size);
    }
    RegCloseKey(key);
    return s;
}

void Put(HKEY root, const char* name, DWORD type, const Bytes& bytes) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, SETTINGS_KEY_PATH, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), 0);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), 0);
    RegCloseKey(key);
}

bool Exists(HKEY root, const char* path) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

DWORD ValueCount(HKEY root) {
    HKEY key;
    DWORD values = 0;
    if (RegOpenKeyExA(root, SETTINGS_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    return values;
}

AppState StartState() {
    AppState state;
    FillDefaultState(state, nullptr, true, "C:\\Program Files\\KX205\\KX205.TXT");
    return state;
}

int registrations = 0;
bool RegistrationAccepted(AppState&) {
    ++registrations;
    return true;
}

// A fresh, private root for each test, so no test sees another's keys.
class RegistryStore : public ::testing::Test {
  protected:
    void SetUp() override {
        path = "Software\\kx205-tests\\settings-" + std::to_string(GetCurrentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &root, nullptr),
                  0);
        store = RegistrySettingsStore(root);
        registrations = 0;
    }
    void TearDown() override {
        RegCloseKey(root);
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\kx205-tests"); // only once the last test's root is gone
    }
    std::string path;
    HKEY root = nullptr;
    SettingsStore store{};
};

} // namespace

TEST_F(RegistryStore, SaveLeavesTheExactBytesInTheRegistry) {
    AppState state = StartState();
    std::memset(state.logFileName, 0, PATH_CAPACITY);
    std::strcpy(state.logFileName, "C:\\Pomiary\\źdźbło ąę.txt");
    state.logEnabled = 1;
    state.intervalSeconds = 900;
    state.logFormat = 0x00010005;
    state.portNumber = VALUE_UNKNOWN;
    const std::uint32_t colors[4] = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC};
    std::memcpy(state.colors, colors, sizeof colors);

    ASSERT_TRUE(SaveSettingsTo(store, state, SETTINGS_PORT));
    EXPECT_EQ(ValueCount(root), 1u);
    ASSERT_TRUE(SaveSettingsTo(store, state, SETTINGS_ALL));
    EXPECT_EQ(ValueCount(root), 6u);

    Bytes logFile(state.logFileName, state.logFileName + PATH_CAPACITY);
    const struct {
        const char* name;
        DWORD type;
        Bytes bytes;
    } expected[] = {
        {"Log", REG_DWORD, {1, 0, 0, 0}},
        {"Log File", REG_SZ, logFile},
        {"Interval", REG_DWORD, {0x84, 0x03, 0, 0}},
        {"Format", REG_DWORD, {0x05, 0, 0x01, 0}},
        {"Port", REG_DWORD, {0xFF, 0xFF, 0xFF, 0x7F}},
        {"Colors",
         REG_BINARY,
         {0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA, 0}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        Stored s = Query(root, e.name);
        ASSERT_EQ(s.error, ERROR_SUCCESS);
        EXPECT_EQ(s.type, e.type);
        EXPECT_EQ(s.bytes, e.bytes);
    }

    AppState loaded = StartState();
    EXPECT_TRUE(LoadSettingsFrom(store, loaded, RegistrationAccepted));
    EXPECT_EQ(registrations, 0);
    EXPECT_STREQ(loaded.logFileName, state.logFileName);
    EXPECT_EQ(loaded.logEnabled, 1);
    EXPECT_EQ(loaded.intervalSeconds, 900u);
    EXPECT_EQ(loaded.logFormat, 0x00010005u);
    EXPECT_EQ(loaded.portNumber, VALUE_UNKNOWN);
    EXPECT_EQ(std::memcmp(loaded.colors, colors, sizeof colors), 0);
}

TEST_F(RegistryStore, LoadTakesWhatFitsWhateverItsType) {
    Put(root, "Log File", REG_SZ, Bytes(300, 'x'));
    Put(root, "Interval", REG_BINARY, {0x2C, 0x01});
    Put(root, "Port", REG_DWORD, {3, 0, 0, 0});
    AppState state = StartState();
    state.intervalSeconds = 70000; // 0x00011170
    AppState before = state;
    EXPECT_TRUE(LoadSettingsFrom(store, state, RegistrationAccepted));
    EXPECT_EQ(std::memcmp(state.logFileName, before.logFileName, PATH_CAPACITY), 0);
    EXPECT_EQ(state.intervalSeconds, 0x0001012Cu);
    EXPECT_EQ(state.portNumber, 3);
    EXPECT_EQ(state.logEnabled, 0);
    EXPECT_EQ(std::memcmp(state.colors, before.colors, sizeof state.colors), 0);

    // Stored without its zero byte: the name must not run on into the old one.
    Put(root, "Log File", REG_SZ, {'D', ':', '\\', 'b', '.', 't', 'x', 't'});
    EXPECT_TRUE(LoadSettingsFrom(store, state, RegistrationAccepted));
    EXPECT_STREQ(state.logFileName, "D:\\b.txt");
    Put(root, "Log File", REG_SZ, Bytes(PATH_CAPACITY, 'a'));
    EXPECT_TRUE(LoadSettingsFrom(store, state, RegistrationAccepted));
    EXPECT_EQ(std::string(state.logFileName), std::string(PATH_CAPACITY - 1, 'a'));
    EXPECT_EQ(registrations, 0);
}

TEST_F(RegistryStore, UninstallWalksUpToSoftware) {
    // A sibling of 2.1 keeps everything above it.
    Put(root, "Log", REG_DWORD, {1, 0, 0, 0});
    HKEY sibling;
    ASSERT_EQ(RegCreateKeyExA(root, "Software\\KORVAN\\KX-205A\\2.0", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &sibling, nullptr),
              0);
    RegCloseKey(sibling);
    EXPECT_TRUE(UninstallSettingsFrom(store));
    EXPECT_FALSE(Exists(root, SETTINGS_KEY_PATH));
    EXPECT_TRUE(Exists(root, "Software\\KORVAN\\KX-205A\\2.0"));
    EXPECT_FALSE(UninstallSettingsFrom(store)) << "2.1 is gone";
    EXPECT_TRUE(Exists(root, "Software\\KORVAN\\KX-205A\\2.0"));

    // Without it the walk goes on up; a value in a parent does not stop it.
    ASSERT_EQ(RegDeleteKeyA(root, "Software\\KORVAN\\KX-205A\\2.0"), 0);
    Put(root, "Log", REG_DWORD, {1, 0, 0, 0});
    HKEY product;
    ASSERT_EQ(RegOpenKeyExA(root, "Software\\KORVAN\\KX-205A", 0, KEY_WRITE, &product), 0);
    RegSetValueExA(product, "Inne", 0, REG_DWORD, Bytes{1, 0, 0, 0}.data(), 4);
    RegCloseKey(product);
    EXPECT_TRUE(UninstallSettingsFrom(store));
    EXPECT_FALSE(Exists(root, "Software\\KORVAN"));
    EXPECT_TRUE(Exists(root, "Software"));
}

// The program's own key path, under HKEY_CURRENT_USER of the test prefix.
TEST(SettingsEntryPoints, SaveLoadAndUninstallUnderTheUsersKey) {
    AppState state = StartState();
    state.portNumber = 5;
    state.colors[3] = 0x00010203;
    ASSERT_TRUE(SaveSettings(state, SETTINGS_ALL));
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, "Software\\KORVAN\\KX-205A\\2.1"));

    AppState loaded = StartState();
    registrations = 0;
    EXPECT_TRUE(LoadSettings(loaded, RegistrationAccepted));
    EXPECT_EQ(loaded.portNumber, 5);
    EXPECT_EQ(loaded.colors[3], 0x00010203u);

    EXPECT_TRUE(UninstallSettings());
    EXPECT_FALSE(Exists(HKEY_CURRENT_USER, "Software\\KORVAN\\KX-205A\\2.1"));
    EXPECT_TRUE(Exists(HKEY_CURRENT_USER, "Software"));
    EXPECT_TRUE(LoadSettings(loaded, RegistrationAccepted));
    EXPECT_EQ(registrations, 1);
}
