// The read-out's text and blink state machine, and its font size arithmetic.
#include <gtest/gtest.h>

#include <string>

#include "presentation/display_state.h"

namespace {

struct Readout {
    DisplayState d{};
    char buffer[20] = {};
    explicit Readout(int size = 20, std::uint32_t flags = 1) {
        DisplayInit(d, buffer, size, nullptr, 36, 1, flags, 0x00FF00, 0);
    }
};

constexpr std::uint32_t STEADY = 1, BLINK = 0x80000001u;

} // namespace

TEST(DisplayState, TextAndBlinkTransitions) {
    struct Step {
        const char* what;
        std::uint32_t flags;
        const char* text;
        bool repaint;
        DisplayTimer timer;
        int hidden;
        const char* shown;
    };
    const Step steps[] = {
        {"steady text", STEADY, "12,3m/s", true, DISPLAY_TIMER_STOP, 0, "12,3m/s"},
        {"same text and flags: ignored", STEADY, "12,3m/s", false, DISPLAY_TIMER_KEEP, 0, "12,3m/s"},
        {"null text: ignored", BLINK, nullptr, false, DISPLAY_TIMER_KEEP, 0, "12,3m/s"},
        {"same text, now blinking", BLINK, "12,3m/s", true, DISPLAY_TIMER_START, 1, "12,3m/s"},
        {"blinking repeat: ignored", BLINK, "12,3m/s", false, DISPLAY_TIMER_KEEP, 1, "12,3m/s"},
        {"new blinking text restarts hidden", BLINK, "?????m/s", true, DISPLAY_TIMER_START, 1, "?????m/s"},
        {"case matters", BLINK, "?????M/S", true, DISPLAY_TIMER_START, 1, "?????M/S"},
        {"blink cleared: visible at once", STEADY, "?????M/S", true, DISPLAY_TIMER_STOP, 0, "?????M/S"},
        {"other layout bits count as a change", 0x11, "?????M/S", true, DISPLAY_TIMER_STOP, 0, "?????M/S"},
    };
    Readout r;
    for (const Step& s : steps) {
        DisplayChange c = DisplaySetText(r.d, s.flags, s.text);
        EXPECT_EQ(c.repaint, s.repaint) << s.what;
        EXPECT_EQ(c.timer, s.timer) << s.what;
        EXPECT_EQ(r.d.hidden, s.hidden) << s.what;
        EXPECT_EQ(std::string(r.d.text), s.shown) << s.what;
    }
    EXPECT_EQ(r.d.drawFlags, 0x11u);
}

TEST(DisplayState, TimerTicksToggleOnlyWhileBlinking) {
    Readout r;
    DisplaySetText(r.d, BLINK, "?????");
    ASSERT_EQ(r.d.hidden, 1);
    EXPECT_TRUE(DisplayTimerTick(r.d).repaint);
    EXPECT_EQ(r.d.hidden, 0);
    EXPECT_TRUE(DisplayTimerTick(r.d).repaint);
    EXPECT_EQ(r.d.hidden, 1);
    // A colour change leaves the phase alone.
    DisplaySetColor(r.d, 0, 0x123456);
    EXPECT_EQ(r.d.hidden, 1);
    DisplaySetText(r.d, STEADY, "1");
    DisplayChange late = DisplayTimerTick(r.d); // a tick already queued when blinking stopped
    EXPECT_FALSE(late.repaint);
    EXPECT_EQ(r.d.hidden, 0);
}

TEST(DisplayState, CutTextsCountAsChanged) {
    Readout r(3); // the colour previews' buffer
    EXPECT_TRUE(DisplaySetText(r.d, STEADY, "VE").repaint);
    EXPECT_EQ(std::string(r.d.text), "VE");
    EXPECT_TRUE(DisplaySetText(r.d, BLINK, "VEERING").repaint);
    EXPECT_EQ(std::string(r.d.text), "VE");
    // The stored text is cut, so the same long text again differs from it: repaint, restart hidden.
    DisplayTimerTick(r.d);
    DisplayChange again = DisplaySetText(r.d, BLINK, "VEERING");
    EXPECT_TRUE(again.repaint);
    EXPECT_EQ(again.timer, DISPLAY_TIMER_START);
    EXPECT_EQ(r.d.hidden, 1);
}

TEST(DisplayState, CreationAndColoursAndFont) {
    Readout r(20, BLINK);
    EXPECT_EQ(r.d.drawFlags, BLINK);
    EXPECT_EQ(r.d.hidden, 0); // creation with the blink flag starts no blinking
    EXPECT_EQ(std::string(r.d.faceName), "Courier New");
    EXPECT_EQ(r.d.fontSize, 360);
    std::uint32_t colour = 0xDEADBEEF;
    const struct {
        std::uint32_t kind;
        std::uint32_t expected;
    } gets[] = {{0, 0x00FF00}, {1, 0}, {2, 0xDEADBEEF}};
    for (const auto& g : gets) {
        colour = 0xDEADBEEF;
        DisplayGetColor(r.d, g.kind, &colour);
        EXPECT_EQ(colour, g.expected) << g.kind;
    }
    DisplayGetColor(r.d, 0, nullptr); // must not crash
    EXPECT_TRUE(DisplaySetColor(r.d, 2, 0xFFFFFF).repaint);
    EXPECT_EQ(r.d.textColor, 0x00FF00u);
    EXPECT_EQ(r.d.backColor, 0u);
    DisplaySetColor(r.d, 1, 0x0000FF);
    EXPECT_EQ(r.d.backColor, 0x0000FFu);
    DisplaySetFont(r.d, (3u << 16) | 120, "A face name that is much longer than twenty-nine");
    EXPECT_EQ(r.d.fontSize, 120);
    EXPECT_EQ(r.d.fontStyle, 3);
    EXPECT_EQ(std::string(r.d.faceName), "A face name that is much long");
    DisplaySetFont(r.d, 0, nullptr);
    EXPECT_EQ(std::string(r.d.faceName), "Courier New");
}

TEST(DisplayFont, Sizes) {
    struct Case {
        int tenths;
        float dpi;
        int y;
        int height;
    };
    const Case cases[] = {
        {360, 96, 480, -48}, {100, 96, 133, -13}, {80, 96, 106, -11}, {360, 120, 600, -60}, {0, 96, 0, 0},
    };
    for (const Case& c : cases) {
        DisplayFontSize s = DisplayFontTenthsOfPixel(c.tenths, c.tenths, c.dpi, c.dpi);
        EXPECT_EQ(s.y, c.y) << c.tenths << "@" << c.dpi;
        EXPECT_EQ(s.x, c.y) << c.tenths << "@" << c.dpi;
        EXPECT_EQ(DisplayFontHeight(s.y), c.height) << c.tenths << "@" << c.dpi;
    }
    EXPECT_EQ(DisplayFontWidth(480, 480, 29), 29);   // square pixels keep the font's own width
    EXPECT_EQ(DisplayFontWidth(600, 480, 29), 36);   // wider pixels per inch horizontally
    EXPECT_EQ(DisplayFontWidth(5, 0, 29), 0);        // a size below one tenth of a pixel: the font's own
}
