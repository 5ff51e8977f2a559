// MainDialog: creation, the start of acquisition, the worker's messages, the menu, help and closing.
#include "presentation/main_dialog_win32.h"

#include <new>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "config/about_dialog_win32.h"
#include "config/colors_dialog_win32.h"
#include "config/port_dialog_win32.h"
#include "config/settings_store_win32.h"
#include "dde/dde_win32.h"
#include "logging/log_file_win32.h"
#include "logging/log_settings_dialog_win32.h"
#include "presentation/display_win32.h"
#include "presentation/help_win32.h"
#include "resources/resource.h"
#include "statistics/statistics_win32.h"
#include "statistics/statistics_window_win32.h"

namespace {

// Read-out rectangles in dialog units (left, top, right, bottom), by Quantity.
const RECT READOUT_RECTS[2] = {{6, 16, 178, 52}, {6, 68, 178, 104}};
constexpr int READOUT_POINTS = 36, READOUT_BOLD = 1, READOUT_BUFFER = 20;

// One per window, from WM_INITDIALOG to WM_NCDESTROY.
struct MainWindow {
    AppState* state;
    // MSG_START is the dialog manager's DM_SETDEFID: should anything send that, it must not start twice.
    bool started;
    HWND statistics; // the statistics window, while it is open
};

MainWindow* WindowOf(HWND dialog) {
    return reinterpret_cast<MainWindow*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void Message(HWND dialog, const char* text, UINT icon) {
    MessageBoxA(dialog, text, APP_CAPTION, icon | MB_OK);
}

// The icon resource holds a picture of each size.
void SetIcon(HWND dialog, HINSTANCE instance, int size, WPARAM kind) {
    HANDLE icon = LoadImageA(instance, MAKEINTRESOURCEA(IDI_KX205), IMAGE_ICON, size, size, LR_DEFAULTCOLOR);
    SendMessageA(dialog, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
}

BOOL OpenMainWindow(HWND dialog, AppState* state) {
    auto* window = new (std::nothrow) MainWindow{state, false, nullptr};
    if (window == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    // No worker runs yet: AppState is ours alone until MSG_START has started acquisition.
    state->mainWindow = dialog;
    state->portHandle = InvalidHandle();
    SetIcon(dialog, state->instance, 32, ICON_BIG);
    SetIcon(dialog, state->instance, 16, ICON_SMALL);
    SetWindowTextA(dialog, APP_CAPTION);
    DeleteMenu(GetSystemMenu(dialog, FALSE), SC_MAXIMIZE, MF_BYCOMMAND);
    for (int q = 0; q < 2; ++q) {
        RECT rect = READOUT_RECTS[q];
        state->readouts[q] =
            CreateDisplay(state->instance, dialog, q, &rect, state->colors[2 * q], state->colors[2 * q + 1],
                          "Courier New", READOUT_POINTS, READOUT_BOLD, DT_CENTER, READOUT_BUFFER);
    }
    if (state->firstInstance == 0) EnableMenuItem(GetMenu(dialog), IDM_UNINSTALL, MF_BYCOMMAND | MF_GRAYED);
    PostMessageA(dialog, MSG_START, 0, 0);
    return TRUE;
}

void CloseMainWindow(HWND dialog) {
    delete WindowOf(dialog);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
}

// The port must open and the log file too (when logging is on) before the workers start; the user may pick
// another port or change the logging settings, or give up, which closes the window.
void StartMeasuring(HWND dialog, AppState& state) {
    while (!ProbePort(dialog, state.portNumber)) {
        if (DialogBoxParamA(state.instance, MAKEINTRESOURCEA(IDD_PORT), dialog, PortDialog,
                            reinterpret_cast<LPARAM>(&state)) != 1) {
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            return;
        }
    }
    if (!OpenLogFile(state, true)) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return;
    }
    state.logEvent = CreateEventA(nullptr, TRUE, state.logEnabled != 0, nullptr);
    // Without the event or the workers the program cannot do its job: start-up reports a failed start.
    if (state.logEvent == nullptr) {
        state.logEvent = InvalidHandle();
        EndDialog(dialog, 0);
        return;
    }
    if (!StartAcquisition(state)) EndDialog(dialog, 0);
}

void SerialChanged(HWND dialog, AppState& state, std::int32_t serial) {
    StopDde();
    if (!StartDde(state, serial)) {
        Message(dialog, "Błąd inicjalizacji DDE!", MB_ICONERROR);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

void Uninstall(HWND dialog, MainWindow& window) {
    // Gone before the settings go: closed by the user it would store its place again.
    if (IsWindow(window.statistics)) DestroyWindow(window.statistics);
    if (UninstallSettings()) {
        Message(dialog, "Deinstalacja została zakończona pomyślnie!", MB_ICONINFORMATION);
    } else {
        Message(dialog, "Deinstalacja nie powiodła się!", MB_ICONERROR);
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// Owned by the main window; the dialogs apply and save their own changes, so the result is not used.
void RunDialog(HWND dialog, int id, DLGPROC procedure, const AppState& state, LPARAM parameter) {
    DialogBoxParamA(state.instance, MAKEINTRESOURCEA(id), dialog, procedure, parameter);
}

INT_PTR OnCommand(HWND dialog, MainWindow& window, int id) {
    AppState& state = *window.state;
    switch (id) {
    case IDM_STATISTICS:
        window.statistics = OpenStatisticsWindow(dialog, state, window.statistics);
        return TRUE;
    case IDM_LOG_SETTINGS:
        RunDialog(dialog, IDD_LOG_SETTINGS, LogSettingsDialog, state, reinterpret_cast<LPARAM>(&state));
        return TRUE;
    case IDM_PORT:
        RunDialog(dialog, IDD_PORT, PortDialog, state, reinterpret_cast<LPARAM>(&state));
        return TRUE;
    case IDM_COLORS:
        RunDialog(dialog, IDD_COLORS, ColorsDialog, state, reinterpret_cast<LPARAM>(&state));
        return TRUE;
    case IDM_UNINSTALL:
        Uninstall(dialog, window);
        return TRUE;
    case IDM_EXIT:
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return TRUE;
    case IDM_HELP_CONTENTS:
        HelpContents(dialog);
        return TRUE;
    case IDM_ABOUT:
        RunDialog(dialog, IDD_ABOUT, AboutDialog, state, 0);
        return TRUE;
    default:
        return FALSE; // Enter's IDOK and Esc's IDCANCEL among them: neither closes the window
    }
}

void Close(HWND dialog) {
    StopDde();
    HelpQuit(dialog);
    EndDialog(dialog, 1);
}

} // namespace

INT_PTR CALLBACK MainDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OpenMainWindow(dialog, reinterpret_cast<AppState*>(lParam));
    MainWindow* window = WindowOf(dialog);
    if (window == nullptr) return FALSE; // before creation, or after a failed one
    AppState& state = *window->state;
    switch (message) {
    case MSG_START:
        if (!window->started) {
            window->started = true;
            StartMeasuring(dialog, state);
        }
        return TRUE;
    case MSG_MEASURED:
        StatisticsAfterFrame(state);
        PostAdviseAll();
        if (IsWindow(window->statistics)) RefreshStatisticsWindow(window->statistics);
        return TRUE;
    case MSG_SERIAL_CHANGED:
        SerialChanged(dialog, state, static_cast<std::int32_t>(wParam));
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, *window, LOWORD(wParam));
    case WM_HELP:
        HelpContents(dialog);
        return TRUE;
    case WM_CLOSE:
        Close(dialog);
        return TRUE;
    case WM_NCDESTROY:
        CloseMainWindow(dialog);
        return FALSE;
    }
    return FALSE;
}
