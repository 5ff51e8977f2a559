// LoggerThread: snapshot under the lock, compose without it, write and flush under it, show the outcome.
#include "logging/log_writer_win32.h"

#include <cstring>

#include "app/app_state.h"
#include "resources/resource.h"
#include "logging/log_line.h"
#include "presentation/value_text.h"
#include "presentation/value_text_win32.h"

bool Stopping(const AppState& state) {
    return WaitForSingleObject(state.stopEvent, 0) == WAIT_OBJECT_0;
}

namespace {

struct Snapshot {
    bool enabled;
    DWORD interval;
    std::uint32_t format;
    std::int32_t speed, direction;
};

void DateAndTime(bool csv, char* date, char* time, int capacity) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (csv) {
        LogClock clock{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
        CsvDateText(clock, date, capacity);
        CsvTimeText(clock, time, capacity);
        return;
    }
    if (GetDateFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, date, capacity) == 0) date[0] = '\0';
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, capacity) == 0) time[0] = '\0';
}

// Returns the LogStatus of the attempt. Written and flushed under the lock, so nobody closes or replaces
// the file in between and a record reported as written is on disk. A write that did not take the whole line
// (a full disk takes what still fits) is undone: the file keeps ending in a whole record, and the next
// record does not continue half of this one.
int WriteRecord(AppState& state, const char* line, int length) {
    StateLocked lock;
    if (state.logFile == InvalidHandle() || state.logFile == nullptr) return LOG_STATUS_NO_FILE;
    int status = LOG_STATUS_OK;
    LARGE_INTEGER start{}, none{};
    bool positioned = SetFilePointerEx(state.logFile, none, &start, FILE_CURRENT) != FALSE;
    DWORD written = 0;
    if (!WriteFile(state.logFile, line, static_cast<DWORD>(length), &written, nullptr) ||
        written != static_cast<DWORD>(length)) {
        status = LOG_STATUS_WRITE_FAILED;
        if (positioned && SetFilePointerEx(state.logFile, start, nullptr, FILE_BEGIN)) SetEndOfFile(state.logFile);
    }
    if (!FlushFileBuffers(state.logFile)) status = LOG_STATUS_FLUSH_FAILED;
    return status;
}

// Counts intervalSeconds one-second steps, each after the event lets us through; a change of the
// interval during the wait takes effect at the next step. False as soon as the stop comes.
bool WaitInterval(AppState& state) {
    HANDLE stopOrLog[2] = {state.stopEvent, state.logEvent};
    DWORD count = 0, interval = 0;
    do {
        if (WaitForMultipleObjects(2, stopOrLog, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return false;
        if (WaitForSingleObject(state.stopEvent, 1000) != WAIT_TIMEOUT) return false;
        {
            StateLocked lock;
            interval = state.intervalSeconds;
        }
        ++count;
    } while (count < interval);
    return true;
}

} // namespace

DWORD WINAPI LoggerThread(LPVOID appState) {
    AppState& state = *static_cast<AppState*>(appState);
    char fileName[PATH_CAPACITY];
    {
        StateLocked lock;
        std::memcpy(fileName, state.logFileName, PATH_CAPACITY);
    }
    bool headerPending = true;
    char line[LOG_LINE_CAPACITY];
    while (!Stopping(state)) {
        Snapshot s;
        {
            StateLocked lock;
            if (std::strncmp(state.logFileName, fileName, PATH_CAPACITY) != 0) {
                std::memcpy(fileName, state.logFileName, PATH_CAPACITY);
                headerPending = true;
            }
            s = {state.logEnabled != 0, state.intervalSeconds, state.logFormat, state.speed, state.direction};
        }
        HWND statusLine = GetDlgItem(state.mainWindow, IDC_LOG_STATUS);
        if (!s.enabled) {
            LogStatusText(statusLine, FALSE, 0, LOG_STATUS_OK);
        } else {
            bool csv = LogFormatIsCsv(s.format);
            char date[128], time[128];
            DateAndTime(csv, date, time, sizeof date);
            char separator;
            bool leadingZero;
            ReadNumberLocale(separator, leadingZero);
            // The header goes with this write whatever becomes of it: a dropped record drops its header too.
            int length = ComposeLogLine(line, {headerPending, csv, date, time, s.speed, s.direction, separator, leadingZero});
            headerPending = false;
            LogStatusText(statusLine, TRUE, s.interval, WriteRecord(state, line, length));
        }
        if (!WaitInterval(state)) break;
    }
    return 0;
}
