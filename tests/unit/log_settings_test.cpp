// The logging dialog's interval fields and the log file chooser's extension rule.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "logging/log_settings.h"

TEST(ReadIntervalFields, Table) {
    struct Case {
        const char* hours;
        const char* minutes;
        const char* seconds;
        std::uint32_t total;
    };
    const Case cases[] = {
        {"00", "01", "00", 60},
        {"0", "0", "1", 1},
        {"00", "00", "00", 0}, // returned as 0: the OK rejects it after showing it in the status line
        {"100", "00", "00", 360000},
        {"01", "01", "01", 3661},
        {"0", "59", "59", 3599},
        {"0", "60", "0", INTERVAL_INVALID},
        {"0", "0", "60", INTERVAL_INVALID},
        {"", "00", "00", INTERVAL_INVALID},
        {"00", "", "00", INTERVAL_INVALID},
        {"00", "00", "", INTERVAL_INVALID},
        {" 2 ", "0", "0", 7200}, // surrounding spaces, as the platform's number reading allows
        {" ", "0", "0", INTERVAL_INVALID},
        {"1a", "0", "0", INTERVAL_INVALID},
        {"-1", "0", "0", INTERVAL_INVALID},
        {"+1", "0", "0", INTERVAL_INVALID},
        {"1 2", "0", "0", INTERVAL_INVALID},
        {"0", "0x1", "0", INTERVAL_INVALID},
        {"0", "1.5", "0", INTERVAL_INVALID},
        {"00000000000000000001", "0", "0", 3600}, // many digits, small value
        // The 32-bit limit: the largest total, the one that equals the rejection value, and past it.
        {"1193046", "28", "14", 4294967294u},
        {"1193046", "28", "15", INTERVAL_INVALID},
        {"1193047", "0", "0", INTERVAL_INVALID},
        {"4294967295", "0", "0", INTERVAL_INVALID},
        {"4294967296", "0", "0", INTERVAL_INVALID},
        {"0", "4294967296", "0", INTERVAL_INVALID},
        {"0", "0", "18446744073709551617", INTERVAL_INVALID}, // would wrap a 64-bit reading to 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IntervalFromFields(c.hours, c.minutes, c.seconds), c.total)
            << '"' << c.hours << "\" \"" << c.minutes << "\" \"" << c.seconds << '"';
    }
}

TEST(ShowIntervalFields, TableAndRoundTrip) {
    struct Case {
        std::uint32_t seconds;
        const char* h;
        const char* m;
        const char* s;
    };
    const Case cases[] = {
        {0, "00", "00", "00"},
        {1, "00", "00", "01"},
        {60, "00", "01", "00"},
        {3599, "00", "59", "59"},
        {3661, "01", "01", "01"},
        {360000, "100", "00", "00"},
        {4294967294u, "1193046", "28", "14"},
        {4294967295u, "1193046", "28", "15"},
    };
    for (const Case& c : cases) {
        IntervalFields fields = IntervalToFields(c.seconds);
        EXPECT_STREQ(fields.hours, c.h) << c.seconds;
        EXPECT_STREQ(fields.minutes, c.m) << c.seconds;
        EXPECT_STREQ(fields.seconds, c.s) << c.seconds;
        // What the dialog shows reads back as the same interval, except the one value reserved for rejection.
        std::uint32_t expected = c.seconds == INTERVAL_INVALID ? INTERVAL_INVALID : c.seconds;
        EXPECT_EQ(IntervalFromFields(fields.hours, fields.minutes, fields.seconds), expected) << c.seconds;
    }
}

TEST(LogFileExtension, CompletedByFilter) {
    struct Case {
        const char* chosen;
        int filter;
        const char* result;
    };
    const Case cases[] = {
        {"wiatr", LOG_FILTER_CSV, "wiatr.csv"},
        {"wiatr", LOG_FILTER_TEXT, "wiatr.txt"},
        {"wiatr", LOG_FILTER_ALL, "wiatr"},
        {"wiatr.dat", LOG_FILTER_CSV, "wiatr.dat"},
        {"wiatr.dat", LOG_FILTER_TEXT, "wiatr.dat"},
        {"wiatr.dat", LOG_FILTER_ALL, "wiatr.dat"},
        {"wiatr.txt", LOG_FILTER_CSV, "wiatr.txt"}, // never replaced
        {"C:\\Pomiary.2024\\wiatr", LOG_FILTER_CSV, "C:\\Pomiary.2024\\wiatr.csv"}, // a dot in a folder name
        {"C:\\Pomiary\\wiatr.", LOG_FILTER_TEXT, "C:\\Pomiary\\wiatr."}, // no extension wanted
        {"C:wiatr", LOG_FILTER_TEXT, "C:wiatr.txt"},
        {"\\\\serwer\\dane\\wiatr", LOG_FILTER_CSV, "\\\\serwer\\dane\\wiatr.csv"},
        {"wiatr", 0, "wiatr"}, // no filter reported
    };
    for (const Case& c : cases) {
        char name[260];
        std::strcpy(name, c.chosen);
        bool hasExtension = LogFileNameHasExtension(name);
        EXPECT_TRUE(CompleteLogFileName(name, sizeof name, c.filter, hasExtension)) << c.chosen;
        EXPECT_STREQ(name, c.result) << c.chosen << " filter " << c.filter;
    }
}

TEST(LogFileExtension, LongNamesNeverOverflow) {
    struct Case {
        std::size_t length; // of the chosen name, without extension
        int filter;
        bool accepted;
    };
    const Case cases[] = {
        {255, LOG_FILTER_CSV, true},  // 259 characters with ".csv": the buffer's limit
        {256, LOG_FILTER_CSV, false}, // would need 261 bytes
        {256, LOG_FILTER_TEXT, false},
        {259, LOG_FILTER_TEXT, false},
        {259, LOG_FILTER_ALL, true},  // nothing to add
    };
    for (const Case& c : cases) {
        // A guard area past the 260-byte buffer shows any write beyond it.
        char memory[300];
        std::memset(memory, '#', sizeof memory);
        std::string chosen(c.length, 'a');
        std::memcpy(memory, chosen.c_str(), c.length + 1);
        bool accepted = CompleteLogFileName(memory, 260, c.filter, false);
        EXPECT_EQ(accepted, c.accepted) << c.length;
        std::string expected = chosen + (accepted && c.filter == LOG_FILTER_CSV ? ".csv" : "");
        EXPECT_EQ(std::string(memory), expected) << c.length; // refused names are left as chosen
        EXPECT_EQ(std::string(memory + 260, 40), std::string(40, '#')) << c.length;
    }
    char unterminated[8];
    std::memset(unterminated, 'a', sizeof unterminated);
    EXPECT_FALSE(CompleteLogFileName(unterminated, sizeof unterminated, LOG_FILTER_ALL, false));
}
