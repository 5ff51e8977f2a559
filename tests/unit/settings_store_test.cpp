// The settings walks on the in-memory store: load outcomes and field contents, the groups and byte layouts of
// a save, the uninstall walk up the key path.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "config/settings_store.h"
#include "tests/unit/memory_settings_store.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string KEY = SETTINGS_KEY_PATH;

Bytes Word(std::uint32_t w) {
    return {std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(w >> 16), std::uint8_t(w >> 24)};
}
Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Start-up values, with an interval whose high-order half is not zero so that short reads show, and bytes
// after the name's zero byte so that a read that touches them shows.
AppState StartState() {
    AppState state;
    FillDefaultState(state, nullptr, true, "C:\\Program Files\\KX205\\KX205.TXT");
    std::size_t length = std::strlen(state.logFileName);
    std::memset(state.logFileName + length + 1, 'z', PATH_CAPACITY - length - 1);
    state.intervalSeconds = 70000; // 0x00011170
    return state;
}

// The settings fields, the name up to its zero byte.
auto Settings(const AppState& s) {
    return std::tuple(std::string(s.logFileName, strnlen(s.logFileName, PATH_CAPACITY)), s.logEnabled,
                      s.intervalSeconds, s.logFormat, s.portNumber, std::vector(s.colors, s.colors + 4));
}

int registrations = 0;
bool Accept(AppState&) { return ++registrations, true; }
bool Decline(AppState&) { return ++registrations, false; }

} // namespace

TEST(SettingsLoad, OutcomesAndFields) {
    struct Stored {
        const char* name;
        std::uint32_t type;
        Bytes bytes;
    };
    struct Case {
        const char* name;
        bool keyExists;
        std::vector<Stored> stored;
        bool (*registration)(AppState&);
        bool result;
        int registered;
        void (*expect)(AppState&); // turns the start state into the expected one
    };
    const Case cases[] = {
        {"no key, registration accepted", false, {}, Accept, true, 1, [](AppState&) {}},
        {"no key, registration declined", false, {}, Decline, false, 1, [](AppState&) {}},
        {"empty key", true, {}, Accept, true, 0, [](AppState&) {}},
        {"only Port", true, {{"Port", STORE_TYPE_WORD, Word(3)}}, Accept, true, 0,
         [](AppState& s) { s.portNumber = 3; }},
        {"300-byte Log File is not read, the rest is", true,
         {{"Log File", STORE_TYPE_TEXT, Bytes(300, 'x')}, {"Port", STORE_TYPE_WORD, Word(4)}},
         Accept, true, 0, [](AppState& s) { s.portNumber = 4; }},
        {"2-byte Interval replaces the low-order half", true, {{"Interval", STORE_TYPE_BINARY, {0x2C, 0x01}}},
         Accept, true, 0, [](AppState& s) { s.intervalSeconds = 0x0001012C; }},
        // A stored name need not hold its zero byte: it ends where the data ends, and at the field's end.
        {"short Log File without its zero byte", true, {{"Log File", STORE_TYPE_TEXT, Text("D:\\b.txt")}},
         Accept, true, 0, [](AppState& s) { std::strcpy(s.logFileName, "D:\\b.txt"); }},
        {"260-byte Log File without a zero byte", true, {{"Log File", STORE_TYPE_TEXT, Bytes(260, 'a')}},
         Accept, true, 0, [](AppState& s) { std::strcpy(s.logFileName, std::string(259, 'a').c_str()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore memory;
        if (c.keyExists) AddKey(memory, KEY);
        for (const Stored& s : c.stored)
            memory[KEY][s.name] = {s.type, s.bytes};
        registrations = 0;
        AppState state = StartState(), want = StartState();
        c.expect(want);
        EXPECT_EQ(LoadSettingsFrom(MemorySettingsStore(memory), state, c.registration), c.result);
        EXPECT_EQ(registrations, c.registered);
        EXPECT_EQ(Settings(state), Settings(want));
        // A name left alone is left alone entirely, bytes after its zero byte included.
        if (std::strcmp(want.logFileName, StartState().logFileName) == 0) {
            EXPECT_EQ(std::memcmp(state.logFileName, want.logFileName, PATH_CAPACITY), 0);
        }
    }
}

TEST(SettingsSave, EachGroupWritesExactlyItsValues) {
    struct Case {
        std::uint32_t groups;
        std::vector<std::string> names; // in the store's (alphabetical) order
    };
    const Case cases[] = {
        {SETTINGS_LOG, {"Format", "Interval", "Log", "Log File"}},
        {SETTINGS_PORT, {"Port"}},
        {SETTINGS_COLORS, {"Colors"}},
        {SETTINGS_ALL, {"Colors", "Format", "Interval", "Log", "Log File", "Port"}},
    };
    for (const Case& c : cases) {
        MemoryStore memory;
        AppState state = StartState();
        EXPECT_TRUE(SaveSettingsTo(MemorySettingsStore(memory), state, c.groups));
        std::vector<std::string> names;
        for (const auto& value : memory[KEY])
            names.push_back(value.first);
        EXPECT_EQ(names, c.names) << c.groups;
    }
}

TEST(SettingsSave, TypesSizesAndByteLayoutsThenLoadBack) {
    AppState state = StartState();
    std::strcpy(state.logFileName, "C:\\a.txt"); // the rest of the field still holds old bytes
    state.logEnabled = 1;
    state.intervalSeconds = 900;
    state.logFormat = 0x00010005;
    state.portNumber = VALUE_UNKNOWN;
    const std::uint32_t colors[4] = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC};
    std::memcpy(state.colors, colors, sizeof colors);
    MemoryStore memory;
    ASSERT_TRUE(SaveSettingsTo(MemorySettingsStore(memory), state, SETTINGS_ALL));

    // "Log File" is always the whole 260-byte field, whatever the name's length.
    Bytes field(state.logFileName, state.logFileName + PATH_CAPACITY);
    const std::map<std::string, StoredValue> expected = {
        {"Log", {STORE_TYPE_WORD, {1, 0, 0, 0}}},
        {"Log File", {STORE_TYPE_TEXT, field}},
        {"Interval", {STORE_TYPE_WORD, {0x84, 0x03, 0, 0}}},
        {"Format", {STORE_TYPE_WORD, {0x05, 0, 0x01, 0}}},
        {"Port", {STORE_TYPE_WORD, {0xFF, 0xFF, 0xFF, 0x7F}}},
        {"Colors", {STORE_TYPE_BINARY, {0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0, 0xCC,
                                        0xBB, 0xAA, 0}}},
    };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(memory[KEY][name].type, value.type) << name;
        EXPECT_EQ(memory[KEY][name].bytes, value.bytes) << name;
    }

    AppState loaded = StartState();
    EXPECT_TRUE(LoadSettingsFrom(MemorySettingsStore(memory), loaded, Decline));
    EXPECT_EQ(Settings(loaded), Settings(state));
}

TEST(SettingsUninstall, WalksUpWhileParentsAreLeftWithoutSubkeys) {
    const std::string MAKER = "Software\\KORVAN", PRODUCT = MAKER + "\\KX-205A";
    struct Case {
        const char* name;
        std::vector<std::string> before;
        bool result;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {"no siblings: up to, not including, Software", {KEY}, true, {"Software"}},
        {"another version", {KEY, PRODUCT + "\\2.0"}, true, {"Software", MAKER, PRODUCT, PRODUCT + "\\2.0"}},
        {"another product", {KEY, MAKER + "\\KX-100"}, true, {"Software", MAKER, MAKER + "\\KX-100"}},
        {"2.1 missing", {PRODUCT}, false, {"Software", MAKER, PRODUCT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore memory;
        for (const std::string& path : c.before)
            AddKey(memory, path);
        EXPECT_EQ(UninstallSettingsFrom(MemorySettingsStore(memory)), c.result);
        std::vector<std::string> after;
        for (const auto& key : memory)
            after.push_back(key.first);
        EXPECT_EQ(after, c.after);
    }
}
