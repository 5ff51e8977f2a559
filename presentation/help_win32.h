// Help: the program's companion files, and the three requests it makes of help (the contents, a control's
// pop-up topic, letting go at the end). With a help file beside the program they go to the platform's help
// viewer, as they always did; without one the program answers them itself.
#pragma once

#include <windows.h>

// The program's own path with its extension replaced by suffix (".HLP", ".TXT"), worked out anew each call.
char* ModuleSiblingPath(char* out, int capacity, const char* suffix);

// The contents, from the main window or its menu. Without a help file: the program's guide in a window
// owned by owner, brought to the front when it is open already.
void HelpContents(HWND owner);

// WM_HELP of a dialog with a (control id, context id) pair table ended by (0, 0). Always handled (TRUE);
// items without an id of their own (0xFFFF) get nothing. Without a help file: the control's topic in a
// pop-up next to it, closed by a click, a key or another window taking the focus.
BOOL ShowContextHelp(const HELPINFO* request, const DWORD* pairs);

// The main window closes: the viewer is let go of, or the program's own help windows close.
void HelpQuit(HWND owner);

// The help viewer call; tests replace it to see the requests. Returns the previous one.
using HelpViewerFn = BOOL(WINAPI*)(HWND, LPCSTR, UINT, ULONG_PTR);
HelpViewerFn SetHelpViewer(HelpViewerFn viewer);
