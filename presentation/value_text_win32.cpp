// Reads the user's number settings at every call, so a change in the system settings shows at once.
#include "presentation/value_text_win32.h"

#include "presentation/value_text.h"

void ReadNumberLocale(char& decimalSeparator, bool& leadingZero) {
    // The separator is taken as one character; of a longer one only the first is used.
    char text[8];
    decimalSeparator = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, sizeof text) > 1 ? text[0] : '.';
    leadingZero = !(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILZERO, text, sizeof text) > 1 && text[0] == '0');
}

DWORD FormatValue(int status, LONG value, int quantity, BOOL withUnit, char* out, BOOL csv) {
    char separator;
    bool leadingZero;
    ReadNumberLocale(separator, leadingZero);
    return FormatValueText(status, value, quantity, withUnit != FALSE, out, csv ? '.' : separator, leadingZero);
}

void MeasurementStatusText(HWND target, int status) { SetWindowTextA(target, MeasurementStatusString(status)); }

void LogStatusText(HWND target, BOOL enabled, DWORD seconds, int status) {
    char text[LOG_STATUS_TEXT_CAPACITY];
    SetWindowTextA(target, LogStatusString(text, enabled != FALSE, seconds, status));
}
