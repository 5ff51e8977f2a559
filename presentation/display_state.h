// The read-out control's record, its text and blink state machine, and its font size arithmetic.
// The window procedure applies what these functions decide: repaint or not, start, restart or stop the timer.
#pragma once

#include <cstdint>

#include "presentation/value_text.h" // DISPLAY_BLINK

constexpr int DISPLAY_FACE_CAPACITY = 30; // 29 characters and the terminator
extern const char DISPLAY_DEFAULT_FACE[]; // "Courier New"

struct DisplayState {
    char* text;               // owned buffer of bufferSize characters
    std::int32_t hidden;      // 1 in the hidden phase of blinking
    std::int32_t bufferSize;
    std::int32_t fontSize;    // tenths of a point
    std::int32_t fontStyle;   // 1 bold, 2 italic, 4 underline, 8 strike-out
    std::uint32_t drawFlags;  // DrawTextA flags; bit 31 blinks
    std::uint32_t textColor;  // 0x00BBGGRR
    std::uint32_t backColor;
    char faceName[DISPLAY_FACE_CAPACITY];
};

enum DisplayTimer : int { DISPLAY_TIMER_KEEP = 0, DISPLAY_TIMER_START = 1, DISPLAY_TIMER_STOP = 2 };

struct DisplayChange {
    bool repaint;
    DisplayTimer timer; // START also means restart: the phase begins anew
};

// Fills a zeroed record at creation; text must point to bufferSize zeroed characters. Starts no timer,
// whatever the flags say.
void DisplayInit(DisplayState& d, char* text, int bufferSize, const char* face, int pointSize, int style,
                 std::uint32_t flags, std::uint32_t textColor, std::uint32_t backColor);

DisplayChange DisplaySetText(DisplayState& d, std::uint32_t flags, const char* text);
DisplayChange DisplaySetColor(DisplayState& d, std::uint32_t kind, std::uint32_t color);
DisplayChange DisplaySetFont(DisplayState& d, std::uint32_t sizeAndStyle, const char* face);
// Stores the colour of kind 0 (text) or 1 (background); nothing for a null target or another kind.
void DisplayGetColor(const DisplayState& d, std::uint32_t kind, std::uint32_t* out);
DisplayChange DisplayTimerTick(DisplayState& d);

// Font size arithmetic: sizes in tenths of a point, resolutions in pixels per inch.
struct DisplayFontSize {
    int x; // width size in tenths of a device pixel
    int y; // height size in tenths of a device pixel
};
DisplayFontSize DisplayFontTenthsOfPixel(int widthTenths, int heightTenths, float dpiX, float dpiY);
// Character height for LOGFONT: whole pixels rounded half up, negative to exclude internal leading.
int DisplayFontHeight(int y);
// Average character width that keeps the proportions of non-square pixels; 0 (the font's own) when y is 0.
int DisplayFontWidth(int x, int y, int averageCharWidth);
