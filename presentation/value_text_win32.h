// Value and status texts with the user's regional settings, put into controls.
#pragma once

#include <windows.h>

// The user's decimal separator (one character) and leading-zero setting, read anew at every call so a
// change in the system settings shows at once.
void ReadNumberLocale(char& decimalSeparator, bool& leadingZero);

// out holds at least 20 characters. Reads the user's decimal separator and leading-zero setting anew.
DWORD FormatValue(int status, LONG value, int quantity, BOOL withUnit, char* out, BOOL csv);

void MeasurementStatusText(HWND target, int status);
void LogStatusText(HWND target, BOOL enabled, DWORD seconds, int status);
