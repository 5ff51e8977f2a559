// Help with and without the help file beside the program: the platform's viewer gets exactly the requests
// it always got; without the file the program shows its own pop-ups and guide.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/colors_dialog_win32.h"
#include "config/port_dialog_win32.h"
#include "logging/log_settings_dialog_win32.h"
#include "presentation/help_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

struct Call {
    HWND window;
    std::string path;
    UINT command;
    std::vector<DWORD> pairs;
    bool operator==(const Call&) const = default;
};
std::vector<Call> calls;

BOOL WINAPI RecordHelp(HWND window, LPCSTR path, UINT command, ULONG_PTR data) {
    Call call{window, path != nullptr ? path : "", command, {}};
    for (const DWORD* p = reinterpret_cast<const DWORD*>(data); command == HELP_WM_HELP; p += 2) {
        call.pairs.insert(call.pairs.end(), p, p + 2);
        if (p[0] == 0) break;
    }
    calls.push_back(call);
    return TRUE;
}

HELPINFO F1On(HWND dialog, int id) {
    return {sizeof(HELPINFO), HELPINFO_WINDOW, id, id == IDC_NONE ? nullptr : GetDlgItem(dialog, id), 0, {0, 0}};
}

} // namespace

TEST(Help, WithTheHelpFileEveryRequestGoesToTheViewerAsBefore) {
    char path[MAX_PATH];
    ModuleSiblingPath(path, MAX_PATH, ".HLP");
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    HelpViewerFn previous = SetHelpViewer(RecordHelp);
    HWND owner = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
    const std::pair<DLGPROC, std::vector<DWORD>> dialogs[] = {
        {LogSettingsDialog, {1013, 0x806703F5, 1010, 0x806703F2, 1011, 0x806703F3, 1012, 0x806703F4, 1009,
                             0x806703F1, 1007, 0x806703EF, 1008, 0x806703F0, 1001, 0x806903E9, 1003, 0x806903EB, 0, 0}},
        {PortDialog, {1014, 0x806803F6, 1001, 0x806903E9, 1003, 0x806903EB, 0, 0}},
        {ColorsDialog, {1015, 0x806903F7, 1017, 0x806903F9, 1016, 0x806903F8, 1018, 0x806903FA, 1001, 0x806903E9,
                        1003, 0x806903EB, 0, 0}},
    };
    std::vector<Call> expected;
    for (const auto& [dialog, pairs] : dialogs) {
        HELPINFO none = F1On(owner, IDC_NONE), ok = F1On(owner, IDC_OK);
        EXPECT_TRUE(dialog(owner, WM_HELP, 0, reinterpret_cast<LPARAM>(&none))); // nothing for a static text
        EXPECT_TRUE(dialog(owner, WM_HELP, 0, reinterpret_cast<LPARAM>(&ok)));
        expected.push_back({static_cast<HWND>(ok.hItemHandle), path, HELP_WM_HELP, pairs});
    }
    HelpContents(owner);
    DeleteFileA(path); // removed while the program runs: the viewer it asked is still let go of
    HelpQuit(owner);
    expected.push_back({owner, path, HELP_CONTENTS, {}});
    expected.push_back({owner, "", HELP_QUIT, {}});
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(FindWindowA("Kx205HelpGuide", nullptr), nullptr);
    SetHelpViewer(previous);
    DestroyWindow(owner);
}

TEST(Help, WithoutItThePopUpsAndTheGuideAreTheProgramsOwn) {
    HelpViewerFn previous = SetHelpViewer(RecordHelp);
    calls.clear();
    HWND owner = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PORT), owner, nullptr, 0);
    HELPINFO none = F1On(dialog, IDC_NONE), list = F1On(dialog, IDC_PORT_LIST);
    ShowContextHelp(&none, PORT_HELP_PAIRS);
    EXPECT_EQ(FindWindowA("Kx205HelpPopup", nullptr), nullptr);
    ShowContextHelp(&list, PORT_HELP_PAIRS);
    HWND popup = FindWindowA("Kx205HelpPopup", nullptr);
    ASSERT_NE(popup, nullptr); // its text and its closing by a key: the menu scenario
    RECT at, below;
    GetWindowRect(static_cast<HWND>(list.hItemHandle), &at);
    GetWindowRect(popup, &below);
    EXPECT_EQ(below.top, at.bottom + 2); // next to the control it explains

    HelpContents(owner); // owned by the main window, so it never hides behind it
    HWND guide = FindWindowA("Kx205HelpGuide", nullptr);
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(GetWindow(guide, GW_OWNER), owner);
    SetForegroundWindow(owner);
    HelpContents(owner); // a second request brings the guide to the front instead of opening another
    EXPECT_EQ(FindWindowExA(nullptr, guide, "Kx205HelpGuide", nullptr), nullptr);
    EXPECT_EQ(GetForegroundWindow(), guide);
    HelpQuit(owner);
    EXPECT_FALSE(IsWindow(guide));
    EXPECT_TRUE(calls.empty()); // the viewer was never asked
    SetHelpViewer(previous);
    DestroyWindow(owner);
}
