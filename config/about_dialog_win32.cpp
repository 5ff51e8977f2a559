// The about box: only OK and the close command end it.
#include "config/about_dialog_win32.h"

#include "resources/resource.h"

INT_PTR CALLBACK AboutDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_OK:
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        // Handled here, or the platform would turn it into IDCANCEL, which this box does not answer.
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}
