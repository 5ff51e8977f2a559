// The command line: accepted and rejected forms, their effect on the settings, and DDE topic lines.
#include <gtest/gtest.h>

#include "config/command_line.h"
#include "tests/unit/memory_settings_store.h"

// Loaded settings that no option sets by accident.
static AppState Loaded() {
    AppState state;
    FillDefaultState(state, nullptr, true, "C:\\kx205.TXT");
    state.intervalSeconds = 77, state.portNumber = 4, state.logFormat = 0x10000; // a comma-separated list
    return state;
}

static auto Fields(const AppState& s) {
    return std::tuple(s.intervalSeconds, s.portNumber, s.logFormat, std::string(s.logFileName), s.logEnabled);
}

TEST(CommandLine, AcceptedFormsAndTheirEffect) {
    // One character more than the field holds with its zero byte.
    const std::string longName(PATH_CAPACITY, 'x'), kept(PATH_CAPACITY - 1, 'x');
    // line, then interval, port, format, log file (null: unchanged and logging still off)
    const std::tuple<std::string, std::uint32_t, std::int32_t, std::uint32_t, const char*> cases[] = {
        {" \t\n\v\f\r", 77, 4, 0x10000, nullptr},
        {"-h01 -m30 -s05 -M30", 7205, 4, 0x10000, nullptr}, // repeated options add up
        {"-H00 -M00 -S00", 77, 4, 0x10000, nullptr},        // a zero sum keeps the interval
        {"-H99 -M59 -S59", 359999, 4, 0x10000, nullptr}, {"-p7", 77, 7, 0x10000, nullptr},
        {"-P3 -P0", 77, 4, 0x10000, nullptr}, // the last one counts, and 0 changes nothing
        {"-F1", 77, 4, 1, nullptr}, {"-F2 -f0", 77, 4, 0, nullptr},
        {"wind.txt other.txt", 77, 4, 0x10000, "other.txt"},
        {"\"C:\\Moje pomiary\\w.txt\"", 77, 4, 0x10000, "pomiary\\w.txt\""},
        {"-S05 log.csv -F1 -P2", 5, 2, 1, "log.csv"}, {longName, 77, 4, 0x10000, kept.c_str()},
        {"wind.txt -d -S09 -P5", 9, 5, 0x10000, "wind.txt"}, // saved once every option is applied
    };
    for (const auto& [line, interval, port, format, logFile] : cases) {
        MemoryStore memory;
        AppState state = Loaded(), stored = Loaded();
        ASSERT_TRUE(ParseCommandLine(state, line.c_str(), MemorySettingsStore(memory))) << line;
        EXPECT_EQ(Fields(state), std::tuple(interval, port, format, std::string(logFile ? logFile : "C:\\kx205.TXT"),
                                            logFile ? 1 : 0)) << line;
        bool save = line.find("-d") != std::string::npos;
        EXPECT_EQ(LoadSettingsFrom(MemorySettingsStore(memory), stored, nullptr), save) << line;
        EXPECT_EQ(Fields(stored), Fields(save ? state : Loaded())) << line;
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
        // A file name before the rejected token has been taken; the one after it has not.
        EXPECT_EQ(Fields(state), std::tuple(77u, 4, 0x10000u, std::string("first.txt"), 1)) << token;
        EXPECT_TRUE(memory.keys.empty()) << token;
    }
}

TEST(CommandLine, ProgramNameSkipped) {
    // A Windows-1250 letter (here \x8C, "Ś") is no blank, in the program's name or after it.
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Pomiary KX\\kx205.exe\"  \t\x8Cnie\xBFka.txt -D", "\x8Cnie\xBFka.txt -D"},
        {"C:\\\x8Cnie\xBFka\\kx205.exe -P3", "-P3"},
        {"kx205.exe\t\x8C.txt", "\x8C.txt"},
        {"\"C:\\kx205.exe\"-S05", "-S05"},
        {"\"C:\\no closing quote -D", ""},
        {"kx205.exe", ""},
        {"", ""},
    };
    for (const auto& [whole, arguments] : cases) EXPECT_STREQ(CommandLineArguments(whole), arguments) << whole;
}

TEST(CommandLine, DdeTopicNames) {
    const std::pair<const char*, bool> cases[] = {
        {"Pr\xEA" "dko\x9C\xE6#13330", true}, {"Kierunek#", true}, {"Kierunek#0", true}, {"Kierunek#12a", false},
        {"kierunek#12", false}, {"Kierunek#12 ", false}, {"Kierunek", false}, {"Kierunek 12", false},
        {" Kierunek#12", false}, {"Pr\xEA" "dko\x9C\xE6", false}, {"Predkosc#1", false}, {"", false}};
    for (const auto& [line, topic] : cases) EXPECT_EQ(IsDdeTopicCommandLine(line), topic) << line;
}
