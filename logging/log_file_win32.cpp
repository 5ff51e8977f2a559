// OpenLogFile: open or create the file, ask whether an existing one is emptied or appended to, and on
// failure let the user change the settings and try again.
#include "logging/log_file_win32.h"

#include "app/app_state.h"
#include "logging/log_settings_dialog_win32.h"
#include "resources/resource.h"

namespace {

// Write access, shared with nobody, opened if it exists and created if not.
HANDLE OpenOrCreate(const char* name, bool& existed) {
    HANDLE file = CreateFileA(name, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    existed = GetLastError() == ERROR_ALREADY_EXISTS;
    return file;
}

} // namespace

bool OpenLogFile(AppState& state, bool retryWithDialog) {
    bool result = true;
    bool enabled;
    HANDLE file;
    {
        StateLocked lock;
        enabled = state.logEnabled != 0;
        file = state.logFile;
    }
    while (enabled && file == INVALID_HANDLE_VALUE) {
        bool existed = false;
        HANDLE opened = OpenOrCreate(state.logFileName, existed);
        if (opened == INVALID_HANDLE_VALUE) {
            MessageBoxA(state.mainWindow, "Wybrany plik rejestracji wyników pomiaru jest niedostępny.", APP_CAPTION,
                        MB_ICONWARNING);
        } else if (!existed) {
            file = opened;
            continue;
        } else {
            int answer = MessageBoxA(state.mainWindow, "Plik rejestracji pomiarów już istnieje. Skasować go?",
                                     APP_CAPTION, MB_ICONQUESTION | MB_YESNOCANCEL);
            if (answer == IDYES) {
                SetEndOfFile(opened); // the position is the start: the file is now empty
                file = opened;
                continue;
            }
            if (answer == IDNO) {
                SetFilePointer(opened, 0, nullptr, FILE_END);
                file = opened;
                continue;
            }
            CloseHandle(opened);
        }
        if (!retryWithDialog || DialogBoxParamA(state.instance, MAKEINTRESOURCEA(IDD_LOG_SETTINGS), nullptr,
                                                LogSettingsDialog, reinterpret_cast<LPARAM>(&state)) != 1) {
            result = false;
            break;
        }
        StateLocked lock;
        enabled = state.logEnabled != 0;
        file = state.logFile;
    }
    StateLocked lock;
    state.logFile = file;
    state.logEnabled = enabled ? 1 : 0;
    return result;
}
