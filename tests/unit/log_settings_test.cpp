// The logging dialog's interval fields and the log file chooser's extension rule.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "logging/log_settings.h"

TEST(IntervalFields, ReadAsSeconds) {
    struct Case {
        const char* hours;
        const char* minutes;
        const char* seconds;
        std::uint32_t total;
    };
    const Case cases[] = {
        {"100", "00", "00", 360000},
        {"00", "01", "00", 60},
        {"01", "01", "01", 3661},
        {"00", "00", "00", 0}, // returned as 0: the dialog's OK rejects it after showing it
        {" 2 ", "0", "0", 7200},
        {"0", "60", "0", INTERVAL_INVALID}, // minutes and seconds stop at 59
        {"0", "0", "60", INTERVAL_INVALID},
        {"", "00", "00", INTERVAL_INVALID},
        {"1a", "0", "0", INTERVAL_INVALID}, // pasted text is not held to digits by the edit control
        {"-1", "0", "0", INTERVAL_INVALID},
        // The 32-bit limit: the largest total, the one that equals the rejection value, and a field past it.
        {"1193046", "28", "14", 4294967294u},
        {"1193046", "28", "15", INTERVAL_INVALID},
        {"4294967296", "0", "0", INTERVAL_INVALID},
        {"0", "0", "18446744073709551617", INTERVAL_INVALID}, // would wrap a 64-bit reading to 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IntervalFromFields(c.hours, c.minutes, c.seconds), c.total)
            << '"' << c.hours << "\" \"" << c.minutes << "\" \"" << c.seconds << '"';
    }
}

TEST(IntervalFields, ShownWithTwoDigitsAndReadBack) {
    IntervalFields sixty = IntervalToFields(60);
    EXPECT_EQ(std::string(sixty.hours) + ":" + sixty.minutes + ":" + sixty.seconds, "00:01:00");
    for (std::uint32_t seconds : {0u, 60u, 3661u, 360000u, 4294967294u}) {
        IntervalFields f = IntervalToFields(seconds);
        EXPECT_EQ(IntervalFromFields(f.hours, f.minutes, f.seconds), seconds);
    }
}

TEST(LogFileExtension, CompletedByFilterWithinTheBuffer) {
    const std::string n255(255, 'a'), n256(256, 'a');
    struct Case {
        std::string chosen;
        int filter;
        bool accepted;
        std::string result;
    };
    const Case cases[] = {
        {"wiatr", LOG_FILTER_CSV, true, "wiatr.csv"},
        {"wiatr", LOG_FILTER_TEXT, true, "wiatr.txt"},
        {"wiatr", LOG_FILTER_ALL, true, "wiatr"},
        {"wiatr.dat", LOG_FILTER_CSV, true, "wiatr.dat"}, // an extension is never replaced
        {"C:\\Pomiary.2024\\wiatr", LOG_FILTER_CSV, true, "C:\\Pomiary.2024\\wiatr.csv"},
        {"C:\\Pomiary\\wiatr.", LOG_FILTER_TEXT, true, "C:\\Pomiary\\wiatr."}, // the user asked for none
        {n255, LOG_FILTER_CSV, true, n255 + ".csv"}, // 259 characters: the most the buffer holds
        {n256, LOG_FILTER_TEXT, false, n256},         // refused and left as chosen, not cut
        {n256, LOG_FILTER_ALL, true, n256},
    };
    for (const Case& c : cases) {
        // A guard area past the 260-byte buffer shows any write beyond it.
        char memory[300];
        std::memset(memory, '#', sizeof memory);
        std::memcpy(memory, c.chosen.c_str(), c.chosen.size() + 1);
        bool hasExtension = LogFileNameHasExtension(memory);
        EXPECT_EQ(CompleteLogFileName(memory, 260, c.filter, hasExtension), c.accepted) << c.chosen;
        EXPECT_EQ(std::string(memory), c.result);
        EXPECT_EQ(std::string(memory + 260, 40), std::string(40, '#')) << c.chosen;
    }
}
