// The colours dialog under Wine, with Wine's own colour chooser: previews, which button sets which colour,
// Cancel keeping the choice without applying it, OK applying and saving, an owner-less OK; and the about box.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "config/about_dialog_win32.h"
#include "config/colors_dialog_win32.h"
#include "config/settings_store_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/modal_driver_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

using Colors = std::array<std::uint32_t, 4>; // in AppState order
const Colors OLD = {RGB(0, 255, 0), RGB(10, 20, 30), RGB(255, 255, 0), RGB(40, 50, 60)};
const Colors NEW = {RGB(200, 30, 60), RGB(240, 240, 200), RGB(20, 90, 250), RGB(70, 0, 110)};

// Buttons in the order the flow presses them, each with the AppState slot it sets.
const int BUTTON_SLOTS[4][2] = {{1015, 0}, {1017, 1}, {1016, 2}, {1018, 3}};

// The red, green and blue fields of Wine's colour chooser (caption "Kolor"), found by listing its children.
constexpr int CHOOSER_RED = 706, CHOOSER_GREEN = 707, CHOOSER_BLUE = 708;

// Colours of two Display controls (previews or read-outs), in AppState order; 1 where a control is missing.
Colors ColorsOf(HWND speed, HWND direction) {
    Colors c = {1, 1, 1, 1};
    for (int slot = 0; slot < 4; ++slot) {
        SendMessageA(slot < 2 ? speed : direction, DM_GETCOLOR, slot % 2, reinterpret_cast<LPARAM>(&c[slot]));
    }
    return c;
}
Colors PreviewColors(HWND dialog) {
    return ColorsOf(GetDlgItem(dialog, 1), GetDlgItem(dialog, 2));
}

Colors StoredColors() {
    Colors c{};
    DWORD size = sizeof c;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS) return c;
    RegQueryValueExA(key, "Colors", nullptr, nullptr, reinterpret_cast<BYTE*>(c.data()), &size);
    RegCloseKey(key);
    return c;
}

AppState StateWithColors(const Colors& colors) {
    AppState state;
    FillDefaultState(state, GetModuleHandleA(nullptr), true, "C:\\KX205.TXT");
    std::copy(colors.begin(), colors.end(), state.colors);
    return state;
}

// Accepts colour in the chooser and waits until it has gone; returns the colour it opened with.
std::uint32_t AnswerChooser(HWND chooser, std::uint32_t colour) {
    const int fields[3] = {CHOOSER_RED, CHOOSER_GREEN, CHOOSER_BLUE};
    UINT initial[3];
    for (int i = 0; i < 3; ++i) {
        initial[i] = GetDlgItemInt(chooser, fields[i], nullptr, FALSE);
        SetItemText(chooser, fields[i], std::to_string((colour >> (8 * i)) & 0xFF));
    }
    Click(chooser, IDOK);
    for (int i = 0; i < 100 && IsWindow(chooser); ++i)
        Sleep(20);
    return RGB(initial[0], initial[1], initial[2]);
}

} // namespace

TEST(ColorsDialog, ChosenColoursPreviewAtOnceButReachTheReadoutsOnlyAtOk) {
    AppState state = StateWithColors(OLD);
    HostWindow host{};
    ASSERT_TRUE(CreateHostWindow(host, state.colors));
    state.readouts[0] = host.readouts[0];
    state.readouts[1] = host.readouts[1];
    SaveSettings(state, SETTINGS_COLORS);

    Colors atOpening{}, chooserStart{}, previewed{}, atReopening{};
    auto open = [&](HWND dialog) {
        atOpening = PreviewColors(dialog);
        Click(dialog, BUTTON_SLOTS[0][0]);
    };
    std::vector<ModalStep> steps = {{"Kolory", open}};
    for (int i = 0; i < 4; ++i) {
        int slot = BUTTON_SLOTS[i][1];
        auto choose = [&, slot](HWND chooser) { chooserStart[slot] = AnswerChooser(chooser, NEW[slot]); };
        auto next = [&, i](HWND dialog) {
            if (i < 3) return Click(dialog, BUTTON_SLOTS[i + 1][0]);
            previewed = PreviewColors(dialog);
            Sleep(200); // the previews repaint once the chooser has gone
            SaveArtifact(CaptureWindow(dialog, true), "colors_dialog_chosen");
            Click(dialog, IDC_CANCEL);
        };
        steps.push_back({"Kolor", choose});
        steps.push_back({"Kolory", next});
    }
    EXPECT_EQ(RunModalDialog(IDD_COLORS, ColorsDialog, reinterpret_cast<LPARAM>(&state), host.dialog, steps), 0);
    EXPECT_EQ(atOpening, OLD);
    EXPECT_EQ(chooserStart, OLD);
    EXPECT_EQ(previewed, NEW);
    EXPECT_EQ(std::to_array(state.colors), NEW);
    EXPECT_EQ(ColorsOf(host.readouts[0], host.readouts[1]), OLD);
    EXPECT_EQ(StoredColors(), OLD);

    auto reopen = [&](HWND dialog) {
        atReopening = PreviewColors(dialog);
        Click(dialog, IDC_OK);
    };
    EXPECT_EQ(RunModalDialog(IDD_COLORS, ColorsDialog, reinterpret_cast<LPARAM>(&state), host.dialog, {{"Kolory", reopen}}), 1);
    EXPECT_EQ(atReopening, NEW);
    EXPECT_EQ(ColorsOf(host.readouts[0], host.readouts[1]), NEW);
    EXPECT_EQ(StoredColors(), NEW);
    UpdateWindow(host.readouts[1]);
    Capture direction = CaptureWindow(host.readouts[1]);
    EXPECT_EQ(direction.CountColor(NEW[3]), direction.width * direction.height); // repainted; it has no text
    DestroyHostWindow(host);
}

TEST(ColorsDialog, OkWithoutOwnerOrReadoutsSavesTheColours) {
    AppState state = StateWithColors(NEW);
    EXPECT_EQ(
        RunModalDialog(IDD_COLORS, ColorsDialog, reinterpret_cast<LPARAM>(&state), nullptr, {{"Kolory", [](HWND d) { Click(d, IDC_OK); }}}),
        1);
    EXPECT_EQ(std::to_array(state.colors), NEW);
    EXPECT_EQ(StoredColors(), NEW);
}

TEST(AboutDialog, OnlyOkAndTheCloseCommandEndIt) {
    const std::pair<std::function<void(HWND)>, INT_PTR> cases[] = {
        {[](HWND d) { Click(d, IDC_OK); }, 1},
        {[](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }, 0},
        {[](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0},
    };
    int n = 0;
    for (const auto& [act, expected] : cases) {
        SCOPED_TRACE(++n);
        bool escapeIgnored = false;
        auto escapeThenAct = [&](HWND d) {
            PostMessageA(GetDlgItem(d, IDC_OK), WM_KEYDOWN, VK_ESCAPE, 0); // becomes IDCANCEL
            escapeIgnored = StillOpen(d, 300);
            act(d);
        };
        INT_PTR result =
            RunModalDialog(IDD_ABOUT, AboutDialog, reinterpret_cast<LPARAM>(nullptr), nullptr, {{"O programie", escapeThenAct}});
        EXPECT_TRUE(escapeIgnored);
        EXPECT_EQ(result, expected);
    }
}
