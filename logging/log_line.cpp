// Log line composition.
#include "logging/log_line.h"

#include <cstdio>
#include <cstring>

#include "app/app_state.h"
#include "presentation/value_text.h"

namespace {

struct Line {
    char* text;
    int length;
};

// Appends at most limit - length - 1 characters, so the line never reaches limit with its terminator.
void Append(Line& line, const char* text, int limit) {
    int room = limit - line.length - 1;
    int n = 0;
    while (n < room && text[n] != '\0') {
        line.text[line.length + n] = text[n];
        ++n;
    }
    line.length += n;
    line.text[line.length] = '\0';
}

} // namespace

void CsvDateText(const LogClock& clock, char* out, int capacity) {
    std::snprintf(out, static_cast<size_t>(capacity), "%04d.%02d.%02d", clock.year % 10000, clock.month % 100,
                  clock.day % 100);
}

void CsvTimeText(const LogClock& clock, char* out, int capacity) {
    std::snprintf(out, static_cast<size_t>(capacity), "%02d:%02d:%02d", clock.hour % 100, clock.minute % 100,
                  clock.second % 100);
}

int ComposeLogLine(char* text, const LogRecord& record) {
    const char* separator = record.csv ? "," : "\t";
    int bound = record.csv ? LOG_CSV_DATE_TIME_BOUND : LOG_TEXT_DATE_TIME_BOUND;
    Line line{text, 0};
    text[0] = '\0';
    if (record.header) {
        char header[64];
        std::snprintf(header, sizeof header, "Data i Godzina%sPrędkość[m/s]%sKierunek[°]\r\n", separator, separator);
        Append(line, header, LOG_LINE_CAPACITY);
    }
    Append(line, record.date, bound);
    Append(line, " ", LOG_LINE_CAPACITY);
    Append(line, record.time, bound);
    Append(line, separator, LOG_LINE_CAPACITY);
    const std::int32_t values[2] = {record.speed, record.direction};
    for (int q = 0; q < 2; ++q) {
        char value[VALUE_TEXT_CAPACITY];
        FormatValueText(0, values[q], q, false, value, record.csv ? '.' : record.decimalSeparator, record.leadingZero);
        Append(line, value, LOG_LINE_CAPACITY);
        Append(line, separator, LOG_LINE_CAPACITY);
    }
    line.length -= 1; // no separator after the direction
    line.text[line.length] = '\0';
    Append(line, "\r\n", LOG_LINE_CAPACITY);
    return line.length;
}
