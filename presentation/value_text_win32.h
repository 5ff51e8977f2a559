// Value and status texts with the user's regional settings, put into controls.
#pragma once

#include <windows.h>

// out holds at least 20 characters. Reads the user's decimal separator and leading-zero setting anew.
DWORD FormatValue(int status, LONG value, int quantity, BOOL withUnit, char* out, BOOL csv);

void MeasurementStatusText(HWND target, int status);
void LogStatusText(HWND target, BOOL enabled, DWORD seconds, int status);
