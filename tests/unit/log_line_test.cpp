// Log lines as the bytes that reach the file.
#include <gtest/gtest.h>

#include <string>

#include "app/app_state.h"
#include "logging/log_line.h"

namespace {

std::string Compose(const LogRecord& r) {
    char line[LOG_LINE_CAPACITY];
    int n = ComposeLogLine(line, r);
    EXPECT_EQ(static_cast<size_t>(n), std::string(line).size());
    return std::string(line, static_cast<size_t>(n));
}

const char CSV_HEADER[] = "Data i Godzina,Pr\xEA" "dko\x9C\xE6[m/s],Kierunek[\xB0]\r\n";

} // namespace

TEST(LogLine, WorkedExamples) {
    LogClock clock{2007, 3, 5, 9, 7, 3};
    char date[16], time[16];
    CsvDateText(clock, date, sizeof date);
    CsvTimeText(clock, time, sizeof time);
    struct Case {
        const char* name;
        LogRecord record;
        std::string bytes;
    };
    const Case cases[] = {
        {"CSV header and record", {true, true, date, time, 123, 270, ',', true},
         std::string(CSV_HEADER) + "2007.03.05 09:07:03,12.3,270\r\n"},
        {"CSV record, both missing", {false, true, date, time, VALUE_UNKNOWN, VALUE_UNKNOWN, ',', true},
         "2007.03.05 09:07:03,?????,?????\r\n"},
        {"one value missing", {false, true, date, time, 5, VALUE_UNKNOWN, ',', false}, "2007.03.05 09:07:03,.5,?????\r\n"},
        {"Text header and record", {true, false, "2007-03-05", "09:07:03", 123, 270, ',', true},
         "Data i Godzina\tPr\xEA" "dko\x9C\xE6[m/s]\tKierunek[\xB0]\r\n2007-03-05 09:07:03\t12,3\t270\r\n"},
        {"negative values", {false, false, "d", "t", -15, -3, ',', true}, "d t\t-1,5\t-3\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(Compose(c.record), c.bytes) << c.name;
    EXPECT_EQ(std::string(CSV_HEADER).size(), 42u);
    EXPECT_EQ(Compose(cases[0].record).size(), 72u);
}

TEST(LogLine, LongDateAndTimeStayWithinTheirBound) {
    std::string longDate(150, 'D'), longTime(150, 'T');
    // Text kind: date and time together fill the line at most to 99 characters after the header.
    std::string text = Compose({true, false, longDate.c_str(), longTime.c_str(), 123, 270, ',', true});
    std::string header = "Data i Godzina\tPr\xEA" "dko\x9C\xE6[m/s]\tKierunek[\xB0]\r\n";
    ASSERT_EQ(text.compare(0, header.size(), header), 0);
    size_t tab = text.find('\t', header.size());
    ASSERT_NE(tab, std::string::npos);
    EXPECT_LE(tab, 100u);
    EXPECT_EQ(text.substr(tab), "\t12,3\t270\r\n");
    // CSV kind: bound 200, and the record still ends whole.
    std::string csv = Compose({false, true, longDate.c_str(), longTime.c_str(), 123, 270, ',', true});
    EXPECT_LE(csv.find(','), 200u);
    EXPECT_EQ(csv.substr(csv.size() - 11), ",12.3,270\r\n");
}

TEST(LogLine, FormatWordSelectsTheKind) {
    const struct {
        std::uint32_t logFormat;
        bool csv;
    } cases[] = {{0, false}, {1, false}, {2, false}, {0xFFFF, false}, {0x10000, true}, {0x20000, true}, {0x10001, true}};
    for (const auto& c : cases) EXPECT_EQ(LogFormatIsCsv(c.logFormat), c.csv) << std::hex << c.logFormat;
}
