// Help requests go to WinHelp beside the program; the call is routed through one pointer so tests can watch it.
#include "presentation/help_win32.h"

#include "presentation/help.h"

namespace {
HelpViewerFn helpViewer = WinHelpA;
}

char* ModuleSiblingPath(char* out, int capacity, const char* suffix) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return SiblingPath(path, suffix, out, capacity);
}

HelpViewerFn SetHelpViewer(HelpViewerFn viewer) {
    HelpViewerFn previous = helpViewer;
    helpViewer = viewer;
    return previous;
}

BOOL CallHelpViewer(HWND window, const char* path, UINT command, ULONG_PTR data) {
    return helpViewer(window, path, command, data);
}

BOOL ShowContextHelp(const HELPINFO* request, const DWORD* pairs) {
    if (request->iCtrlId == HELP_ID_NONE) return TRUE;
    char path[MAX_PATH];
    ModuleSiblingPath(path, MAX_PATH, ".HLP");
    CallHelpViewer(static_cast<HWND>(request->hItemHandle), path, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(pairs));
    return TRUE;
}
