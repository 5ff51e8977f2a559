// The read-out control "Display": a large line of text in its own colours, inside a sunken border, that can blink.
#pragma once

#include <windows.h>

#include "presentation/value_text.h" // DISPLAY_BLINK
#include "resources/resource.h"    // DM_ messages

constexpr UINT DISPLAY_BLINK_MS = 500;

// rect is in the parent's dialog units and holds pixels afterwards. Null on any failure (also for a
// buffer size of 0, which creates nothing).
HWND CreateDisplay(HINSTANCE instance, HWND parent, int id, RECT* rect, COLORREF textColor, COLORREF backColor,
                   const char* face, int pointSize, int style, DWORD flags, int bufferSize);

// Sizes in tenths of a point; a width size of 0 leaves the width to the font. The caller deletes the font.
HFONT CreateDisplayFont(HDC dc, const char* face, int heightSize, int widthSize, int style, BOOL logicalResolution);
