// The command line: every accepted and rejected form, its effect on the settings, and DDE topic lines.
#include <gtest/gtest.h>

#include <string>

#include "config/command_line.h"
#include "tests/unit/memory_settings_store.h"

namespace {

// Loaded settings that no option sets by accident.
AppState Loaded() {
    AppState state;
    FillDefaultState(state, nullptr, true, "C:\\kx205.TXT");
    state.intervalSeconds = 77;
    state.portNumber = 4;
    state.logFormat = 0x10000; // comma-separated list
    return state;
}

} // namespace

TEST(CommandLine, AcceptedFormsAndTheirEffect) {
    struct Case {
        const char* line;
        std::uint32_t interval;
        std::int32_t port;
        std::uint32_t format;
        const char* logFile; // nullptr: unchanged and logging still off
    };
    const Case cases[] = {
        {"", 77, 4, 0x10000, nullptr},
        {"  \t ", 77, 4, 0x10000, nullptr},
        {"-h01 -m30", 5400, 4, 0x10000, nullptr},
        {"-S00", 77, 4, 0x10000, nullptr},
        {"-H00 -M00 -S01", 1, 4, 0x10000, nullptr},
        {"-H99 -M59 -S59", 359999, 4, 0x10000, nullptr},
        {"-M30 -M30", 3600, 4, 0x10000, nullptr},
        {"-P0", 77, 4, 0x10000, nullptr},
        {"-p7", 77, 7, 0x10000, nullptr},
        {"-P3 -P0", 77, 4, 0x10000, nullptr},
        {"-P0 -P3", 77, 3, 0x10000, nullptr},
        {"-F1", 77, 4, 1, nullptr},
        {"-f0", 77, 4, 0, nullptr},
        {"-F2 -F0", 77, 4, 0, nullptr},
        {"wind.txt other.txt", 77, 4, 0x10000, "other.txt"},
        {"\"C:\\Moje pomiary\\w.txt\"", 77, 4, 0x10000, "pomiary\\w.txt\""},
        {"wind.txt   \t\r\n", 77, 4, 0x10000, "wind.txt"},
        {"Kierunek#12a", 77, 4, 0x10000, "Kierunek#12a"},
        {"kierunek#12", 77, 4, 0x10000, "kierunek#12"},
        {"Kierunek#12 ", 77, 4, 0x10000, "Kierunek#12"},
        {"-S05 log.csv -F1 -P2", 5, 2, 1, "log.csv"},
    };
    for (const Case& c : cases) {
        MemoryStore memory;
        AppState state = Loaded();
        ASSERT_TRUE(ParseCommandLine(state, c.line, MemorySettingsStore(memory))) << c.line;
        EXPECT_EQ(state.intervalSeconds, c.interval) << c.line;
        EXPECT_EQ(state.portNumber, c.port) << c.line;
        EXPECT_EQ(state.logFormat, c.format) << c.line;
        EXPECT_STREQ(state.logFileName, c.logFile ? c.logFile : "C:\\kx205.TXT") << c.line;
        EXPECT_EQ(state.logEnabled, c.logFile ? 1 : 0) << c.line;
        EXPECT_TRUE(memory.empty()) << c.line << ": saved without -D";
    }
}

TEST(CommandLine, RejectedTokensStopParsingAndApplyNoOption) {
    const char* rejected[] = {"-H1", "-H001", "-Hx1", "-F3", "-F12", "-P10", "-Dx", "-", "-X", "-M60", "-S75",
                              "-S5", "-P", "-F", "-H\xB9" "1", "-M-1", "-S+1"};
    for (const char* token : rejected) {
        MemoryStore memory;
        AppState state = Loaded();
        std::string line = std::string("-M10 -P2 -F1 -D first.txt ") + token + " second.txt";
        EXPECT_FALSE(ParseCommandLine(state, line.c_str(), MemorySettingsStore(memory))) << token;
        EXPECT_EQ(state.intervalSeconds, 77u) << token;
        EXPECT_EQ(state.portNumber, 4) << token;
        EXPECT_EQ(state.logFormat, 0x10000u) << token;
        // A file name before the rejected token has been taken; the one after it has not.
        EXPECT_STREQ(state.logFileName, "first.txt") << token;
        EXPECT_TRUE(memory.empty()) << token;
    }
}

TEST(CommandLine, LongFileNameIsCutTo259Characters) {
    MemoryStore memory;
    AppState state = Loaded();
    std::string name(300, 'x');
    ASSERT_TRUE(ParseCommandLine(state, name.c_str(), MemorySettingsStore(memory)));
    EXPECT_EQ(std::string(state.logFileName), name.substr(0, 259));
}

TEST(CommandLine, SaveStoresEverySettingAfterTheOptionsApply) {
    MemoryStore memory;
    AppState state = Loaded();
    ASSERT_TRUE(ParseCommandLine(state, "wind.txt -d -S09 -P5", MemorySettingsStore(memory)));
    AppState loaded;
    FillDefaultState(loaded, nullptr, true, "");
    ASSERT_TRUE(LoadSettingsFrom(MemorySettingsStore(memory), loaded, nullptr));
    EXPECT_STREQ(loaded.logFileName, "wind.txt");
    EXPECT_EQ(loaded.logEnabled, 1);
    EXPECT_EQ(loaded.intervalSeconds, 9u);
    EXPECT_EQ(loaded.portNumber, 5);
    EXPECT_EQ(loaded.logFormat, 0x10000u);
}

TEST(CommandLine, DdeTopicNames) {
    struct Case {
        const char* line;
        bool topic;
    };
    const Case cases[] = {
        {"Pr\xEA" "dko\x9C\xE6#13330", true}, {"Kierunek#", true},      {"Kierunek#0", true},
        {"Kierunek#12a", false},               {"kierunek#12", false},   {"Kierunek#12 ", false},
        {"Kierunek", false},                   {"Kierunek 12", false},   {" Kierunek#12", false},
        {"Pr\xEA" "dko\x9C\xE6", false},       {"Predkosc#1", false},    {"", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsDdeTopicCommandLine(c.line), c.topic) << c.line;
}
