// Opening the log file, with the empty-or-append question.
#pragma once

#include <windows.h>

struct AppState;

// True when logging is off, a file is already open, or the file was opened now (its handle in logFile).
// With retryWithDialog, a failure offers the logging dialog (owner-less) and tries again with its settings.
bool OpenLogFile(AppState& state, bool retryWithDialog);
