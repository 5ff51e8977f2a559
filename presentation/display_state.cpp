// Read-out state machine and font arithmetic, independent of the window system.
#include "presentation/display_state.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

const char DISPLAY_DEFAULT_FACE[] = "Courier New";

namespace {

void CopyCut(char* out, int capacity, const char* text) {
    int n = 0;
    while (n < capacity - 1 && text[n] != '\0') {
        out[n] = text[n];
        ++n;
    }
    out[n] = '\0';
}

void SetFace(DisplayState& d, const char* face) {
    CopyCut(d.faceName, DISPLAY_FACE_CAPACITY, face != nullptr ? face : DISPLAY_DEFAULT_FACE);
}

} // namespace

void DisplayInit(DisplayState& d, char* text, int bufferSize, const char* face, int pointSize, int style,
                 std::uint32_t flags, std::uint32_t textColor, std::uint32_t backColor) {
    d.text = text;
    d.text[0] = '\0';
    d.hidden = 0;
    d.bufferSize = bufferSize;
    d.fontSize = pointSize * 10;
    d.fontStyle = style;
    d.drawFlags = flags;
    d.textColor = textColor;
    d.backColor = backColor;
    SetFace(d, face);
}

DisplayChange DisplaySetText(DisplayState& d, std::uint32_t flags, const char* text) {
    if (text == nullptr || (flags == d.drawFlags && std::strcmp(text, d.text) == 0)) {
        return {false, DISPLAY_TIMER_KEEP};
    }
    CopyCut(d.text, d.bufferSize, text);
    d.drawFlags = flags;
    if ((flags & DISPLAY_BLINK) != 0) {
        d.hidden = 1;
        return {true, DISPLAY_TIMER_START};
    }
    d.hidden = 0;
    return {true, DISPLAY_TIMER_STOP};
}

DisplayChange DisplaySetColor(DisplayState& d, std::uint32_t kind, std::uint32_t color) {
    if (kind == 0) d.textColor = color;
    if (kind == 1) d.backColor = color;
    return {true, DISPLAY_TIMER_KEEP};
}

DisplayChange DisplaySetFont(DisplayState& d, std::uint32_t sizeAndStyle, const char* face) {
    d.fontSize = static_cast<std::int32_t>(sizeAndStyle & 0xFFFF);
    d.fontStyle = static_cast<std::int32_t>(sizeAndStyle >> 16);
    SetFace(d, face);
    return {true, DISPLAY_TIMER_KEEP};
}

void DisplayGetColor(const DisplayState& d, std::uint32_t kind, std::uint32_t* out) {
    if (out == nullptr) return;
    if (kind == 0) *out = d.textColor;
    if (kind == 1) *out = d.backColor;
}

DisplayChange DisplayTimerTick(DisplayState& d) {
    if ((d.drawFlags & DISPLAY_BLINK) == 0) {
        d.hidden = 0;
        return {false, DISPLAY_TIMER_KEEP};
    }
    d.hidden = d.hidden != 0 ? 0 : 1;
    return {true, DISPLAY_TIMER_KEEP};
}

DisplayFontSize DisplayFontTenthsOfPixel(int widthTenths, int heightTenths, float dpiX, float dpiY) {
    // Single precision on purpose: the arithmetic must truncate exactly as the drawing code always has.
    const float k = 1.0f / 72.0f;
    return {static_cast<int>(static_cast<float>(widthTenths) * dpiX * k),
            static_cast<int>(static_cast<float>(heightTenths) * dpiY * k)};
}

int DisplayFontHeight(int y) { return -static_cast<int>(std::abs(y) * 0.1 + 0.5); }

int DisplayFontWidth(int x, int y, int averageCharWidth) {
    if (y == 0) return 0;
    return static_cast<int>(std::abs(x) * static_cast<double>(averageCharWidth) / std::abs(y) + 0.5);
}
