// The menu's items and commands as Windows loads them, and the dialogs the program's scenarios do not walk
// through: the colours dialog with its chooser, and the about box, which Esc does not close.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "config/about_dialog_win32.h"
#include "config/colors_dialog_win32.h"
#include "config/settings_store.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

constexpr int CHOOSER_RED = 706; // Wine's colour chooser: red, green and blue fields one after the other

// A value as stored, its bytes as a string; "" when it is absent.
std::string Stored(const char* name) {
    char data[300];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return "";
    return std::string(data, size);
}

struct Fixture {
    HostWindow host;
    AppState state;
    Fixture() {
        FillDefaultState(state, GetModuleHandleA(nullptr), true, "unused.log");
        CreateHostWindow(host, state.colors);
        state.mainWindow = host.dialog;
        state.readouts[0] = host.readouts[0];
        state.readouts[1] = host.readouts[1];
        RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    }
    ~Fixture() { DestroyWindow(host.dialog); }
};

// The dialogs are made modeless and sent what the user's clicks send; the colour chooser is answered from
// inside its own modal loop by a timer of this thread, as a user typing a colour would.
HWND Open(int id, DLGPROC procedure, AppState* state, HWND owner) {
    HWND d = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), owner, procedure,
                                reinterpret_cast<LPARAM>(state));
    ShowWindow(d, SW_SHOW);
    return d;
}

void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

const std::uint32_t CHOSEN = RGB(200, 30, 60);

void CALLBACK AnswerChooser(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND chooser = FindWindowA(nullptr, "Kolor");
    if (chooser == nullptr) return;
    KillTimer(nullptr, timer);
    for (int i = 0; i < 3; ++i) SetItemText(chooser, CHOOSER_RED + i, std::to_string((CHOSEN >> (8 * i)) & 0xFF));
    Click(chooser, IDOK);
}

} // namespace

TEST(ColorsDialog, ChosenColoursPreviewAtOnceAndReachTheReadoutsAndSettingsOnlyAtOk) {
    Fixture f;
    HWND d = Open(IDD_COLORS, ColorsDialog, &f.state, f.host.dialog);
    SetTimer(nullptr, 0, 50, AnswerChooser);
    Press(d, IDC_DIRECTION_BACK_COLOR); // returns once the chooser was answered
    std::uint32_t previewed = 0, readout = 0;
    SendMessageA(GetDlgItem(d, 2), DM_GETCOLOR, 1, reinterpret_cast<LPARAM>(&previewed)); // direction, background
    SendMessageA(f.state.readouts[1], DM_GETCOLOR, 1, reinterpret_cast<LPARAM>(&readout));
    EXPECT_EQ(std::pair(previewed, readout), std::pair(CHOSEN, 0u)); // the read-out not before OK
    Press(d, IDC_CANCEL);
    EXPECT_FALSE(IsWindowVisible(d));
    EXPECT_EQ(Stored("Colors"), "");
    DestroyWindow(d);
    d = Open(IDD_COLORS, ColorsDialog, &f.state, f.host.dialog);
    Press(d, IDC_OK);
    SendMessageA(f.state.readouts[1], DM_GETCOLOR, 1, reinterpret_cast<LPARAM>(&readout));
    EXPECT_EQ(readout, CHOSEN);
    const std::uint32_t all[4] = {0x0000FF00, 0, 0x00FFFF00, CHOSEN};
    EXPECT_EQ(Stored("Colors"), std::string(reinterpret_cast<const char*>(all), sizeof all));
    DestroyWindow(d);
}

// Esc is IDCANCEL, which the about box does not answer: only OK ends it.
TEST(AboutDialog, OnlyOkEndsIt) {
    HWND d = Open(IDD_ABOUT, AboutDialog, nullptr, nullptr);
    Press(d, IDCANCEL);
    EXPECT_TRUE(IsWindowVisible(d));
    Press(d, IDC_OK);
    EXPECT_FALSE(IsWindowVisible(d));
    DestroyWindow(d);
}

// Menu 101 as the main window carries it: two menus, their items in order with texts and commands (0 for a
// separator).
TEST(DialogResources, MainMenu) {
    struct Item { const char* text; UINT id; };
    const std::vector<std::pair<const char*, std::vector<Item>>> menus = {
        {"&KX-205", {{"&Statystyka wiatru...", IDM_STATISTICS}, {"", 0},
                     {"&Rejestracja wynik\xF3w", IDM_LOG_SETTINGS}, {"&Port szeregowy", IDM_PORT},
                     {"&Kolory", IDM_COLORS}, {"", 0}, {"Od&instaluj program", IDM_UNINSTALL}, {"", 0},
                     {"Za&ko\xF1" "cz", IDM_EXIT}}},
        {"Pomo&c", {{"&Spis tre\x9C" "ci", IDM_HELP_CONTENTS}, {"", 0}, {"&O programie", IDM_ABOUT}}}};
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(menus.size()));
    char text[64];
    for (int m = 0; m < GetMenuItemCount(bar); ++m) {
        GetMenuStringA(bar, m, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, menus[m].first);
        HMENU sub = GetSubMenu(bar, m);
        ASSERT_EQ(GetMenuItemCount(sub), static_cast<int>(menus[m].second.size()));
        for (int i = 0; i < GetMenuItemCount(sub); ++i) {
            text[0] = '\0';
            GetMenuStringA(sub, i, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, menus[m].second[i].text);
            EXPECT_EQ(GetMenuItemID(sub, i), menus[m].second[i].id);
        }
    }
    DestroyMenu(bar);
}
