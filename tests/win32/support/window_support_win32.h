// Test windows: a dialog that stands in for the main window, message pumping, and window captures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/message_pump_win32.h" // PumpUntil

// What the stand-in main window saw of the worker's posted messages.
struct HostMessages {
    std::vector<std::pair<UINT, WPARAM>> posted;
    int Count(UINT message) const;
    int Count(UINT message, WPARAM wParam) const;
};

// A dialog of the main window's size holding the status lines 1005 and 1006 and the serial number 1019,
// and both read-outs created with CreateDisplay as the main window creates them. Visible.
struct HostWindow {
    HWND dialog;
    HWND readouts[2];
    HostMessages messages;
};
bool CreateHostWindow(HostWindow& host, const std::uint32_t colors[4]);
void DestroyHostWindow(HostWindow& host);

// An empty dialog (dialog units work in it) for controls under test.
HWND CreateEmptyDialog(int widthDlu, int heightDlu);

void PumpFor(DWORD ms);

std::string ControlText(HWND dialog, int id);

// Pixels of a window's client area (or the whole window), as 0x00RRGGBB rows from the top.
struct Capture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    int CountColor(COLORREF color) const; // color as 0x00BBGGRR
};
Capture CaptureWindow(HWND window, bool wholeWindow = false);
// Saves a capture as a 24-bit BMP under $KX205_ARTIFACTS (created when missing); returns the path.
std::string SaveArtifact(const Capture& capture, const std::string& name);
