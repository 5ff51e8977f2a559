// A real read-out window: messages, the blink timer, repaints only on real changes, pixels of hidden text.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "presentation/display_state.h"
#include "presentation/display_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

constexpr COLORREF GREEN = RGB(0, 255, 0), BLACK = RGB(0, 0, 0), RED = RGB(255, 0, 0);
constexpr DWORD STEADY = 1, BLINKING = 0x80000001u;

struct Readout {
    HWND dialog = CreateEmptyDialog(183, 60);
    HWND window = nullptr;
    RECT rect{6, 16, 178, 52};
    explicit Readout(DWORD flags = STEADY, int bufferSize = 20) {
        window = CreateDisplay(GetModuleHandleA(nullptr), dialog, 0, &rect, GREEN, BLACK, "Courier New", 36, 1, flags,
                               bufferSize);
        PumpFor(50);
    }
    ~Readout() { DestroyWindow(dialog); }
    const DisplayState& State() const { return *reinterpret_cast<DisplayState*>(GetWindowLongPtrA(window, 0)); }
    void Send(DWORD flags, const char* text) { SendMessageA(window, DM_SETTEXT, flags, reinterpret_cast<LPARAM>(text)); }
    bool RepaintPending() const { return GetUpdateRect(window, nullptr, FALSE) != FALSE; }
    int TextPixels() {
        UpdateWindow(window);
        return CaptureWindow(window).CountColor(State().textColor);
    }
    bool TimerQueued(DWORD waitMs) {
        Sleep(waitMs); // no pumping: a running timer leaves its WM_TIMER in the queue
        MSG msg;
        return PeekMessageA(&msg, window, WM_TIMER, WM_TIMER, PM_NOREMOVE) != FALSE;
    }
};

} // namespace

TEST(Display, CreationConvertsTheRectangleAndShowsOnlyTheBackground) {
    HWND dialog = CreateEmptyDialog(100, 50);
    RECT none{0, 0, 10, 10};
    EXPECT_EQ(CreateDisplay(GetModuleHandleA(nullptr), dialog, 5, &none, GREEN, BLACK, nullptr, 36, 1, 1, 0), nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 5), nullptr);
    DestroyWindow(dialog);

    Readout r;
    ASSERT_NE(r.window, nullptr);
    RECT expected{6, 16, 178, 52};
    MapDialogRect(r.dialog, &expected);
    EXPECT_TRUE(EqualRect(&r.rect, &expected));
    EXPECT_EQ(GetWindowLongA(r.window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
    UpdateWindow(r.window);
    Capture empty = CaptureWindow(r.window);
    EXPECT_EQ(empty.CountColor(BLACK), empty.width * empty.height);
    EXPECT_FALSE(r.TimerQueued(600));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "Display", &wc));
    EXPECT_EQ(wc.style, 0u);
    EXPECT_EQ(wc.hbrBackground, nullptr);
}

TEST(Display, RepaintsOnlyOnARealChange) {
    Readout r;
    r.Send(STEADY, "12,3m/s");
    EXPECT_TRUE(r.RepaintPending());
    EXPECT_GT(r.TextPixels(), 100);
    r.Send(STEADY, "12,3m/s");
    EXPECT_FALSE(r.RepaintPending());
    SendMessageA(r.window, DM_SETTEXT, STEADY, 0);
    EXPECT_FALSE(r.RepaintPending());
    SendMessageA(r.window, DM_SETCOLOR, 2, RED); // no colour changes, but it repaints
    EXPECT_TRUE(r.RepaintPending());
    EXPECT_EQ(r.State().textColor, GREEN);
    SendMessageA(r.window, DM_SETCOLOR, 0, RED);
    EXPECT_GT(r.TextPixels(), 100);
    DWORD colour = 0xDEADBEEF;
    SendMessageA(r.window, DM_GETCOLOR, 0, reinterpret_cast<LPARAM>(&colour));
    EXPECT_EQ(colour, RED);
    colour = 0xDEADBEEF;
    SendMessageA(r.window, DM_GETCOLOR, 2, reinterpret_cast<LPARAM>(&colour));
    EXPECT_EQ(colour, 0xDEADBEEFu);
    EXPECT_EQ(SendMessageA(r.window, DM_GETCOLOR, 1, 0), 0);
}

TEST(Display, BlinkingHidesFirstThenAlternates) {
    Readout r;
    r.Send(BLINKING, "?????m/s");
    EXPECT_EQ(r.State().hidden, 1);
    EXPECT_EQ(r.TextPixels(), 0);
    EXPECT_TRUE(r.TimerQueued(600));
    ASSERT_TRUE(PumpUntil([&] { return r.State().hidden == 0; }, 2000));
    EXPECT_GT(r.TextPixels(), 100);
    ASSERT_TRUE(PumpUntil([&] { return r.State().hidden == 1; }, 2000));
    EXPECT_EQ(r.TextPixels(), 0);
    // Clearing the blink flag shows the text at once and stops the timer.
    r.Send(STEADY, "?????m/s");
    EXPECT_EQ(r.State().hidden, 0);
    EXPECT_GT(r.TextPixels(), 100);
    PumpFor(20);
    EXPECT_FALSE(r.TimerQueued(700));
}

TEST(Display, NewBlinkingTextsFasterThanTheTimerKeepItBlank) {
    Readout r;
    const char* texts[] = {"1,0m/s", "1,1m/s", "1,2m/s", "1,3m/s", "1,4m/s", "1,5m/s"};
    for (const char* text : texts) {
        r.Send(BLINKING, text);
        PumpFor(200); // well inside the 500 ms phase, even on a loaded machine
        EXPECT_EQ(r.State().hidden, 1) << text;
        EXPECT_EQ(r.TextPixels(), 0) << text;
    }
}

TEST(Display, BlinkFlagAtCreationStartsNoTimer) {
    Readout r(BLINKING);
    EXPECT_EQ(r.State().hidden, 0);
    EXPECT_FALSE(r.TimerQueued(700));
}

TEST(Display, ShortBufferCutsTheText) {
    Readout r(STEADY, 3);
    r.Send(STEADY, "VE");
    EXPECT_STREQ(r.State().text, "VE");
    r.Send(STEADY, "AZIMUTH");
    EXPECT_STREQ(r.State().text, "AZ");
    r.Send(STEADY, "AZIMUTH");
    EXPECT_TRUE(r.RepaintPending());
}

TEST(Display, FontIsABoldMonospaceFaceOfTheRightHeight) {
    Readout r;
    HDC dc = GetDC(r.window);
    int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    HFONT font = CreateDisplayFont(dc, "Courier New", 360, 360, 1, TRUE);
    ASSERT_NE(font, nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SIZE narrow, wide;
    GetTextExtentPoint32A(dc, "iiii", 4, &narrow);
    GetTextExtentPoint32A(dc, "WWWW", 4, &wide);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(r.window, dc);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, (360 * dpi / 72 + 5) / 10);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_EQ(narrow.cx, wide.cx); // monospace
    EXPECT_EQ(tm.tmPitchAndFamily & TMPF_FIXED_PITCH, 0); // the flag is set for variable pitch
}
