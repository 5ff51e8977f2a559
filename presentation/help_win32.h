// The program's companion files and pop-up help for the controls of its dialogs.
#pragma once

#include <windows.h>

// The program's own path with its extension replaced by suffix (".HLP", ".TXT"), worked out anew each call.
char* ModuleSiblingPath(char* out, int capacity, const char* suffix);

// WM_HELP of a dialog with a (control id, context id) pair table ended by (0, 0). Always handled (TRUE);
// items without an id of their own (0xFFFF) get nothing.
BOOL ShowContextHelp(const HELPINFO* request, const DWORD* pairs);

// The help viewer call; tests replace it to see the requests. Returns the previous one.
using HelpViewerFn = BOOL(WINAPI*)(HWND, LPCSTR, UINT, ULONG_PTR);
HelpViewerFn SetHelpViewer(HelpViewerFn viewer);
BOOL CallHelpViewer(HWND window, const char* path, UINT command, ULONG_PTR data);
