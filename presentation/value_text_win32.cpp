// Reads the user's number settings at every call, so a change in the system settings shows at once.
#include "presentation/value_text_win32.h"

#include "presentation/value_text.h"

DWORD FormatValue(int status, LONG value, int quantity, BOOL withUnit, char* out, BOOL csv) {
    // The separator is taken as one character; of a longer one only the first is used.
    char separator = '.';
    char user[8];
    if (!csv && GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, user, sizeof user) > 1) {
        separator = user[0];
    }
    char leadingZero[8] = "1";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILZERO, leadingZero, sizeof leadingZero);
    return FormatValueText(status, value, quantity, withUnit != FALSE, out, separator, leadingZero[0] != '0');
}

void MeasurementStatusText(HWND target, int status) { SetWindowTextA(target, MeasurementStatusString(status)); }

void LogStatusText(HWND target, BOOL enabled, DWORD seconds, int status) {
    char text[LOG_STATUS_TEXT_CAPACITY];
    SetWindowTextA(target, LogStatusString(text, enabled != FALSE, seconds, status));
}
