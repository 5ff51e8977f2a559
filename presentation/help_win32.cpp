// Help requests: to WinHelp when the help file is beside the program, else the program's own guide window
// and pop-ups, whose texts are in help_texts.cpp.
#include "presentation/help_win32.h"

#include <cstdint>
#include <cstring>

#include "presentation/help.h"
#include "presentation/help_texts.h"
#include "resources/resource.h"

namespace {

HelpViewerFn helpViewer = WinHelpA;
// The viewer is let go of when it was asked during this run, whether or not the file is still there: one
// removed meanwhile would leave the viewer open after the program ended.
bool viewerAsked = false;

constexpr char GUIDE_CLASS[] = "Kx205HelpGuide";
constexpr char POPUP_CLASS[] = "Kx205HelpPopup";
constexpr char GUIDE_CAPTION[] = "Pomoc — Rizuzedarar KX-205";
constexpr int POPUP_WIDTH = 320, POPUP_MARGIN = 6;
constexpr int GUIDE_WIDTH = 480, GUIDE_HEIGHT = 520;

bool HelpFile(char (&path)[MAX_PATH]) {
    ModuleSiblingPath(path, MAX_PATH, ".HLP");
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The program's help windows of this thread with the class given: they are found, not remembered.
struct Found {
    const char* className;
    HWND window;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM parameter) {
    auto* found = reinterpret_cast<Found*>(parameter);
    char name[32];
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, found->className) != 0) return TRUE;
    found->window = window;
    return FALSE;
}

HWND FindHelpWindow(const char* className) {
    Found found{className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

HFONT HelpFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

LRESULT CALLBACK GuideProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        HWND text = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", HelpGuideText(),
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                    0, 0, 0, 0, window, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(HelpFont()), FALSE);
        return 0;
    }
    case WM_SIZE:
        MoveWindow(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(GetWindow(window, GW_CHILD));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Closed by a click, a key, or when something else is activated; closing is posted, as a window should not
// be destroyed while it is losing the focus.
LRESULT CALLBACK PopupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT r;
        GetClientRect(window, &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
        InflateRect(&r, -POPUP_MARGIN, -POPUP_MARGIN);
        char text[1024];
        GetWindowTextA(window, text, sizeof text);
        HGDIOBJ old = SelectObject(dc, HelpFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
        DrawTextA(dc, text, -1, &r, DT_WORDBREAK | DT_NOPREFIX);
        SelectObject(dc, old);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KILLFOCUS:
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterHelpClass(const char* name, WNDPROC procedure) {
    WNDCLASSA wc{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), name, &wc)) return;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(IDI_KX205));
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

void ShowGuide(HWND owner) {
    HWND guide = FindHelpWindow(GUIDE_CLASS);
    if (guide == nullptr) {
        // Beside the main window, so that both can be seen: right of it where the screen has room, else left.
        RECT main{0, 0, 0, 0};
        GetWindowRect(owner, &main);
        int x = main.right + 8;
        if (x + GUIDE_WIDTH > GetSystemMetrics(SM_CXSCREEN)) x = main.left - GUIDE_WIDTH - 8;
        RegisterHelpClass(GUIDE_CLASS, GuideProc);
        guide = CreateWindowExA(0, GUIDE_CLASS, GUIDE_CAPTION, WS_OVERLAPPEDWINDOW, x < 0 ? 0 : x, main.top,
                                GUIDE_WIDTH, GUIDE_HEIGHT, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (guide == nullptr) return;
    }
    ShowWindow(guide, IsIconic(guide) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(guide);
}

// Below the control, moved back onto the screen where it would leave it.
void ShowPopup(HWND control, const char* text) {
    if (HWND old = FindHelpWindow(POPUP_CLASS)) DestroyWindow(old);
    RegisterHelpClass(POPUP_CLASS, PopupProc);
    RECT size{0, 0, POPUP_WIDTH - 2 * POPUP_MARGIN, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, HelpFont());
    DrawTextA(dc, text, -1, &size, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    RECT at{0, 0, 0, 0};
    GetWindowRect(control, &at);
    int width = size.right + 2 * POPUP_MARGIN + 2, height = size.bottom + 2 * POPUP_MARGIN + 2;
    int x = at.left, y = at.bottom + 2;
    x = x + width > GetSystemMetrics(SM_CXSCREEN) ? GetSystemMetrics(SM_CXSCREEN) - width : x;
    y = y + height > GetSystemMetrics(SM_CYSCREEN) ? at.top - height - 2 : y;
    HWND owner = GetAncestor(control, GA_ROOT);
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW, POPUP_CLASS, text, WS_POPUP | WS_BORDER, x < 0 ? 0 : x,
                                 y < 0 ? 0 : y, width, height, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (popup == nullptr) return;
    ShowWindow(popup, SW_SHOW);
    SetFocus(popup);
}

} // namespace

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

void HelpContents(HWND owner) {
    char path[MAX_PATH];
    if (HelpFile(path)) {
        viewerAsked = true;
        helpViewer(owner, path, HELP_CONTENTS, 0);
    } else {
        ShowGuide(owner);
    }
}

BOOL ShowContextHelp(const HELPINFO* request, const DWORD* pairs) {
    if (request->iCtrlId == HELP_ID_NONE) return TRUE;
    char path[MAX_PATH];
    HWND control = static_cast<HWND>(request->hItemHandle);
    if (HelpFile(path)) {
        viewerAsked = true;
        helpViewer(control, path, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(pairs));
        return TRUE;
    }
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t));
    const char* text = HelpPopupText(reinterpret_cast<const std::uint32_t*>(pairs), request->iCtrlId);
    if (text != nullptr) ShowPopup(control, text);
    return TRUE;
}

void HelpQuit(HWND owner) {
    if (viewerAsked) helpViewer(owner, nullptr, HELP_QUIT, 0);
    viewerAsked = false;
    const char* const classes[] = {POPUP_CLASS, GUIDE_CLASS};
    for (const char* name : classes) {
        while (HWND window = FindHelpWindow(name)) DestroyWindow(window);
    }
}
