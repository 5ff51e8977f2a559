// LogSettingsDialog (template 103): logging on or off, the file, the interval and the record kind,
// applied at once and saved; with the save-file chooser and the interval fields.
#include "logging/log_settings_dialog_win32.h"

#include <commdlg.h>

#include <cstring>

#include "app/app_state.h"
#include "config/settings_store_win32.h"
#include "logging/log_file_win32.h"
#include "logging/log_settings.h"
#include "presentation/help_win32.h"
#include "presentation/value_text.h"
#include "presentation/value_text_win32.h"
#include "resources/resource.h"

namespace {

const DWORD HELP_PAIRS[] = {IDC_LOG_FORMAT,       HID_LOG_FORMAT,       IDC_INTERVAL_HOURS,   HID_INTERVAL_HOURS,
                            IDC_INTERVAL_MINUTES, HID_INTERVAL_MINUTES, IDC_INTERVAL_SECONDS, HID_INTERVAL_SECONDS,
                            IDC_LOG_FILE_NAME,    HID_LOG_FILE_NAME,    IDC_LOG_ENABLED,      HID_LOG_ENABLED,
                            IDC_LOG_BROWSE,       HID_LOG_BROWSE,       IDC_OK,               HID_OK,
                            IDC_CANCEL,           HID_CANCEL,           0,                    0};

AppState& StateOf(HWND dialog) { return *reinterpret_cast<AppState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA)); }

bool HasHandle(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

INT_PTR InitDialog(HWND dialog, AppState& state) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    SetDlgItemTextA(dialog, IDC_LOG_FILE_NAME, state.logFileName);
    ShowInterval(dialog, state.intervalSeconds);
    SendDlgItemMessageA(dialog, IDC_LOG_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Tekst"));
    SendDlgItemMessageA(dialog, IDC_LOG_FORMAT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Lista rozdzielana"));
    SendDlgItemMessageA(dialog, IDC_LOG_FORMAT, CB_SETCURSEL, (state.logFormat >> 16) & 1, 0);
    CheckDlgButton(dialog, IDC_LOG_ENABLED, state.logEnabled != 0 ? BST_CHECKED : BST_UNCHECKED);
    // Posted, so the controls are enabled or disabled once the dialog is up.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LOG_ENABLED, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LOG_ENABLED)));
    return TRUE;
}

void EnableLogControls(HWND dialog) {
    BOOL enabled = IsDlgButtonChecked(dialog, IDC_LOG_ENABLED) == BST_CHECKED;
    for (int id = IDC_LOG_BROWSE; id <= IDC_LOG_FORMAT; ++id) EnableWindow(GetDlgItem(dialog, id), enabled);
}

// The chooser starts from the stored name, not from what was typed in the field.
void Browse(HWND dialog, const AppState& state) {
    char name[PATH_CAPACITY];
    std::memcpy(name, state.logFileName, PATH_CAPACITY);
    if (ChooseLogFile(dialog, name, PATH_CAPACITY)) SetDlgItemTextA(dialog, IDC_LOG_FILE_NAME, name);
}

void Accept(HWND dialog, AppState& state) {
    bool enabled = IsDlgButtonChecked(dialog, IDC_LOG_ENABLED) == BST_CHECKED;
    std::uint32_t total = ReadInterval(dialog, enabled);
    if (total == INTERVAL_INVALID || total == 0) {
        MessageBoxA(dialog, "Niepoprawna wartość interwału!", APP_CAPTION, MB_ICONERROR);
        return;
    }
    char name[PATH_CAPACITY] = "";
    GetDlgItemTextA(dialog, IDC_LOG_FILE_NAME, name, PATH_CAPACITY);
    LRESULT kind = SendDlgItemMessageA(dialog, IDC_LOG_FORMAT, CB_GETCURSEL, 0, 0);
    {
        StateLocked lock;
        state.logEnabled = enabled ? 1 : 0;
        state.intervalSeconds = total;
        state.logFormat = static_cast<std::uint32_t>(kind == 1 ? 1 : 0) << 16;
        std::memcpy(state.logFileName, name, PATH_CAPACITY);
        if (HasHandle(state.logFile)) {
            FlushFileBuffers(state.logFile);
            CloseHandle(state.logFile);
            state.logFile = INVALID_HANDLE_VALUE;
        }
    }
    if (!enabled) {
        // The event does not exist yet during first-run registration and the retry at acquisition start.
        if (HasHandle(state.logEvent)) ResetEvent(state.logEvent);
        SaveSettings(state, SETTINGS_LOG);
        EndDialog(dialog, 1);
        return;
    }
    // Without an owner (first-run registration, the retry) the caller opens the file itself.
    if (GetWindow(dialog, GW_OWNER) == nullptr) {
        EndDialog(dialog, 1);
        return;
    }
    if (OpenLogFile(state, false)) {
        if (HasHandle(state.logEvent)) SetEvent(state.logEvent);
        SaveSettings(state, SETTINGS_LOG);
        EndDialog(dialog, 1);
    }
}

INT_PTR OnCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_LOG_ENABLED: EnableLogControls(dialog); return TRUE;
    case IDC_LOG_BROWSE: Browse(dialog, StateOf(dialog)); return TRUE;
    case IDC_OK: Accept(dialog, StateOf(dialog)); return TRUE;
    case IDC_CANCEL: EndDialog(dialog, 0); return TRUE;
    default: return FALSE; // the Esc key's IDCANCEL too: Esc does not close this dialog
    }
}

} // namespace

INT_PTR CALLBACK LogSettingsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return InitDialog(dialog, *reinterpret_cast<AppState*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    case WM_HELP: return ShowContextHelp(reinterpret_cast<const HELPINFO*>(lParam), HELP_PAIRS);
    default: return FALSE;
    }
}

bool ChooseLogFile(HWND owner, char* name, int capacity) {
    // The chooser works in a buffer of its own: every step is bounded by the smaller of the two.
    char chosen[PATH_CAPACITY] = "";
    int room = capacity < PATH_CAPACITY ? capacity : PATH_CAPACITY;
    if (room <= 0) return false;
    lstrcpynA(chosen, name, room);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = "Lista CSV (*.csv)\0*.csv\0Plik tekstowy (*.txt)\0*.txt\0Wszystkie pliki (*.*)\0*.*\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = chosen;
    ofn.nMaxFile = static_cast<DWORD>(room);
    ofn.lpstrTitle = "Wybierz plik logu";
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&ofn)) return false;
    // A name that would not fit with its extension counts as no choice: the field keeps its name.
    if (!CompleteLogFileName(chosen, static_cast<size_t>(room), static_cast<int>(ofn.nFilterIndex),
                             LogFileNameHasExtension(chosen))) {
        return false;
    }
    lstrcpynA(name, chosen, room);
    return true;
}

void ShowInterval(HWND dialog, std::uint32_t seconds) {
    IntervalFields fields = IntervalToFields(seconds);
    SetDlgItemTextA(dialog, IDC_INTERVAL_HOURS, fields.hours);
    SetDlgItemTextA(dialog, IDC_INTERVAL_MINUTES, fields.minutes);
    SetDlgItemTextA(dialog, IDC_INTERVAL_SECONDS, fields.seconds);
}

std::uint32_t ReadInterval(HWND dialog, bool enabled) {
    // Room beyond any valid field, so a pasted overlong text cannot be cut into a different valid number.
    char hours[64], minutes[64], seconds[64];
    GetDlgItemTextA(dialog, IDC_INTERVAL_HOURS, hours, sizeof hours);
    GetDlgItemTextA(dialog, IDC_INTERVAL_MINUTES, minutes, sizeof minutes);
    GetDlgItemTextA(dialog, IDC_INTERVAL_SECONDS, seconds, sizeof seconds);
    std::uint32_t total = IntervalFromFields(hours, minutes, seconds);
    if (total == INTERVAL_INVALID) return total;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner != nullptr) LogStatusText(GetDlgItem(owner, IDC_LOG_STATUS), enabled, total, LOG_STATUS_OK);
    return total;
}
