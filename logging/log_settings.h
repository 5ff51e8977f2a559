// The logging dialog's portable rules: the interval fields (hours, minutes, seconds) to and from seconds,
// and how the log file chooser completes a name that has no extension.
#pragma once

#include <cstddef>
#include <cstdint>

// ReadInterval's answer for fields that do not make an interval.
constexpr std::uint32_t INTERVAL_INVALID = 0xFFFFFFFFu;

// Room for one field's text: the hours of the largest 32-bit interval have seven digits.
constexpr int INTERVAL_FIELD_CAPACITY = 12;

struct IntervalFields {
    char hours[INTERVAL_FIELD_CAPACITY];
    char minutes[INTERVAL_FIELD_CAPACITY];
    char seconds[INTERVAL_FIELD_CAPACITY];
};

// The seconds that the three field texts give, or INTERVAL_INVALID. A field reads as a number when it holds
// one or more decimal digits, optionally between spaces, and its value fits in 32 bits; minutes and seconds
// must be at most 59. Hours have no bound of their own: a total that does not fit in 32 bits (or that would
// equal INTERVAL_INVALID) is rejected. A total of 0 is returned as 0; the dialog's OK rejects it.
std::uint32_t IntervalFromFields(const char* hours, const char* minutes, const char* seconds);

// The three field texts of an interval, each at least two digits: 60 gives "00", "01", "00".
IntervalFields IntervalToFields(std::uint32_t seconds);

// Filters of the log file chooser, by their 1-based index.
constexpr int LOG_FILTER_CSV = 1;
constexpr int LOG_FILTER_TEXT = 2;
constexpr int LOG_FILTER_ALL = 3;

// Whether the last component of a path has an extension. A trailing dot counts as an (empty) one: on Windows
// "wiatr." names the file wiatr, so the user asked for no extension and none is added.
bool LogFileNameHasExtension(const char* path);

// Completes the chooser's name in place: a name without an extension gets ".csv" under filter 1 and ".txt"
// under filter 2; under any other filter, or with an extension, the name stays as chosen (an extension is
// never replaced). Returns false, leaving name untouched, when the completed name would not fit in capacity
// characters with its terminating NUL: the chooser then counts as failed and the caller keeps the name it
// had. Cutting instead would silently name another file or drop the extension the filter promised.
bool CompleteLogFileName(char* name, std::size_t capacity, int filterIndex, bool hasExtension);
