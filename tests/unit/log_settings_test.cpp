// The logging dialog's interval fields and the log file chooser's extension rule.
#include <gtest/gtest.h>

#include <cstring>

#include "logging/log_settings.h"

TEST(IntervalFields, ReadAsSecondsAndShown) {
    const std::uint32_t INVALID = INTERVAL_INVALID;
    // hours, minutes, seconds, total
    const std::tuple<const char*, const char*, const char*, std::uint32_t> cases[] = {
        {"100", "00", "00", 360000}, {"01", "01", "01", 3661}, {" 2 ", "0", "0", 7200},
        {"9", "59", "59", 35999}, {"0", "60", "0", INVALID}, {"0", "0", "60", INVALID}, // 59 is the last
        {"00", "00", "00", 0}, // returned as 0: the dialog's OK rejects it after showing it
        // Pasted text is not held to digits by the edit control.
        {"", "00", "00", INVALID}, {"1a", "0", "0", INVALID}, {"-1", "0", "0", INVALID},
        // The 32-bit limit: the largest total, the one that equals the rejection value, and fields past it
        // (the last would wrap a 64-bit reading to 1).
        {"1193046", "28", "14", 4294967294u}, {"1193046", "28", "15", INVALID}, {"4294967296", "0", "0", INVALID},
        {"0", "0", "18446744073709551617", INVALID},
    };
    for (const auto& [hours, minutes, seconds, total] : cases) {
        EXPECT_EQ(IntervalFromFields(hours, minutes, seconds), total) << hours << ":" << minutes << ":" << seconds;
    }
    // Shown with at least two digits each, and read back.
    for (const auto& [seconds, text] : {std::pair(60u, "00:01:00"), std::pair(4294967294u, "1193046:28:14")}) {
        IntervalFields f = IntervalToFields(seconds);
        EXPECT_EQ(std::string(f.hours) + ":" + f.minutes + ":" + f.seconds, text);
        EXPECT_EQ(IntervalFromFields(f.hours, f.minutes, f.seconds), seconds);
    }
}

TEST(LogFileExtension, CompletedByFilterWithinTheBuffer) {
    const std::string n255(255, 'a'), n256(256, 'a');
    // chosen name, filter, accepted, name afterwards
    const std::tuple<std::string, int, bool, std::string> cases[] = {
        {"wiatr", LOG_FILTER_CSV, true, "wiatr.csv"}, {"wiatr", LOG_FILTER_TEXT, true, "wiatr.txt"},
        {"wiatr", LOG_FILTER_ALL, true, "wiatr"}, {"wiatr.dat", LOG_FILTER_CSV, true, "wiatr.dat"}, // never replaced
        // Only the last component counts, whichever separator ends the folder or drive before it.
        {"C:\\Pomiary.2024\\wiatr", LOG_FILTER_CSV, true, "C:\\Pomiary.2024\\wiatr.csv"},
        {"Pomiary.2024/wiatr", LOG_FILTER_TEXT, true, "Pomiary.2024/wiatr.txt"},
        {"x.y:wiatr", LOG_FILTER_CSV, true, "x.y:wiatr.csv"},
        {"C:\\Pomiary\\wiatr.", LOG_FILTER_TEXT, true, "C:\\Pomiary\\wiatr."}, // the user asked for none
        {n255, LOG_FILTER_CSV, true, n255 + ".csv"}, // 259 characters: the most the buffer holds
        {n256, LOG_FILTER_TEXT, false, n256}, {n256, LOG_FILTER_ALL, true, n256}, // .txt would not fit: refused
    };
    for (const auto& [chosen, filter, accepted, result] : cases) {
        // A guard area past the 260-byte buffer shows any write beyond it.
        char memory[300];
        std::memset(memory, '#', sizeof memory);
        std::memcpy(memory, chosen.c_str(), chosen.size() + 1);
        EXPECT_EQ(CompleteLogFileName(memory, 260, filter, LogFileNameHasExtension(memory)), accepted) << chosen;
        EXPECT_EQ(std::string(memory) + std::string(memory + 260, 40), result + std::string(40, '#')) << chosen;
    }
}
