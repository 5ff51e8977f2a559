// The main window as start-up creates it: what it shows before the worker's first update, what it lacks
// (maximising), help from anywhere, Uninstall for the first instance only, and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "presentation/display_state.h"
#include "presentation/main_dialog_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

TEST(MainDialog, CreationStartHelpAndClose) {
    // Every text the program shows is Windows-1250 with the Polish decimal comma: the environment must be so.
    ASSERT_EQ(GetACP(), 1250u);
    SimulatorOn sim(37, "--period 300 --serial 13330 --speed 12.3 --direction 270");
    ASSERT_TRUE(sim.started);
    AppState state;
    FillDefaultState(state, GetModuleHandleA(nullptr), false, "unused.txt");
    state.portNumber = 37;
    HWND w = CreateDialogParamA(state.instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialog,
                                reinterpret_cast<LPARAM>(&state));
    ASSERT_NE(w, nullptr);

    // MSG_START is only queued: no worker has shown anything yet.
    EXPECT_EQ(state.mainWindow, w);
    for (int id : {IDC_MEASUREMENT_STATUS, IDC_LOG_STATUS, IDC_SERIAL_NUMBER})
        EXPECT_EQ(ControlText(w, id), "") << id;
    for (HWND readout : state.readouts)
        EXPECT_STREQ(reinterpret_cast<DisplayState*>(GetWindowLongPtrA(readout, 0))->text, "");
    EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX), WS_MINIMIZEBOX);
    EXPECT_EQ(GetMenuState(GetSystemMenu(w, FALSE), SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_TRUE(GetMenuState(GetMenu(w), IDM_UNINSTALL, MF_BYCOMMAND) & MF_GRAYED); // not the first instance

    // F1 anywhere in the window: the contents, here the program's own guide, owned by the window.
    HELPINFO f1{sizeof f1, HELPINFO_WINDOW, IDC_LOG_STATUS, GetDlgItem(w, IDC_LOG_STATUS), 0, {}};
    SendMessageA(w, WM_HELP, 0, reinterpret_cast<LPARAM>(&f1));
    HWND guide = FindWindowA("Kx205HelpGuide", nullptr);
    ASSERT_NE(guide, nullptr);
    EXPECT_EQ(GetWindow(guide, GW_OWNER), w);

    ASSERT_TRUE(PumpUntil([&] { return ControlText(w, IDC_SERIAL_NUMBER) == "13330"; }, 10000)); // started

    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(guide)); // closing lets go of help
    StopAcquisition(state);
    DestroyWindow(w);
}
