// Dialog templates 102 to 106 and menu 101 as Windows loads them: owner-less dialogs with their Windows-1250
// texts, control classes and positions, context help; the menu's items and commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

// clang-format off
// Texts are spelled as Windows-1250 bytes, so a script saved or compiled in another code page fails here and
// not only on screen. nullptr: a text not compared (empty fields, pictures). Rectangles in dialog units.
struct Control { int id; const char* className; const char* text; int x, y, cx, cy; };
// Controls in template order, which is the order of the child windows. A negative size is in pixels: a
// picture control takes its picture's size.
struct DialogCase { int id; const char* caption; bool contextHelp; std::vector<Control> controls; };

const DialogCase DIALOGS[] = {
    {IDD_MAIN, "", false, {
        {IDC_SERIAL_NUMBER, "Static", "", 108, 155, 29, 11},
        {IDC_NONE, "Static", "Pr\xEA" "dko\x9C\xE6 wiatru", 7, 6, 72, 10},
        {IDC_NONE, "Static", "Kierunek wiatru", 7, 58, 54, 10},
        {IDC_NONE, "Static", nullptr, 6, 140, -86, -49},
        {IDC_NONE, "Static", "Numer seryjny przyrz\xB9" "du:", 83, 144, 79, 10},
        {IDC_NONE, "Static", "", 0, 0, 183, 1},
        {IDC_MEASUREMENT_STATUS, "Static", "", 6, 109, 172, 11},
        {IDC_LOG_STATUS, "Static", "", 6, 125, 172, 11}}},
    {IDD_LOG_SETTINGS, "Rejestracja wynik\xF3w", true, {
        {IDC_NONE, "Static", "W pliku:", 7, 22, 27, 10},
        {IDC_NONE, "Static", "Interwa\xB3 rejestracji:", 7, 39, 61, 10},
        {IDC_NONE, "Static", "Format zapisu:", 102, 38, 114, 10},
        {IDC_NONE, "Static", "h", 22, 52, 8, 10},
        {IDC_NONE, "Static", "m", 45, 52, 8, 10},
        {IDC_NONE, "Static", "s", 71, 52, 8, 10},
        {IDC_LOG_ENABLED, "Button", "Rejestruj wyniki pomiar\xF3w", 7, 7, 96, 10},
        {IDC_LOG_FILE_NAME, "Edit", nullptr, 36, 20, 177, 12},
        {IDC_LOG_BROWSE, "Button", "...", 217, 20, 14, 12},
        {IDC_INTERVAL_HOURS, "Edit", nullptr, 7, 49, 13, 12},
        {IDC_INTERVAL_MINUTES, "Edit", nullptr, 29, 49, 13, 12},
        {IDC_INTERVAL_SECONDS, "Edit", nullptr, 55, 49, 13, 12},
        {IDC_LOG_FORMAT, "ComboBox", nullptr, 101, 50, 130, 105},
        {IDC_OK, "Button", "O&K", 54, 71, 50, 14},
        {IDC_CANCEL, "Button", "&Anuluj", 133, 71, 50, 14}}},
    {IDD_PORT, "Port szeregowy", true, {
        {IDC_NONE, "Static", "Wybierz port szeregowy, do kt\xF3rego do\xB3\xB9"
                             "czony jest wiatromierz KX-205:", 7, 7, 162, 19},
        {IDC_PORT_LIST, "ComboBox", nullptr, 64, 34, 48, 45},
        {IDC_OK, "Button", "O&K", 23, 69, 50, 14},
        {IDC_CANCEL, "Button", "&Anuluj", 101, 69, 50, 14},
        {IDC_NONE, "Static", "Aktualnie u\xBFywany:", 39, 52, 62, 8},
        {IDC_CURRENT_PORT, "Static", nullptr, 110, 52, 42, 8}}},
    {IDD_COLORS, "Kolory", true, {
        {IDC_NONE, "Button", "Pr\xEA" "dko\x9C\xE6 wiatru", 7, 7, 146, 55},
        {IDC_NONE, "Button", "Kierunek wiatru", 7, 66, 146, 55},
        {IDC_SPEED_TEXT_COLOR, "Button", "Kolor tekstu", 78, 19, 63, 14},
        {IDC_SPEED_BACK_COLOR, "Button", "Kolor t\xB3" "a", 78, 39, 63, 14},
        {IDC_DIRECTION_TEXT_COLOR, "Button", "Kolor tekstu", 78, 78, 63, 14},
        {IDC_DIRECTION_BACK_COLOR, "Button", "Kolor t\xB3" "a", 78, 98, 63, 14},
        {IDC_OK, "Button", "O&K", 23, 128, 46, 14},
        {IDC_CANCEL, "Button", "&Anuluj", 89, 128, 46, 14}}},
    {IDD_ABOUT, "O programie", false, {
        {IDC_OK, "Button", "O&K", 52, 161, 50, 14},
        {IDC_NONE, "Static", nullptr, 31, 7, 91, 78},
        {IDC_NONE, "Static", nullptr, 48, 90, 57, 30},
        {IDC_NONE, "Static", "Rizuzedarar KX-205\nWersja 2.6", 9, 128, 134, 27}}},
};
// clang-format on

HINSTANCE Module() { return GetModuleHandleA(nullptr); }

// No dialog procedure: the default one is all a template needs to be laid out.
HWND Load(int id) { return CreateDialogParamA(Module(), MAKEINTRESOURCEA(id), nullptr, nullptr, 0); }

// A whole control on one line, so that a mismatch shows everything about it at once.
std::string Describe(int id, const char* className, const char* text, const RECT& r) {
    return std::to_string(id) + " " + className + " \"" + text + "\" " + std::to_string(r.left) + "," +
           std::to_string(r.top) + "-" + std::to_string(r.right) + "," + std::to_string(r.bottom);
}

} // namespace

TEST(DialogResources, DialogsHaveTheirTextsClassesAndPositions) {
    for (const DialogCase& d : DIALOGS) {
        SCOPED_TRACE(d.id);
        HWND w = Load(d.id);
        ASSERT_NE(w, nullptr);
        char text[256], className[64];
        GetWindowTextA(w, text, sizeof text);
        EXPECT_STREQ(text, d.caption);
        // The template's bit as the window keeps it: Wine does not turn it into WS_EX_CONTEXTHELP.
        EXPECT_EQ((GetWindowLongA(w, GWL_STYLE) & DS_CONTEXTHELP) != 0, d.contextHelp);
        HWND child = GetWindow(w, GW_CHILD);
        for (const Control& c : d.controls) {
            ASSERT_NE(child, nullptr);
            GetClassNameA(child, className, sizeof className);
            GetWindowTextA(child, text, sizeof text);
            // Origin and size are mapped apart, as the dialog manager maps them: each is rounded on its own.
            RECT want = {c.x, c.y, c.cx < 0 ? 0 : c.cx, c.cy < 0 ? 0 : c.cy}, got;
            MapDialogRect(w, &want);
            if (c.cx < 0) want.right = -c.cx;
            if (c.cy < 0) want.bottom = -c.cy;
            SetRect(&want, want.left, want.top, want.left + want.right, want.top + want.bottom);
            GetWindowRect(child, &got);
            MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&got), 2);
            // A drop-down list shows only its selection field, whose height follows the font.
            if (std::string(c.className) == "ComboBox") got.bottom = want.bottom;
            EXPECT_EQ(Describe(GetDlgCtrlID(child), className, text, got),
                      Describe(c.id, c.className, c.text ? c.text : text, want));
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr) << "more controls than expected";
        DestroyWindow(w);
    }
}

// Menu 101 as the main window carries it: two menus, their items in order with texts and commands (0 for a
// separator).
TEST(DialogResources, MainMenu) {
    struct Item { const char* text; UINT id; };
    const std::vector<std::pair<const char*, std::vector<Item>>> menus = {
        {"&KX-205", {{"&Rejestracja wynik\xF3w", IDM_LOG_SETTINGS}, {"&Port szeregowy", IDM_PORT},
                     {"&Kolory", IDM_COLORS}, {"", 0}, {"Od&instaluj program", IDM_UNINSTALL}, {"", 0},
                     {"Za&ko\xF1" "cz", IDM_EXIT}}},
        {"Pomo&c", {{"&Spis tre\x9C" "ci", IDM_HELP_CONTENTS}, {"", 0}, {"&O programie", IDM_ABOUT}}}};
    HMENU bar = LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAIN_MENU));
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
