// The colours dialog: two small read-outs preview the colours; OK hands them to the main read-outs and saves.
#include "config/colors_dialog_win32.h"

#include <commdlg.h>

#include <new>

#include "app/app_state.h"
#include "config/settings_store_win32.h"
#include "presentation/display_win32.h"
#include "presentation/help_win32.h"
#include "resources/resource.h"

// clang-format off
// One pair a line.
const DWORD COLORS_HELP_PAIRS[14] = {IDC_SPEED_TEXT_COLOR, HID_SPEED_TEXT_COLOR,
                                     IDC_SPEED_BACK_COLOR, HID_SPEED_BACK_COLOR,
                                     IDC_DIRECTION_TEXT_COLOR, HID_DIRECTION_TEXT_COLOR,
                                     IDC_DIRECTION_BACK_COLOR, HID_DIRECTION_BACK_COLOR,
                                     IDC_OK, HID_OK,
                                     IDC_CANCEL, HID_CANCEL,
                                     0, 0};
// clang-format on

namespace {

// One opening of the dialog; lives from WM_INITDIALOG to WM_NCDESTROY.
struct ColorsDialogState {
    AppState* state;
    HWND previews[2]; // indexed by Quantity
    COLORREF customColors[CUSTOM_COLOR_COUNT];
};

// Dialog units, left, top, right, bottom: inside the group boxes, left of the buttons.
const RECT PREVIEW_RECTS[2] = {{15, 18, 67, 54}, {15, 77, 67, 113}};
const char* const PREVIEW_TEXTS[2] = {"VE", "AZ"};

ColorsDialogState* StateOf(HWND dialog) {
    return reinterpret_cast<ColorsDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

BOOL OpenColorsDialog(HWND dialog, AppState* state) {
    auto* colors = new (std::nothrow) ColorsDialogState{};
    if (colors == nullptr) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(colors));
    colors->state = state;
    for (int p = 0; p < 2; ++p) {
        RECT rect = PREVIEW_RECTS[p];
        colors->previews[p] = CreateDisplay(state->instance, dialog, p + 1, &rect, state->colors[2 * p],
                                            state->colors[2 * p + 1], "Courier New", 36, 1, DT_CENTER, 3);
        SendMessageA(colors->previews[p], DM_SETTEXT, DT_CENTER, reinterpret_cast<LPARAM>(PREVIEW_TEXTS[p]));
    }
    for (COLORREF& custom : colors->customColors)
        custom = 0x00FFFFFF;
    return TRUE;
}

void CloseColorsDialog(HWND dialog) {
    delete StateOf(dialog);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
}

// Buttons 1015 to 1018: speed and direction alternate, text colours first, then backgrounds.
void PickColor(HWND dialog, int button) {
    ColorsDialogState& colors = *StateOf(dialog);
    int n = button - IDC_SPEED_TEXT_COLOR;
    int preview = n % 2, kind = n / 2;
    std::uint32_t& slot = colors.state->colors[2 * preview + kind];
    if (ChooseColour(dialog, slot, colors.customColors)) {
        SendMessageA(colors.previews[preview], DM_SETCOLOR, kind, slot);
    }
}

void ApplyColors(HWND dialog) {
    ColorsDialogState& colors = *StateOf(dialog);
    AppState& state = *colors.state;
    // The previews are the source: a missing preview leaves its slots alone, and the main read-outs
    // (absent during first-run registration) still get what AppState holds.
    for (int p = 0; p < 2; ++p) {
        for (int kind = 0; kind < 2; ++kind) {
            std::uint32_t& slot = state.colors[2 * p + kind];
            SendMessageA(colors.previews[p], DM_GETCOLOR, kind, reinterpret_cast<LPARAM>(&slot));
            SendMessageA(state.readouts[p], DM_SETCOLOR, kind, slot);
        }
    }
    SaveSettings(state, SETTINGS_COLORS);
    EndDialog(dialog, 1);
}

} // namespace

BOOL ChooseColour(HWND owner, std::uint32_t& slot, COLORREF* customColors) {
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.rgbResult = slot;
    chooser.lpCustColors = customColors;
    chooser.Flags = CC_RGBINIT | CC_FULLOPEN;
    BOOL accepted = ChooseColorA(&chooser);
    if (accepted) slot = chooser.rgbResult;
    return accepted;
}

INT_PTR CALLBACK ColorsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OpenColorsDialog(dialog, reinterpret_cast<AppState*>(lParam));
    case WM_NCDESTROY:
        CloseColorsDialog(dialog);
        return FALSE;
    case WM_COMMAND:
        if (StateOf(dialog) == nullptr) return FALSE; // the opening failed and the dialog is ending
        switch (LOWORD(wParam)) {
        case IDC_SPEED_TEXT_COLOR:
        case IDC_DIRECTION_TEXT_COLOR:
        case IDC_SPEED_BACK_COLOR:
        case IDC_DIRECTION_BACK_COLOR:
            PickColor(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_OK:
            ApplyColors(dialog);
            return TRUE;
        case IDC_CANCEL:
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    case WM_HELP:
        return ShowContextHelp(reinterpret_cast<const HELPINFO*>(lParam), COLORS_HELP_PAIRS);
    }
    return FALSE;
}
