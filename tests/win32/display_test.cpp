// A real read-out window: what it paints, the blink timer, repainting only on real changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "presentation/display_state.h"
#include "presentation/display_win32.h"
#include "tests/win32/support/harness_win32.h"

namespace {

constexpr COLORREF GREEN = RGB(0, 255, 0), BLACK = RGB(0, 0, 0);
constexpr DWORD STEADY = 1, BLINKING = 0x80000001u;

// Pixels of colour in the window's client area, as painted now.
int Pixels(HWND window, COLORREF colour) {
    UpdateWindow(window);
    RECT r;
    GetClientRect(window, &r);
    HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
    BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD rgb = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    int n = 0;
    for (int i = 0; i < r.right * r.bottom; ++i) n += (static_cast<DWORD*>(bits)[i] & 0xFFFFFF) == rgb;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return n;
}

} // namespace

TEST(Display, PaintsBlinksAndRepaintsOnlyOnRealChanges) {
    HostWindow host;
    const std::uint32_t colors[4] = {GREEN, BLACK, GREEN, BLACK};
    ASSERT_TRUE(CreateHostWindow(host, colors));
    HWND w = host.readouts[0];
    const DisplayState& state = *reinterpret_cast<DisplayState*>(GetWindowLongPtrA(w, 0));
    auto send = [&](DWORD flags, const char* text) { SendMessageA(w, DM_SETTEXT, flags, reinterpret_cast<LPARAM>(text)); };
    PumpFor(100);
    EXPECT_EQ(Pixels(w, GREEN), 0); // no text yet: only the background

    send(BLINKING, "?????m/s"); // a new blinking text starts hidden
    EXPECT_EQ(Pixels(w, GREEN), 0);
    ASSERT_TRUE(PumpUntil([&] { return state.hidden == 0; }, 2000));
    EXPECT_GT(Pixels(w, GREEN), 100);
    ASSERT_TRUE(PumpUntil([&] { return state.hidden == 1; }, 2000));
    EXPECT_EQ(Pixels(w, GREEN), 0);

    send(STEADY, "12,3m/s"); // shown at once, and the timer stops
    EXPECT_GT(Pixels(w, GREEN), 100);
    PumpFor(1200);
    EXPECT_EQ(state.hidden, 0);
    send(STEADY, "12,3m/s");
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE)); // the same text again paints nothing
    SendMessageA(w, DM_SETCOLOR, 0, RGB(255, 0, 0));
    EXPECT_EQ(Pixels(w, GREEN), 0);
    EXPECT_GT(Pixels(w, RGB(255, 0, 0)), 100);

    DestroyWindow(host.dialog);
}
