// The read-out control's window class, procedure, painting and font. Its decisions come from display_state.
#include "presentation/display_win32.h"

#include <cstdlib>

#include "presentation/display_state.h"

namespace {

const char CLASS_NAME[] = "Display";

DisplayState* StateOf(HWND window) { return reinterpret_cast<DisplayState*>(GetWindowLongPtrA(window, 0)); }

void Apply(HWND window, DisplayChange change) {
    // The timer id is the window handle, so each read-out has its own blink phase.
    UINT_PTR timer = reinterpret_cast<UINT_PTR>(window);
    if (change.timer == DISPLAY_TIMER_START) SetTimer(window, timer, DISPLAY_BLINK_MS, nullptr);
    if (change.timer == DISPLAY_TIMER_STOP) KillTimer(window, timer);
    if (change.repaint) InvalidateRect(window, nullptr, FALSE);
}

void Paint(HWND window, const DisplayState& d) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    HBRUSH brush = CreateSolidBrush(d.backColor);
    FillRect(dc, &ps.rcPaint, brush);
    DeleteObject(brush);
    HFONT font = CreateDisplayFont(dc, d.faceName, d.fontSize, d.fontSize, d.fontStyle, TRUE);
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, d.textColor);
    SetBkColor(dc, d.backColor);
    SetBkMode(dc, TRANSPARENT);
    RECT r;
    GetClientRect(window, &r);
    r.left += 5;
    r.right -= 5;
    if (d.hidden == 0) DrawTextA(dc, d.text, -1, &r, d.drawFlags & 0x7FFFFFFF);
    SelectObject(dc, old);
    DeleteObject(font);
    EndPaint(window, &ps);
}

LRESULT CALLBACK DisplayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Until CreateDisplay attaches the record (and after WM_DESTROY freed it) the window is left to the
    // platform: nothing is painted with, or frees, a record it does not have.
    DisplayState* d = StateOf(window);
    if (d == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case DM_SETTEXT:
        Apply(window, DisplaySetText(*d, static_cast<std::uint32_t>(wParam), reinterpret_cast<const char*>(lParam)));
        return 0;
    case DM_SETCOLOR:
        Apply(window, DisplaySetColor(*d, static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam)));
        return 0;
    case DM_SETFONT:
        Apply(window, DisplaySetFont(*d, static_cast<std::uint32_t>(wParam), reinterpret_cast<const char*>(lParam)));
        return 0;
    case DM_GETCOLOR:
        DisplayGetColor(*d, static_cast<std::uint32_t>(wParam), reinterpret_cast<std::uint32_t*>(lParam));
        return 0;
    case WM_TIMER:
        Apply(window, DisplayTimerTick(*d));
        return 0;
    case WM_PAINT:
        Paint(window, *d);
        return 0;
    case WM_DESTROY:
        KillTimer(window, reinterpret_cast<UINT_PTR>(window));
        SetWindowLongPtrA(window, 0, 0);
        std::free(d->text);
        std::free(d);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterDisplayClass(HINSTANCE instance) {
    WNDCLASSEXA existing;
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, CLASS_NAME, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = 0; // no redraw on resize: every change repaints explicitly
    wc.lpfnWndProc = DisplayProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = CLASS_NAME;
    return RegisterClassExA(&wc) != 0;
}

} // namespace

HWND CreateDisplay(HINSTANCE instance, HWND parent, int id, RECT* rect, COLORREF textColor, COLORREF backColor,
                   const char* face, int pointSize, int style, DWORD flags, int bufferSize) {
    if (bufferSize <= 0) return nullptr;
    if (!RegisterDisplayClass(instance)) return nullptr;
    if (!MapDialogRect(parent, rect)) return nullptr;
    // Allocated first, so a failed allocation creates no window at all.
    auto* d = static_cast<DisplayState*>(std::calloc(1, sizeof(DisplayState)));
    char* text = static_cast<char*>(std::calloc(static_cast<size_t>(bufferSize), 1));
    if (d == nullptr || text == nullptr) {
        std::free(d);
        std::free(text);
        return nullptr;
    }
    DisplayInit(*d, text, bufferSize, face, pointSize, style, flags, textColor, backColor);
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, CLASS_NAME, "", WS_CHILD | WS_VISIBLE, rect->left, rect->top,
                                  rect->right - rect->left, rect->bottom - rect->top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (window == nullptr) {
        std::free(text);
        std::free(d);
        return nullptr;
    }
    // Attached before this thread pumps its next message, so the first paint finds it.
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(d));
    return window;
}

HFONT CreateDisplayFont(HDC dc, const char* face, int heightSize, int widthSize, int style, BOOL logicalResolution) {
    int saved = SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    float dpiX, dpiY;
    if (logicalResolution) {
        dpiX = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSX));
        dpiY = static_cast<float>(GetDeviceCaps(dc, LOGPIXELSY));
    } else {
        dpiX = static_cast<float>(GetDeviceCaps(dc, HORZRES) * 25.4 / GetDeviceCaps(dc, HORZSIZE));
        dpiY = static_cast<float>(GetDeviceCaps(dc, VERTRES) * 25.4 / GetDeviceCaps(dc, VERTSIZE));
    }
    DisplayFontSize size = DisplayFontTenthsOfPixel(widthSize, heightSize, dpiX, dpiY);
    POINT p{size.x, size.y};
    DPtoLP(dc, &p, 1);
    LOGFONTA lf{};
    lf.lfHeight = DisplayFontHeight(p.y);
    lf.lfWeight = (style & 1) ? FW_BOLD : 0;
    lf.lfItalic = (style & 2) ? 1 : 0;
    lf.lfUnderline = (style & 4) ? 1 : 0;
    lf.lfStrikeOut = (style & 8) ? 1 : 0;
    lf.lfCharSet = ANSI_CHARSET;
    lstrcpynA(lf.lfFaceName, face != nullptr ? face : DISPLAY_DEFAULT_FACE, LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&lf);
    if (widthSize != 0 && font != nullptr) {
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        DeleteObject(font);
        lf.lfWidth = DisplayFontWidth(p.x, p.y, tm.tmAveCharWidth);
        font = CreateFontIndirectA(&lf);
    }
    RestoreDC(dc, saved);
    return font;
}
