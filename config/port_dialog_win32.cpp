// The port dialog: the list of ports that open, the current port, and storing the choice.
#include "config/port_dialog_win32.h"

#include "acquisition/serial_link_win32.h"
#include "app/app_state.h"
#include "config/port_list.h"
#include "config/settings_store_win32.h"
#include "presentation/help_win32.h"
#include "resources/resource.h"

const DWORD PORT_HELP_PAIRS[8] = {IDC_PORT_LIST, HID_PORT_LIST, IDC_OK, HID_OK, IDC_CANCEL, HID_CANCEL, 0, 0};

namespace {

// Only an open for reading, with nothing configured: the list must not disturb a device it merely looks at.
bool PortOpens(std::int32_t port, void*) {
    char name[PORT_TEXT_CAPACITY + 4] = "\\\\.\\";
    PortText(name + 4, port);
    HANDLE device =
        CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    CloseHandle(device);
    return true;
}

AppState& StateOf(HWND dialog) {
    return *reinterpret_cast<AppState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

BOOL OpenPortDialog(HWND dialog, AppState* state) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    // Only this thread changes portNumber, so it reads it without the lock.
    FillPortList(dialog, state->portNumber);
    return TRUE;
}

void AcceptPort(HWND dialog) {
    char text[PORT_TEXT_CAPACITY] = "";
    GetDlgItemTextA(dialog, IDC_PORT_LIST, text, PORT_TEXT_CAPACITY);
    std::int32_t port = PortFromText(text);
    if (port == VALUE_UNKNOWN) return; // nothing selected
    if (!ProbePort(dialog, port)) return;
    AppState& state = StateOf(dialog);
    {
        StateLocked lock;
        state.portNumber = port;
    }
    SaveSettings(state, SETTINGS_PORT);
    EndDialog(dialog, 1);
}

} // namespace

bool FillPortList(HWND dialog, std::int32_t current) {
    // Held for the whole walk: the worker cannot close its port or take a newly opened one into AppState
    // meanwhile. It opens ports outside the lock, so a probe here may still meet a port it is opening.
    StateLocked lock;
    std::int32_t ports[PORT_LAST];
    std::size_t count = ListOpenablePorts(current, PortOpens, nullptr, ports);
    char text[PORT_TEXT_CAPACITY];
    for (std::size_t i = 0; i < count; ++i) {
        SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(PortText(text, ports[i])));
    }
    SetDlgItemTextA(dialog, IDC_CURRENT_PORT, CurrentPortLabel(text, current));
    return true;
}

bool ProbePort(HWND owner, std::int32_t portNumber) {
    HANDLE port = OpenSerialPort(portNumber);
    if (port != INVALID_HANDLE_VALUE) {
        CloseHandle(port);
        return true;
    }
    MessageBoxA(owner, "Wybrany port szeregowy jest już zajęty.", APP_CAPTION, MB_ICONWARNING | MB_OK);
    return false;
}

INT_PTR CALLBACK PortDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OpenPortDialog(dialog, reinterpret_cast<AppState*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OK:
            AcceptPort(dialog);
            return TRUE;
        case IDC_CANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_HELP:
        return ShowContextHelp(reinterpret_cast<const HELPINFO*>(lParam), PORT_HELP_PAIRS);
    }
    return FALSE;
}
