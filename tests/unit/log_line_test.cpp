// Log lines as the bytes that reach the file, and the CSV kind's date and time pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app_state.h"
#include "logging/log_line.h"

TEST(LogLine, CsvPicturesAndRecords) {
    // Out-of-range numbers keep their last digits, so the CSV pictures never grow.
    const LogClock clock{12007, 103, 105, 109, 107, 103};
    char date[16], time[16];
    CsvDateText(clock, date, sizeof date);
    CsvTimeText(clock, time, sizeof time);
    const std::string csvHeader = "Data i Godzina,Pr\xEA" "dko\x9C\xE6[m/s],Kierunek[\xB0]\r\n";
    const std::string textHeader = "Data i Godzina\tPr\xEA" "dko\x9C\xE6[m/s]\tKierunek[\xB0]\r\n";
    const std::string longDate(250, 'D'), longTime(250, 'T');
    const char *D = longDate.c_str(), *T = longTime.c_str();
    const std::tuple<const char*, LogRecord, std::string> cases[] = {
        {"CSV header and record", {true, true, date, time, 123, 270, ',', true},
         csvHeader + "2007.03.05 09:07:03,12.3,270\r\n"},
        {"CSV, both missing", {false, true, date, time, VALUE_UNKNOWN, VALUE_UNKNOWN, ',', true},
         "2007.03.05 09:07:03,?????,?????\r\n"},
        {"CSV, no leading zero", {false, true, date, time, 5, 3, ',', false}, "2007.03.05 09:07:03,.5,3\r\n"},
        {"Text header and record", {true, false, "2007-03-05", "09:07:03", 123, 270, ',', true},
         textHeader + "2007-03-05 09:07:03\t12,3\t270\r\n"},
        // Date and time together fill the line at most to the kind's bound, header included; the date takes
        // what room there is first.
        {"Text, long date and time", {true, false, D, T, 123, 270, ',', true},
         textHeader + std::string(99 - textHeader.size(), 'D') + " \t12,3\t270\r\n"},
        {"CSV, long date and time", {false, true, D, T, 123, 270, ',', true}, std::string(199, 'D') + " ,12.3,270\r\n"},
    };
    for (const auto& [name, record, bytes] : cases) {
        char line[LOG_LINE_CAPACITY];
        std::memset(line, 'x', sizeof line);
        EXPECT_EQ(std::string(line, static_cast<size_t>(ComposeLogLine(line, record))), bytes) << name;
        EXPECT_EQ(std::strlen(line), bytes.size()) << name; // terminated where it ends
    }
}
