// The settings walks on the in-memory store: load outcomes and field contents, the groups and byte layouts of
// a save, the uninstall walk up the key path, and what each reports when the store fails.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/unit/memory_settings_store.h"

using Bytes = std::vector<std::uint8_t>;
using Failures = std::set<std::pair<StoreCall, int>>;
using Names = std::vector<std::string>;

static const std::string KEY = SETTINGS_KEY_PATH;

// Start-up values, with an interval whose high-order half is not zero so that short reads show, and bytes
// after the name's zero byte (up to the field's last, which a load always clears) so that a read that touches
// them shows.
static AppState StartState() {
    AppState state;
    FillDefaultState(state, nullptr, true, nullptr);
    std::memset(state.logFileName, 'z', PATH_CAPACITY - 1);
    std::strcpy(state.logFileName, "C:\\KX205.TXT");
    state.intervalSeconds = 70000; // 0x00011170
    return state;
}

// The settings fields, the name field whole.
static auto Settings(const AppState& s) {
    return std::tuple(std::string(s.logFileName, PATH_CAPACITY), s.logEnabled, s.intervalSeconds, s.logFormat,
                      s.portNumber, std::vector(s.colors, s.colors + 4));
}

static int registrations = 0;
static bool Accept(AppState&) { return ++registrations, true; }
static bool Decline(AppState&) { return ++registrations, false; }

TEST(SettingsLoad, OutcomesAndFields) {
    using Change = void (*)(AppState&); // turns the start state into the expected one
    Change same = [](AppState&) {}, port3 = [](AppState& s) { s.portNumber = 3; };
    Change shortValues = [](AppState& s) { s.intervalSeconds = 0x0001012C; std::memcpy(s.logFileName, "D:\\b", 5); };
    // key exists, stored values, failing calls, registration, then: result, registrations, fields
    const std::tuple<const char*, bool, std::map<std::string, Bytes>, Failures, bool (*)(AppState&), bool, int,
                     Change>
        cases[] = {
            {"no key, registration accepted", false, {}, {}, Accept, true, 1, same},
            {"no key, registration declined", false, {}, {}, Decline, false, 1, same},
            {"key cannot be opened", true, {}, {{CALL_OPEN, 1}}, Accept, false, 0, same},
            {"empty key", true, {}, {}, Accept, true, 0, same},
            {"failed and too long reads stop no later one", true,
             {{"Log", {1, 0, 0, 0}}, {"Log File", Bytes(300, 'x')}, {"Port", {3, 0, 0, 0}}}, {{CALL_READ, 1}}, Accept,
             true, 0, port3},
            // The close decides before the reads: an incomplete key that cannot be closed is a new registration.
            {"close fails, key incomplete", true, {{"Port", {3, 0, 0, 0}}}, {{CALL_CLOSE, 1}}, Accept, true, 1, port3},
            // A short value replaces the low-order bytes; a stored name need not hold its zero byte: it ends where
            // the data ends, and at the field's end.
            {"short Interval and Log File", true, {{"Interval", {0x2C, 0x01}}, {"Log File", {'D', ':', '\\', 'b'}}},
             {}, Accept, true, 0, shortValues},
            {"260-byte Log File", true, {{"Log File", Bytes(260, 'a')}}, {}, Accept, true, 0,
             [](AppState& s) { std::memset(s.logFileName, 'a', PATH_CAPACITY - 1); }},
        };
    for (const auto& [name, keyExists, stored, failures, registration, result, registered, change] : cases) {
        MemoryStore memory{{}, failures};
        if (keyExists) AddKey(memory, KEY);
        for (const auto& [value, bytes] : stored) memory.keys[KEY][value] = {STORE_TYPE_BINARY, bytes};
        registrations = 0;
        AppState state = StartState(), want = StartState();
        change(want);
        EXPECT_EQ(LoadSettingsFrom(MemorySettingsStore(memory), state, registration), result) << name;
        EXPECT_EQ(std::pair(registrations, Settings(state)), std::pair(registered, Settings(want))) << name;
    }
}

TEST(SettingsSave, GroupsTypesAndByteLayoutsThenLoadBack) {
    AppState state = StartState();
    std::strcpy(state.logFileName, "C:\\a.txt"); // the rest of the field still holds old bytes
    state.logEnabled = 1, state.intervalSeconds = 900, state.logFormat = 0x00010005;
    const std::uint32_t colors[4] = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC};
    std::memcpy(state.colors, colors, sizeof colors);
    using Values = std::map<std::string, StoredValue>;
    // "Log File" is always the whole 260-byte field, whatever the name's length.
    Values all = {
        {"Log", {STORE_TYPE_WORD, {1, 0, 0, 0}}},
        {"Log File", {STORE_TYPE_TEXT, Bytes(state.logFileName, state.logFileName + PATH_CAPACITY)}},
        {"Interval", {STORE_TYPE_WORD, {0x84, 0x03, 0, 0}}},
        {"Format", {STORE_TYPE_WORD, {0x05, 0, 0x01, 0}}},
        {"Port", {STORE_TYPE_WORD, {0xFF, 0xFF, 0xFF, 0x7F}}},
        {"Colors", {STORE_TYPE_BINARY, {0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA,
                                        0}}},
    };
    // Single writes and the close may fail unreported; only a key that cannot be created is a failure.
    const std::tuple<std::uint32_t, Failures, bool, Names> cases[] = {
        {SETTINGS_LOG, {}, true, {"Log", "Log File", "Interval", "Format"}},
        {SETTINGS_PORT, {}, true, {"Port"}},
        {SETTINGS_COLORS, {}, true, {"Colors"}},
        {SETTINGS_ALL, {}, true, {"Log", "Log File", "Interval", "Format", "Port", "Colors"}},
        {SETTINGS_LOG, {{CALL_WRITE, 1}, {CALL_CLOSE, 1}}, true, {"Log File", "Interval", "Format"}},
        {SETTINGS_ALL, {{CALL_CREATE, 1}}, false, {}},
    };
    for (const auto& [groups, failures, result, names] : cases) {
        MemoryStore memory{{}, failures};
        EXPECT_EQ(SaveSettingsTo(MemorySettingsStore(memory), state, groups), result) << groups;
        Values want;
        for (const std::string& name : names) want[name] = all[name];
        EXPECT_EQ(memory.keys[KEY], want) << groups;
    }
    MemoryStore memory;
    SaveSettingsTo(MemorySettingsStore(memory), state, SETTINGS_ALL);
    AppState loaded = StartState();
    EXPECT_TRUE(LoadSettingsFrom(MemorySettingsStore(memory), loaded, Decline));
    EXPECT_EQ(Settings(loaded), Settings(state));
    // When the close fails, a key whose every value was read is the load's failure; one with a value unread (the
    // second read is the name's) is a new registration.
    for (const auto& [failures, registered] : {std::pair(Failures{{CALL_CLOSE, 1}}, 0),
                                               std::pair(Failures{{CALL_READ, 2}, {CALL_CLOSE, 1}}, 1)}) {
        MemoryStore closing{memory.keys, failures};
        registrations = 0;
        EXPECT_EQ(LoadSettingsFrom(MemorySettingsStore(closing), loaded, Accept), registered == 1);
        EXPECT_EQ(registrations, registered);
    }
}

TEST(SettingsUninstall, WalksUpWhileParentsAreLeftWithoutSubkeys) {
    const std::string MAKER = "Software\\KORVAN", PRODUCT = MAKER + "\\KX-205A";
    const Names LEFT = {"Software", MAKER, PRODUCT}; // when only 2.1 is gone
    // keys before, failing calls, then: result, keys after
    const std::tuple<const char*, Names, Failures, bool, Names> cases[] = {
        {"no siblings: up to, not including, Software", {KEY}, {}, true, {"Software"}},
        {"another version", {KEY, PRODUCT + "\\2.0"}, {}, true, {"Software", MAKER, PRODUCT, PRODUCT + "\\2.0"}},
        {"another product", {KEY, MAKER + "\\KX-100"}, {}, true, {"Software", MAKER, MAKER + "\\KX-100"}},
        {"2.1 missing", {PRODUCT}, {}, false, LEFT},
        {"the key's parent cannot be opened", {KEY}, {{CALL_OPEN, 1}}, false, {"Software", MAKER, PRODUCT, KEY}},
        // What was deleted before the failing step stays deleted.
        {"the next parent cannot be opened", {KEY}, {{CALL_OPEN, 2}}, false, LEFT},
        {"subkeys cannot be counted", {KEY}, {{CALL_COUNT, 1}}, false, LEFT},
    };
    for (const auto& [name, before, failures, result, after] : cases) {
        MemoryStore memory{{}, failures};
        for (const std::string& path : before) AddKey(memory, path);
        EXPECT_EQ(UninstallSettingsFrom(MemorySettingsStore(memory)), result) << name;
        Names left;
        for (const auto& key : memory.keys) left.push_back(key.first);
        EXPECT_EQ(left, after) << name;
    }
}
