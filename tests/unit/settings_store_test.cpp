// The settings walks on the in-memory store: load outcomes and field contents, groups and byte layouts of a
// save, the uninstall walk up the key path.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "config/settings_store.h"
#include "tests/unit/memory_settings_store.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string KEY = SETTINGS_KEY_PATH;
const std::vector<std::string> ALL_VALUES = {"Log", "Log File", "Interval", "Format", "Port", "Colors"};

Bytes Word(std::uint32_t w) {
    return {std::uint8_t(w), std::uint8_t(w >> 8), std::uint8_t(w >> 16), std::uint8_t(w >> 24)};
}

Bytes Text(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// Start-up values, with an interval whose high-order half is not zero so that short reads show.
AppState StartState() {
    AppState state;
    FillDefaultState(state, nullptr, true, "C:\\Program Files\\KX205\\KX205.TXT");
    state.intervalSeconds = 70000; // 0x00011170
    return state;
}

void ExpectSameSettings(const AppState& got, const AppState& want) {
    // Bytes after the name's zero byte carry no meaning.
    auto name = [](const AppState& s) {
        return std::string(s.logFileName, std::find(s.logFileName, s.logFileName + PATH_CAPACITY, '\0'));
    };
    EXPECT_EQ(name(got), name(want));
    EXPECT_EQ(got.logEnabled, want.logEnabled);
    EXPECT_EQ(got.intervalSeconds, want.intervalSeconds);
    EXPECT_EQ(got.logFormat, want.logFormat);
    EXPECT_EQ(got.portNumber, want.portNumber);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(got.colors[i], want.colors[i]) << "colour " << i;
}

int registrations = 0;
bool RegistrationAccepted(AppState&) {
    ++registrations;
    return true;
}
bool RegistrationDeclined(AppState&) {
    ++registrations;
    return false;
}

std::vector<std::string> KeysOf(MemoryStore& memory) {
    std::vector<std::string> keys;
    for (const auto& entry : memory.keys)
        keys.push_back(entry.first);
    return keys;
}

} // namespace

TEST(SettingsLoad, OutcomeIsDecidedByTheOpenThenTheCloseThenTheReads) {
    struct Case {
        const char* name;
        StoreOpenResult open;
        bool allValues;
        bool failClose;
        bool accepted; // what the registration answers
        int registered;
        bool result;
    };
    const Case cases[] = {
        {"no key, registration accepted", STORE_KEY_MISSING, false, false, true, 1, true},
        {"no key, registration declined", STORE_KEY_MISSING, false, false, false, 1, false},
        {"open fails otherwise", STORE_OPEN_FAILED, false, false, true, 0, false},
        {"empty key", STORE_OPENED, false, false, true, 0, true},
        {"every value", STORE_OPENED, true, false, true, 0, true},
        {"close fails after a failed read", STORE_OPENED, false, true, true, 1, true},
        {"close fails after a failed read, declined", STORE_OPENED, false, true, false, 1, false},
        {"close fails after every read succeeded", STORE_OPENED, true, true, true, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore memory;
        if (c.open == STORE_OPEN_FAILED) memory.openFailure = STORE_OPEN_FAILED;
        if (c.open != STORE_KEY_MISSING) AddKey(memory, KEY);
        if (c.allValues) {
            for (const std::string& name : ALL_VALUES)
                PutValue(memory, KEY, name, STORE_TYPE_BINARY, Bytes{1});
        }
        memory.failClose = c.failClose;
        registrations = 0;
        AppState state = StartState();
        bool result = LoadSettingsFrom(MemorySettingsStore(memory), state,
                                       c.accepted ? RegistrationAccepted : RegistrationDeclined);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(registrations, c.registered);
        EXPECT_TRUE(memory.openKeys.empty());
        // A failed read does not stop the ones after it.
        EXPECT_EQ(CallsOf(memory, "read"), c.open == STORE_OPENED ? ALL_VALUES : std::vector<std::string>{});
        if (c.open == STORE_OPENED && !c.allValues) ExpectSameSettings(state, StartState());
    }
}

TEST(SettingsLoad, ValuesFillTheirFieldsByteForByte) {
    struct Stored {
        const char* name;
        std::uint32_t type;
        Bytes bytes;
    };
    struct Case {
        const char* name;
        std::vector<Stored> stored;
        void (*expect)(AppState&); // turns the start state into the expected one
    };
    Bytes colors;
    for (std::uint32_t c : {0x00112233u, 0x00445566u, 0x00778899u, 0x00AABBCCu}) {
        Bytes w = Word(c);
        colors.insert(colors.end(), w.begin(), w.end());
    }
    Bytes longName(300, 'x');
    const Case cases[] = {
        {"only Port", {{"Port", STORE_TYPE_WORD, Word(3)}}, [](AppState& s) { s.portNumber = 3; }},
        {"every value",
         {{"Log", STORE_TYPE_WORD, Word(1)},
          {"Log File", STORE_TYPE_TEXT, Text(std::string("D:\\Pomiary\\wiatr ęą.csv") + '\0')},
          {"Interval", STORE_TYPE_WORD, Word(900)},
          {"Format", STORE_TYPE_WORD, Word(0x00010005)},
          {"Port", STORE_TYPE_WORD, Word(0xFFFFFFFF)},
          {"Colors", STORE_TYPE_BINARY, colors}},
         [](AppState& s) {
             s.logEnabled = 1;
             std::memset(s.logFileName, 0, PATH_CAPACITY);
             std::strcpy(s.logFileName, "D:\\Pomiary\\wiatr ęą.csv");
             s.intervalSeconds = 900;
             s.logFormat = 0x00010005;
             s.portNumber = -1;
             s.colors[0] = 0x00112233, s.colors[1] = 0x00445566, s.colors[2] = 0x00778899,
             s.colors[3] = 0x00AABBCC;
         }},
        {"300-byte Log File is not read, the rest is",
         {{"Log File", STORE_TYPE_TEXT, longName}, {"Port", STORE_TYPE_WORD, Word(4)}},
         [](AppState& s) { s.portNumber = 4; }},
        {"2-byte Interval replaces the low-order half",
         {{"Interval", STORE_TYPE_BINARY, {0x2C, 0x01}}},
         [](AppState& s) { s.intervalSeconds = 0x0001012C; }},
        {"2-byte Interval of another type",
         {{"Interval", STORE_TYPE_TEXT, {'5', 0}}},
         [](AppState& s) { s.intervalSeconds = 0x00010035; }},
        {"6-byte Colors",
         {{"Colors", STORE_TYPE_BINARY, Bytes(colors.begin(), colors.begin() + 6)}},
         [](AppState& s) { s.colors[0] = 0x00112233, s.colors[1] = 0x5566; }},
        {"20-byte Colors leave the colours alone",
         {{"Colors", STORE_TYPE_BINARY, Bytes(20, 0x77)}},
         [](AppState&) {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore memory;
        AddKey(memory, KEY);
        for (const Stored& s : c.stored)
            PutValue(memory, KEY, s.name, s.type, s.bytes);
        AppState state = StartState();
        AppState want = StartState();
        c.expect(want);
        EXPECT_TRUE(LoadSettingsFrom(MemorySettingsStore(memory), state, RegistrationDeclined));
        ExpectSameSettings(state, want);
    }
}

// A stored name need not hold its zero byte within the field; the name must end where the data ends.
TEST(SettingsLoad, LogFileNameIsAlwaysTerminated) {
    const std::string oldName = StartState().logFileName;
    struct Case {
        const char* name;
        Bytes stored;
        std::string expected;
    };
    const Case cases[] = {
        {"260 bytes without a zero byte", Bytes(260, 'a'), std::string(259, 'a')},
        {"short name without its zero byte", Text("D:\\b.txt"), "D:\\b.txt"},
        {"short name with its zero byte", Text(std::string("D:\\b.txt") + '\0'), "D:\\b.txt"},
        {"no bytes", Bytes{}, ""},
        {"261 bytes: not read", Bytes(261, 'a'), oldName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore memory;
        PutValue(memory, KEY, "Log File", STORE_TYPE_TEXT, c.stored);
        AppState state = StartState();
        std::memset(state.logFileName + oldName.size() + 1, 'z', PATH_CAPACITY - oldName.size() - 1);
        AppState before = state;
        EXPECT_TRUE(LoadSettingsFrom(MemorySettingsStore(memory), state, RegistrationDeclined));
        ASSERT_NE(std::memchr(state.logFileName, 0, PATH_CAPACITY), nullptr);
        EXPECT_EQ(std::string(state.logFileName), c.expected);
        // A failed read leaves the field exactly as it was, bytes after the name included.
        if (c.stored.size() > PATH_CAPACITY) {
            EXPECT_EQ(std::memcmp(state.logFileName, before.logFileName, PATH_CAPACITY), 0);
        }
    }
}

TEST(SettingsSave, EachGroupWritesExactlyItsValuesInOrder) {
    struct Case {
        std::uint32_t groups;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {SETTINGS_LOG, {"Log", "Log File", "Interval", "Format"}},
        {SETTINGS_PORT, {"Port"}},
        {SETTINGS_COLORS, {"Colors"}},
        {SETTINGS_LOG | SETTINGS_COLORS, {"Log", "Log File", "Interval", "Format", "Colors"}},
        {SETTINGS_ALL, ALL_VALUES},
        {0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groups);
        MemoryStore memory;
        PutValue(memory, KEY, "Port", STORE_TYPE_WORD, Word(7));
        AppState state = StartState();
        EXPECT_TRUE(SaveSettingsTo(MemorySettingsStore(memory), state, c.groups));
        EXPECT_EQ(CallsOf(memory, "write"), c.writes);
        EXPECT_TRUE(memory.openKeys.empty());
    }
}

TEST(SettingsSave, TypesSizesAndByteLayouts) {
    AppState state = StartState();
    std::memset(state.logFileName, 0, PATH_CAPACITY);
    std::strcpy(state.logFileName, "C:\\a.txt");
    state.logEnabled = 1;
    state.intervalSeconds = 900;
    state.logFormat = 0x00010005;
    state.portNumber = VALUE_UNKNOWN;
    const std::uint32_t colors[4] = {0x00112233, 0x00445566, 0x00778899, 0x00AABBCC};
    std::memcpy(state.colors, colors, sizeof colors);
    MemoryStore memory;
    ASSERT_TRUE(SaveSettingsTo(MemorySettingsStore(memory), state, SETTINGS_ALL));
    EXPECT_EQ(CallsOf(memory, "create"), std::vector<std::string>{KEY});

    Bytes logFile(reinterpret_cast<const std::uint8_t*>(state.logFileName),
                  reinterpret_cast<const std::uint8_t*>(state.logFileName) + PATH_CAPACITY);
    const struct {
        const char* name;
        std::uint32_t type;
        Bytes bytes;
    } expected[] = {
        {"Log", STORE_TYPE_WORD, {1, 0, 0, 0}},
        {"Log File", STORE_TYPE_TEXT, logFile},
        {"Interval", STORE_TYPE_WORD, {0x84, 0x03, 0, 0}},
        {"Format", STORE_TYPE_WORD, {0x05, 0, 0x01, 0}},
        {"Port", STORE_TYPE_WORD, {0xFF, 0xFF, 0xFF, 0x7F}},
        {"Colors",
         STORE_TYPE_BINARY,
         {0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0, 0xCC, 0xBB, 0xAA, 0}},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const StoredValue* value = FindValue(memory, KEY, e.name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, e.type);
        EXPECT_EQ(value->bytes, e.bytes);
    }

    AppState loaded = StartState();
    EXPECT_TRUE(LoadSettingsFrom(MemorySettingsStore(memory), loaded, RegistrationDeclined));
    ExpectSameSettings(loaded, state);
}

TEST(SettingsSave, KeyThatCannotBeCreatedWritesNothing) {
    MemoryStore memory;
    memory.failCreate = true;
    AppState state = StartState();
    EXPECT_FALSE(SaveSettingsTo(MemorySettingsStore(memory), state, SETTINGS_ALL));
    EXPECT_TRUE(CallsOf(memory, "write").empty());
    EXPECT_TRUE(CallsOf(memory, "close").empty());
}

// The key is opened before StateLock is taken, and every write happens under it.
TEST(SettingsSave, WritesWaitForStateLockButTheOpenDoesNot) {
    MemoryStore memory;
    AppState state = StartState();
    StateLockEnter();
    bool saved = false;
    std::thread saver([&] { saved = SaveSettingsTo(MemorySettingsStore(memory), state, SETTINGS_ALL); });
    bool created = false;
    for (int i = 0; i < 500 && !created; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        created = !CallsOf(memory, "create").empty();
    }
    EXPECT_TRUE(created);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(CallsOf(memory, "write").empty());
    StateLockLeave();
    saver.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(CallsOf(memory, "write"), ALL_VALUES);
}

TEST(SettingsUninstall, WalksUpWhileParentsAreLeftWithoutSubkeys) {
    struct Case {
        const char* name;
        std::vector<std::string> before;
        StoreOpenResult openFailure;
        bool failDelete;
        bool failCount;
        bool result;
        std::vector<std::string> after;
    };
    const std::string PRODUCT = "Software\\KORVAN\\KX-205A";
    const Case cases[] = {
        {"nothing else under the maker",
         {KEY, "Software\\Wine"},
         STORE_OPENED,
         false,
         false,
         true,
         {"Software", "Software\\Wine"}},
        {"Software holds nothing else", {KEY}, STORE_OPENED, false, false, true, {"Software"}},
        {"another version beside 2.1",
         {KEY, PRODUCT + "\\2.0"},
         STORE_OPENED,
         false,
         false,
         true,
         {"Software", "Software\\KORVAN", PRODUCT, PRODUCT + "\\2.0"}},
        {"another product beside KX-205A",
         {KEY, "Software\\KORVAN\\KX-100"},
         STORE_OPENED,
         false,
         false,
         true,
         {"Software", "Software\\KORVAN", "Software\\KORVAN\\KX-100"}},
        {"2.1 missing",
         {PRODUCT},
         STORE_OPENED,
         false,
         false,
         false,
         {"Software", "Software\\KORVAN", PRODUCT}},
        {"nothing at all", {}, STORE_OPENED, false, false, false, {}},
        {"open fails",
         {KEY},
         STORE_OPEN_FAILED,
         false,
         false,
         false,
         {"Software", "Software\\KORVAN", PRODUCT, KEY}},
        {"delete fails",
         {KEY},
         STORE_OPENED,
         true,
         false,
         false,
         {"Software", "Software\\KORVAN", PRODUCT, KEY}},
        {"count fails after the delete",
         {KEY},
         STORE_OPENED,
         false,
         true,
         false,
         {"Software", "Software\\KORVAN", PRODUCT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStore memory;
        for (const std::string& path : c.before)
            AddKey(memory, path);
        // Values never keep a key from being deleted.
        for (const std::string& path : KeysOf(memory))
            PutValue(memory, path, "Wert", STORE_TYPE_WORD, Word(1));
        memory.openFailure = c.openFailure;
        memory.failDelete = c.failDelete;
        memory.failCount = c.failCount;
        EXPECT_EQ(UninstallSettingsFrom(MemorySettingsStore(memory)), c.result);
        std::vector<std::string> after = c.after;
        std::sort(after.begin(), after.end());
        EXPECT_EQ(KeysOf(memory), after);
        EXPECT_TRUE(memory.openKeys.empty());
    }
}
