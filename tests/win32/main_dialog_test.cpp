// The main window as start-up creates it: what it shows before the worker's first update, what it lacks
// (maximising), help from anywhere, Uninstall for the first instance only, and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "presentation/display_state.h"
#include "presentation/help_win32.h"
#include "presentation/main_dialog_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

std::vector<UINT> helpCommands;

BOOL WINAPI RecordHelp(HWND, LPCSTR path, UINT command, ULONG_PTR) {
    std::string p = path != nullptr ? path : "";
    // Contents from the help file beside the program; quitting names no file.
    bool right = command == HELP_QUIT ? path == nullptr : p.size() > 4 && p.substr(p.size() - 4) == ".HLP";
    helpCommands.push_back(right ? command : 0xFFFF);
    return TRUE;
}

std::string ReadoutText(HWND readout) {
    return reinterpret_cast<DisplayState*>(GetWindowLongPtrA(readout, 0))->text;
}

} // namespace

TEST(MainDialog, CreationStartHelpAndClose) {
    // Every text the program shows is Windows-1250 with the Polish decimal comma: the environment must be so.
    ASSERT_EQ(GetACP(), 1250u);
    SimulatorOn sim(37, "--period 300 --serial 13330 --speed 12.3 --direction 270");
    ASSERT_TRUE(sim.started);
    HelpViewerFn previous = SetHelpViewer(RecordHelp);
    AppState state;
    FillDefaultState(state, GetModuleHandleA(nullptr), false, "unused.txt");
    state.portNumber = 37;
    HWND w = CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialog,
                                reinterpret_cast<LPARAM>(&state));
    ASSERT_NE(w, nullptr);

    // MSG_START is only queued: no worker has shown anything yet.
    EXPECT_EQ(state.mainWindow, w);
    for (int id : {IDC_MEASUREMENT_STATUS, IDC_LOG_STATUS, IDC_SERIAL_NUMBER}) EXPECT_EQ(ControlText(w, id), "") << id;
    for (HWND readout : state.readouts) {
        ASSERT_NE(readout, nullptr);
        EXPECT_EQ(ReadoutText(readout), "");
    }
    char caption[64];
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ(caption, "Rizuzedarar KX-205");
    EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX), WS_MINIMIZEBOX);
    EXPECT_EQ(GetMenuState(GetSystemMenu(w, FALSE), SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_TRUE(GetMenuState(GetMenu(w), IDM_UNINSTALL, MF_BYCOMMAND) & MF_GRAYED); // not the first instance

    HELPINFO f1{sizeof f1, HELPINFO_WINDOW, IDC_LOG_STATUS, GetDlgItem(w, IDC_LOG_STATUS), 0, {}};
    SendMessageA(w, WM_HELP, 0, reinterpret_cast<LPARAM>(&f1));
    SendMessageA(w, WM_COMMAND, IDM_HELP_CONTENTS, 0);
    EXPECT_EQ(helpCommands, (std::vector<UINT>{HELP_CONTENTS, HELP_CONTENTS}));

    // Enter and Esc reach the window as IDOK and IDCANCEL: neither closes it.
    SendMessageA(w, WM_COMMAND, IDOK, 0);
    SendMessageA(w, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return ControlText(w, IDC_SERIAL_NUMBER) == "13330"; }, 10000));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(ReadoutText(state.readouts[0]), "12,3m/s");

    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(helpCommands.back(), static_cast<UINT>(HELP_QUIT));
    StopAcquisition(state);
    DestroyWindow(w);
    SetHelpViewer(previous);
}
