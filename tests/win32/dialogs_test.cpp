// The logging, port and colours dialogs driven as a user would, through their buttons, fields, message
// boxes and choosers: the flows the program's scenarios do not walk through.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "config/colors_dialog_win32.h"
#include "config/port_dialog_win32.h"
#include "config/settings_store.h"
#include "logging/log_file_win32.h"
#include "logging/log_settings_dialog_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

const char LOG_DIALOG[] = "Rejestracja wynik\xF3w";
const char UNAVAILABLE[] = "Wybrany plik rejestracji wynik\xF3w pomiaru jest niedost\xEApny.";
constexpr int CHOOSER_NAME = 0x47C;                                  // the file chooser's name field
constexpr int CHOOSER_RED = 706, CHOOSER_GREEN = 707, CHOOSER_BLUE = 708; // Wine's colour chooser

// A value as stored, its bytes as a string; "" when it is absent.
std::string Stored(const char* name) {
    char data[300];
    DWORD size = sizeof data;
    if (RegGetValueA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, data, &size) !=
        ERROR_SUCCESS)
        return "";
    return std::string(data, size);
}
std::string Word(std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

struct Fixture {
    HostWindow host;
    AppState state;
    std::string path;
    explicit Fixture(const char* file) : path(EnvVar("KX205_WINE_ROOT") + "/" + file) {
        DeleteFileA(WinePath(path).c_str());
        FillDefaultState(state, GetModuleHandleA(nullptr), true, WinePath(path).c_str());
        CreateHostWindow(host, state.colors);
        state.mainWindow = host.dialog;
        state.readouts[0] = host.readouts[0];
        state.readouts[1] = host.readouts[1];
        state.logEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    }
    ~Fixture() {
        if (state.logFile != INVALID_HANDLE_VALUE) CloseHandle(state.logFile);
        DestroyWindow(host.dialog);
    }
    INT_PTR Log(std::vector<ModalStep> steps, HWND owner, std::vector<std::string>* seen = nullptr) {
        return RunModalDialog(IDD_LOG_SETTINGS, LogSettingsDialog, reinterpret_cast<LPARAM>(&state), owner,
                              std::move(steps), seen);
    }
};

} // namespace

// Without an owner (first-run registration, the retry) OK leaves opening the file to the caller.
TEST(LogSettingsDialog, OwnerlessOkAndTheRetryWhenTheFileCannotBeOpened) {
    Fixture f("retry.log");
    EXPECT_EQ(f.Log({{LOG_DIALOG, [](HWND d) { SetCheck(d, IDC_LOG_ENABLED, true), Click(d, IDC_OK); }}}, nullptr), 1);
    EXPECT_EQ(f.state.logEnabled, 1);
    EXPECT_EQ(f.state.logFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Stored("Log"), "");

    std::strcpy(f.state.logFileName, "Z:\\no\\such\\folder\\wiatr.log");
    std::string browsedFrom;
    std::vector<ModalStep> steps = {AnswerBox(IDOK),
                                    {LOG_DIALOG, [](HWND d) {
                                         SetItemText(d, IDC_LOG_FILE_NAME, "typed.log");
                                         Click(d, IDC_LOG_BROWSE);
                                     }},
                                    {"Wybierz plik logu", [&](HWND chooser) {
                                         browsedFrom = ControlText(chooser, CHOOSER_NAME);
                                         Click(chooser, IDCANCEL);
                                     }},
                                    {LOG_DIALOG, [](HWND d) { SetCheck(d, IDC_LOG_ENABLED, false), Click(d, IDC_OK); }}};
    f.state.mainWindow = nullptr;
    bool opened = false;
    std::vector<std::string> seen = Answering(steps, [&] { opened = OpenLogFile(f.state, true); });
    EXPECT_TRUE(opened); // logging switched off in the retry: nothing to open, which is success
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0], UNAVAILABLE);
    EXPECT_EQ(browsedFrom, "wiatr.log"); // the stored name (the chooser shows its folder apart), not the typed one
    EXPECT_EQ(f.state.logEnabled, 0);
    EXPECT_EQ(Stored("Log"), Word(0));
}

// Wine opens a tty twice without complaint, so a port held by another program cannot be made here; one
// whose device vanished after the list was filled fails the same way.
TEST(PortDialog, APortThatNoLongerOpensIsRefusedWithAWarning) {
    SimulatorOn vanishing(412, "");
    ASSERT_TRUE(vanishing.started);
    Fixture f("unused.log");
    auto choose = [](HWND d) {
        StopSimulator(412);
        SendDlgItemMessageA(d, IDC_PORT_LIST, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("COM412"));
        Click(d, IDC_OK);
    };
    std::vector<std::string> seen;
    INT_PTR result = RunModalDialog(IDD_PORT, PortDialog, reinterpret_cast<LPARAM>(&f.state), nullptr,
                                    {{"Port szeregowy", choose}, AnswerBox(IDOK),
                                     {"Port szeregowy", [](HWND d) { Click(d, IDC_CANCEL); }}},
                                    &seen);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1], "Wybrany port szeregowy jest ju\xBF zaj\xEAty.");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(f.state.portNumber, VALUE_UNKNOWN);
    EXPECT_EQ(Stored("Port"), "");
}

TEST(ColorsDialog, ChosenColoursPreviewAtOnceAndReachTheReadoutsAndSettingsOnlyAtOk) {
    Fixture f("unused.log");
    const std::uint32_t chosen = RGB(200, 30, 60);
    auto answerChooser = [&](HWND chooser) {
        const int fields[3] = {CHOOSER_RED, CHOOSER_GREEN, CHOOSER_BLUE};
        for (int i = 0; i < 3; ++i) SetItemText(chooser, fields[i], std::to_string((chosen >> (8 * i)) & 0xFF));
        Click(chooser, IDOK);
    };
    std::uint32_t previewed = 0, readout = 0;
    auto pickThen = [&](int button) {
        return ModalStep{"Kolory", [=](HWND d) { Click(d, button); }};
    };
    auto look = [&](HWND d) {
        SendMessageA(GetDlgItem(d, 2), DM_GETCOLOR, 1, reinterpret_cast<LPARAM>(&previewed)); // direction, background
        SendMessageA(f.state.readouts[1], DM_GETCOLOR, 1, reinterpret_cast<LPARAM>(&readout));
        Click(d, IDC_CANCEL);
    };
    EXPECT_EQ(RunModalDialog(IDD_COLORS, ColorsDialog, reinterpret_cast<LPARAM>(&f.state), f.host.dialog,
                             {pickThen(IDC_DIRECTION_BACK_COLOR), {"Kolor", answerChooser}, {"Kolory", look}}),
              0);
    EXPECT_EQ(previewed, chosen);
    EXPECT_EQ(readout, 0u); // not before OK
    EXPECT_EQ(Stored("Colors"), "");
    EXPECT_EQ(RunModalDialog(IDD_COLORS, ColorsDialog, reinterpret_cast<LPARAM>(&f.state), f.host.dialog,
                             {{"Kolory", [](HWND d) { Click(d, IDC_OK); }}}),
              1);
    SendMessageA(f.state.readouts[1], DM_GETCOLOR, 1, reinterpret_cast<LPARAM>(&readout));
    EXPECT_EQ(readout, chosen);
    const std::uint32_t all[4] = {0x0000FF00, 0, 0x00FFFF00, chosen};
    EXPECT_EQ(Stored("Colors"), std::string(reinterpret_cast<const char*>(all), sizeof all));
}
