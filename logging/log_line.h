// The log file's lines: the title line and one record of date, time, speed and direction, as bytes.
#pragma once

#include <cstdint>

// Room for the title line and one record with the longest date and time the bounds allow.
constexpr int LOG_LINE_CAPACITY = 256;
constexpr int LOG_TEXT_DATE_TIME_BOUND = 100; // the date and the time may fill the line up to here
constexpr int LOG_CSV_DATE_TIME_BOUND = 200;

struct LogClock {
    int year, month, day, hour, minute, second;
};

// The fixed pictures of the CSV kind, "yyyy.MM.dd" and "HH:mm:ss", whatever the user's locale says.
void CsvDateText(const LogClock& clock, char* out, int capacity);
void CsvTimeText(const LogClock& clock, char* out, int capacity);

struct LogRecord {
    bool header;          // put the title line in front
    bool csv;             // CSV kind: comma and "."; otherwise Text kind: TAB and the user's separator
    const char* date;     // already formatted: the user's short date, or the CSV picture
    const char* time;
    std::int32_t speed;   // tenths of m/s, or VALUE_UNKNOWN
    std::int32_t direction;
    char decimalSeparator; // the user's; the CSV kind uses "." whatever this says
    bool leadingZero;
};

// Composes what one write appends to the file; returns its length in bytes (no terminator is written).
// A date or time longer than the room left under the kind's bound is cut to fit.
int ComposeLogLine(char* line, const LogRecord& record);
