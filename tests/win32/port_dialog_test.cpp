// The port dialog under Wine with pty-backed COM ports: list and label, OK without a choice, storing a
// choice, the warning for a port that no longer opens, Cancel; and F1 in the port and colours dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/colors_dialog_win32.h"
#include "config/port_dialog_win32.h"
#include "config/settings_store_win32.h"
#include "presentation/help_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/modal_driver_win32.h"
#include "tests/win32/support/test_env_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

constexpr int COM_LONG = 412, COM_SHORT = 42, COM_CURRENT = 43; // 412 and 42: text and number order differ

// The entries of the simulated ports, in the list's order. Wine maps COM ports without a link of their own
// to the machine's serial devices, so the rest of the list depends on the machine.
std::vector<std::string> Entries(HWND dialog) {
    std::vector<std::string> all, ours;
    for (LRESULT i = 0, n = SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_GETCOUNT, 0, 0); i < n; ++i) {
        char text[32] = "";
        SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        all.emplace_back(text);
        if (all.back() == "COM412" || all.back() == "COM42" || all.back() == "COM43") ours.push_back(text);
    }
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    return ours;
}

void Choose(HWND dialog, const char* entry) {
    LRESULT index = SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(entry));
    SelectItem(dialog, IDC_PORT_LIST, static_cast<int>(index));
}

DWORD StoredPort() {
    DWORD port = 0, size = sizeof port;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    RegQueryValueExA(key, "Port", nullptr, nullptr, reinterpret_cast<BYTE*>(&port), &size);
    RegCloseKey(key);
    return port;
}

AppState StateWithPort(std::int32_t port) {
    AppState state;
    FillDefaultState(state, GetModuleHandleA(nullptr), true, "C:\\KX205.TXT");
    state.portNumber = port;
    return state;
}

void SaveCapture(HWND window, const char* name) {
    Sleep(200); // the last change still has to be painted
    SaveArtifact(CaptureWindow(window, true), name);
}

} // namespace

TEST(PortDialog, ListsOpenablePortsButTheCurrentOneAndStoresTheChoice) {
    SimulatorOn a(COM_LONG, ""), b(COM_SHORT, ""), current(COM_CURRENT, "");
    ASSERT_TRUE(a.started && b.started && current.started);
    AppState state = StateWithPort(COM_CURRENT);
    SaveSettings(state, SETTINGS_PORT);
    std::vector<std::string> entries;
    std::string label;
    LRESULT selection = 0;
    bool openWithoutChoice = false, warnedWithoutChoice = true;
    auto choose = [&](HWND dialog) {
        entries = Entries(dialog);
        label = ControlText(dialog, IDC_CURRENT_PORT);
        selection = SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_GETCURSEL, 0, 0);
        Click(dialog, IDC_OK);
        openWithoutChoice = StillOpen(dialog, 400);
        warnedWithoutChoice = FindWindowA("#32770", "Rizuzedarar KX-205") != nullptr;
        Choose(dialog, "COM42");
        SaveCapture(dialog, "port_dialog_chosen");
        COMBOBOXINFO combo{};
        combo.cbSize = sizeof combo;
        SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_SHOWDROPDOWN, TRUE, 0);
        if (GetComboBoxInfo(GetDlgItem(dialog, IDC_PORT_LIST), &combo))
            SaveCapture(combo.hwndList, "port_dialog_list");
        SendDlgItemMessageA(dialog, IDC_PORT_LIST, CB_SHOWDROPDOWN, FALSE, 0);
        Click(dialog, IDC_OK);
    };
    INT_PTR result = RunModalDialog(IDD_PORT, PortDialog, reinterpret_cast<LPARAM>(&state), nullptr, {{"Port szeregowy", choose}});
    EXPECT_EQ(entries, (std::vector<std::string>{"COM412", "COM42"}));
    EXPECT_EQ(label, "COM43");
    EXPECT_EQ(selection, CB_ERR);
    EXPECT_TRUE(openWithoutChoice);
    EXPECT_FALSE(warnedWithoutChoice);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(state.portNumber, COM_SHORT);
    EXPECT_EQ(StoredPort(), 42u);
}

// Wine opens a tty a second time without complaint, so a port held by another program cannot be made
// here; a port whose device vanished after the list was filled fails the same way.
TEST(PortDialog, APortThatNoLongerOpensIsRefusedWithAWarning) {
    SimulatorOn a(COM_LONG, ""), b(COM_SHORT, "");
    ASSERT_TRUE(a.started && b.started);
    SaveSettings(StateWithPort(7), SETTINGS_PORT);
    AppState state = StateWithPort(VALUE_UNKNOWN);
    HWND dialog = nullptr, owner = nullptr;
    std::vector<std::string> before, after;
    std::string label = "unread", text;
    bool warningIcon = false;
    auto chooseVanished = [&](HWND d) {
        dialog = d;
        before = Entries(d);
        label = ControlText(d, IDC_CURRENT_PORT);
        StopSimulator(COM_LONG);
        Choose(d, "COM412");
        Click(d, IDC_OK);
    };
    auto readWarning = [&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        text = MessageText(box);
        LRESULT warning = reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_WARNING));
        for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
            warningIcon |= SendMessageA(c, STM_GETICON, 0, 0) == warning;
        }
        Click(box, IDOK);
        for (int i = 0; i < 100 && IsWindow(box); ++i)
            Sleep(20);
    };
    auto cancel = [&](HWND d) {
        after = Entries(d);
        Click(d, IDC_CANCEL);
    };
    INT_PTR result = RunModalDialog(IDD_PORT, PortDialog, reinterpret_cast<LPARAM>(&state), nullptr, {{"Port szeregowy", chooseVanished},
                                           {"Rizuzedarar KX-205", readWarning},
                                           {"Port szeregowy", cancel}});
    EXPECT_EQ(before, (std::vector<std::string>{"COM412", "COM42"})); // nothing left out
    EXPECT_EQ(label, "");
    EXPECT_EQ(text, "Wybrany port szeregowy jest ju\xBF zaj\xEAty.");
    EXPECT_EQ(owner, dialog);
    EXPECT_TRUE(warningIcon);
    EXPECT_EQ(after, before);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(state.portNumber, VALUE_UNKNOWN);
    EXPECT_EQ(StoredPort(), 7u);
}

namespace {

std::vector<std::pair<HWND, std::vector<DWORD>>> helpCalls;

BOOL WINAPI RecordHelp(HWND window, LPCSTR, UINT command, ULONG_PTR data) {
    const auto* pairs = reinterpret_cast<const DWORD*>(data);
    const DWORD* end = pairs;
    while (end[0] != 0)
        end += 2;
    if (command == HELP_WM_HELP) helpCalls.push_back({window, std::vector<DWORD>(pairs, end + 2)});
    return TRUE;
}

} // namespace

TEST(DialogHelp, ControlsGetTheirDialogsPairsAndTextsNothing) {
    struct Case {
        DLGPROC dialog;
        int control;
        std::vector<DWORD> pairs;
    };
    const Case cases[] = {
        {PortDialog, IDC_PORT_LIST, {1014, 0x806803F6, 1001, 0x806903E9, 1003, 0x806903EB, 0, 0}},
        {ColorsDialog,
         IDC_DIRECTION_BACK_COLOR,
         {1015, 0x806903F7, 1017, 0x806903F9, 1016, 0x806903F8, 1018, 0x806903FA, 1001, 0x806903E9, 1003,
          0x806903EB, 0, 0}},
    };
    HelpViewerFn previous = SetHelpViewer(RecordHelp);
    HWND control = reinterpret_cast<HWND>(0x1234);
    for (const Case& c : cases) {
        helpCalls.clear();
        HELPINFO request{sizeof(HELPINFO), HELPINFO_WINDOW, IDC_NONE, control, 0, {0, 0}};
        EXPECT_TRUE(c.dialog(nullptr, WM_HELP, 0, reinterpret_cast<LPARAM>(&request)));
        EXPECT_TRUE(helpCalls.empty());
        request.iCtrlId = c.control;
        EXPECT_TRUE(c.dialog(nullptr, WM_HELP, 0, reinterpret_cast<LPARAM>(&request)));
        ASSERT_EQ(helpCalls.size(), 1u);
        EXPECT_EQ(helpCalls[0].first, control);
        EXPECT_EQ(helpCalls[0].second, c.pairs);
    }
    SetHelpViewer(previous);
}
