// The read-out's text and blink state machine, and its font size arithmetic.
#include <gtest/gtest.h>

#include "presentation/display_state.h"

constexpr std::uint32_t STEADY = 1, BLINK = 0x80000001u;

TEST(DisplayState, CreationTransitionsColoursAndFont) {
    DisplayState d{};
    char buffer[9] = "leftover";
    DisplayInit(d, buffer, sizeof buffer, nullptr, 36, 5, BLINK, 0x00FF00, 0x0000FF);
    // Creation with the blink flag starts no blinking.
    EXPECT_EQ(std::tuple(d.hidden, d.fontSize, d.fontStyle, d.drawFlags, std::string(d.faceName), d.text[0]),
              std::tuple(0, 360, 5, BLINK, std::string("Courier New"), '\0'));
    const DisplayTimer KEEP = DISPLAY_TIMER_KEEP, START = DISPLAY_TIMER_START, STOP = DISPLAY_TIMER_STOP;
    const bool TICK = true; // a timer tick instead of a new text
    // step, tick, flags, text, then: repaint, timer, hidden, text shown
    const std::tuple<const char*, bool, std::uint32_t, const char*, bool, DisplayTimer, int, const char*> steps[] = {
        {"steady text", false, STEADY, "12,3m/s", true, STOP, 0, "12,3m/s"},
        {"same text and flags: ignored", false, STEADY, "12,3m/s", false, KEEP, 0, "12,3m/s"},
        {"null text: ignored", false, BLINK, nullptr, false, KEEP, 0, "12,3m/s"},
        {"same text, now blinking: starts hidden", false, BLINK, "12,3m/s", true, START, 1, "12,3m/s"},
        {"tick shows", TICK, 0, nullptr, true, KEEP, 0, "12,3m/s"},
        {"new blinking text restarts hidden", false, BLINK, "?????m/s", true, START, 1, "?????m/s"},
        {"tick shows", TICK, 0, nullptr, true, KEEP, 0, "?????m/s"},
        {"tick hides", TICK, 0, nullptr, true, KEEP, 1, "?????m/s"},
        {"blinking repeat: ignored", false, BLINK, "?????m/s", false, KEEP, 1, "?????m/s"},
        {"case matters", false, BLINK, "?????M/S", true, START, 1, "?????M/S"},
        {"blink cleared: visible at once", false, STEADY, "?????M/S", true, STOP, 0, "?????M/S"},
        {"a tick queued before blinking stopped", TICK, 0, nullptr, false, KEEP, 0, "?????M/S"},
        {"other layout bits count as a change", false, 0x11, "?????M/S", true, STOP, 0, "?????M/S"},
        {"longer than the buffer: cut", false, BLINK, "?????M/S!", true, START, 1, "?????M/S"},
        {"tick shows", TICK, 0, nullptr, true, KEEP, 0, "?????M/S"},
        // The stored text is cut, so the same long text again differs from it: repaint, restart hidden.
        {"the long text again", false, BLINK, "?????M/S!", true, START, 1, "?????M/S"},
    };
    for (const auto& [what, tick, flags, text, repaint, timer, hidden, shown] : steps) {
        DisplayChange c = tick ? DisplayTimerTick(d) : DisplaySetText(d, flags, text);
        EXPECT_EQ(std::tuple(c.repaint, c.timer, d.hidden, std::string(d.text)),
                  std::tuple(repaint, timer, hidden, std::string(shown))) << what;
    }
    // Kind 0 is the text, 1 the background; any other kind changes nothing and reads nothing.
    EXPECT_TRUE(DisplaySetColor(d, 2, 0xFFFFFF).repaint);
    DisplaySetColor(d, 1, 0x222222);
    std::uint32_t colours[3] = {7, 7, 7};
    for (std::uint32_t kind = 0; kind < 3; ++kind) DisplayGetColor(d, kind, &colours[kind]);
    EXPECT_EQ(std::vector(colours, colours + 3), std::vector<std::uint32_t>({0x00FF00, 0x222222, 7}));
    DisplayGetColor(d, 0, nullptr); // must not crash
    DisplaySetFont(d, (3u << 16) | 120, "A face name that is much longer than twenty-nine");
    EXPECT_EQ(std::tuple(d.fontSize, d.fontStyle, std::string(d.faceName)),
              std::tuple(120, 3, std::string("A face name that is much long")));
    DisplaySetFont(d, 0, nullptr);
    EXPECT_EQ(std::string(d.faceName), "Courier New");
}

TEST(DisplayFont, Sizes) {
    // Tenths of a point and pixels per inch across and down give tenths of a pixel; then the LOGFONT height and
    // the width that keeps the proportions of a font 29 pixels wide (the font's own, 0, for a zero height).
    const std::tuple<int, float, float, int, int, int, int> cases[] = {
        {360, 96, 96, 480, 480, -48, 29}, {100, 96, 96, 133, 133, -13, 29}, {80, 96, 96, 106, 106, -11, 29},
        {360, 120, 96, 600, 480, -48, 36}, {0, 96, 96, 0, 0, 0, 0}};
    for (const auto& [tenths, dpiX, dpiY, x, y, height, width] : cases) {
        DisplayFontSize s = DisplayFontTenthsOfPixel(tenths, tenths, dpiX, dpiY);
        EXPECT_EQ(std::tuple(s.x, s.y, DisplayFontHeight(s.y), DisplayFontWidth(s.x, s.y, 29)),
                  std::tuple(x, y, height, width)) << tenths << " " << dpiX;
    }
}
