// The logging dialog's interval field rules and the log file chooser's extension rule.
#include "logging/log_settings.h"

#include <cstdio>
#include <cstring>

namespace {

// A field's number, or false. Digits only (ES_NUMBER keeps typing to digits, but pasted text is not checked),
// so signs, letters and anything after the number make the field invalid rather than being skipped.
bool ReadField(const char* text, std::uint64_t& value) {
    while (*text == ' ') ++text;
    if (*text < '0' || *text > '9') return false;
    value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<unsigned>(*text - '0');
        if (value > 0xFFFFFFFFu) return false;
    }
    while (*text == ' ') ++text;
    return *text == '\0';
}

} // namespace

std::uint32_t IntervalFromFields(const char* hours, const char* minutes, const char* seconds) {
    std::uint64_t h = 0, m = 0, s = 0;
    if (!ReadField(hours, h) || !ReadField(minutes, m) || !ReadField(seconds, s)) return INTERVAL_INVALID;
    if (m > 59 || s > 59) return INTERVAL_INVALID;
    // Each part is below 2^32, so the 64-bit sum cannot wrap.
    std::uint64_t total = h * 3600 + m * 60 + s;
    if (total >= INTERVAL_INVALID) return INTERVAL_INVALID;
    return static_cast<std::uint32_t>(total);
}

IntervalFields IntervalToFields(std::uint32_t seconds) {
    IntervalFields fields;
    std::snprintf(fields.hours, sizeof fields.hours, "%02lu", static_cast<unsigned long>(seconds / 3600));
    std::snprintf(fields.minutes, sizeof fields.minutes, "%02lu",
                  static_cast<unsigned long>(seconds % 3600 / 60));
    std::snprintf(fields.seconds, sizeof fields.seconds, "%02lu", static_cast<unsigned long>(seconds % 60));
    return fields;
}

bool LogFileNameHasExtension(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    }
    return std::strchr(name, '.') != nullptr;
}

bool CompleteLogFileName(char* name, std::size_t capacity, int filterIndex, bool hasExtension) {
    const char* extension = "";
    if (!hasExtension && filterIndex == LOG_FILTER_CSV) extension = ".csv";
    if (!hasExtension && filterIndex == LOG_FILTER_TEXT) extension = ".txt";
    std::size_t length = 0;
    while (length < capacity && name[length] != '\0') ++length;
    std::size_t added = std::strlen(extension);
    if (length >= capacity || added > capacity - 1 - length) return false;
    std::memcpy(name + length, extension, added + 1);
    return true;
}
