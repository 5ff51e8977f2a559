// The logging dialog and OpenLogFile driven like a user would: buttons, fields, message boxes, the chooser.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "config/settings_store.h"
#include "logging/log_file_win32.h"
#include "logging/log_settings_dialog_win32.h"
#include "presentation/help_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/modal_driver_win32.h"
#include "tests/win32/support/test_env_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

const char DIALOG[] = "Rejestracja wynik\xF3w";
const char BAD_INTERVAL[] = "Niepoprawna warto\x9C\xE6 interwa\xB3u!";
const char EXISTS[] = "Plik rejestracji pomiar\xF3w ju\xBF istnieje. Skasowa\xE6 go?";
const char UNAVAILABLE[] = "Wybrany plik rejestracji wynik\xF3w pomiaru jest niedost\xEApny.";

struct Fixture {
    HostWindow host{};
    AppState state;
    std::string path;
    explicit Fixture(const char* file, bool enabled) {
        path = EnvVar("KX205_WINE_ROOT") + "/" + file;
        DeleteFileA(WinePath(path).c_str());
        FillDefaultState(state, GetModuleHandleA(nullptr), true, WinePath(path).c_str());
        CreateHostWindow(host, state.colors);
        state.mainWindow = host.dialog;
        state.logEnabled = enabled ? 1 : 0;
        state.logEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        RegDeleteKeyA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    }
    ~Fixture() {
        if (state.logFile != INVALID_HANDLE_VALUE) CloseHandle(state.logFile);
        CloseHandle(state.logEvent);
        DestroyHostWindow(host);
    }
    INT_PTR Run(std::vector<ModalStep> steps, bool owned = true, ModalDriver* seen = nullptr) {
        return RunModalDialog(IDD_LOG_SETTINGS, LogSettingsDialog, reinterpret_cast<LPARAM>(&state),
                              owned ? host.dialog : nullptr, std::move(steps), seen);
    }
    bool EventSet() const { return WaitForSingleObject(state.logEvent, 0) == WAIT_OBJECT_0; }
    std::string Status() { return ControlText(host.dialog, IDC_LOG_STATUS); }
};

void Interval(HWND dialog, const char* h, const char* m, const char* s) {
    SetItemText(dialog, IDC_INTERVAL_HOURS, h);
    SetItemText(dialog, IDC_INTERVAL_MINUTES, m);
    SetItemText(dialog, IDC_INTERVAL_SECONDS, s);
}

bool SavedLog(DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, "Log", RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS;
}

} // namespace

TEST(LogSettingsDialog, EscDoesNothingCancelAndCloseStoreNothing) {
    Fixture f("esc.log", false);
    f.state.intervalSeconds = 360000;
    std::string shownHours;
    bool openAfterEsc = false, controlsDisabled = false;
    INT_PTR cancelled = f.Run({{DIALOG, [&](HWND d) {
                                    shownHours = ControlText(d, IDC_INTERVAL_HOURS);
                                    controlsDisabled = !IsWindowEnabled(GetDlgItem(d, IDC_LOG_FILE_NAME));
                                    Interval(d, "1", "2", "3");
                                    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                                    openAfterEsc = StillOpen(d, 300);
                                    Click(d, IDC_CANCEL);
                                }}});
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(shownHours, "100");
    EXPECT_TRUE(controlsDisabled);
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(f.Run({{DIALOG, [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }}}), 0);
    EXPECT_EQ(f.state.intervalSeconds, 360000u);
    DWORD saved;
    EXPECT_FALSE(SavedLog(saved));
}

TEST(LogSettingsDialog, InvalidIntervalsAreRefusedThenLoggingOffIsSaved) {
    Fixture f("interval.log", true);
    ModalDriver driver;
    std::string statusAtZero;
    auto refuse = [](const char* h, const char* m, const char* s) {
        return ModalStep{DIALOG, [=](HWND d) {
                             Interval(d, h, m, s);
                             Click(d, IDC_OK);
                         }};
    };
    INT_PTR result = f.Run({refuse("", "00", "10"), AnswerBox(IDOK), refuse("0", "60", "0"), AnswerBox(IDOK),
                            refuse("00", "00", "00"),
                            {"Rizuzedarar KX-205",
                             [&](HWND box) {
                                 statusAtZero = f.Status();
                                 Click(box, IDOK);
                             }},
                            {DIALOG, [](HWND d) {
                                 Interval(d, "0", "0", "1");
                                 SetCheck(d, IDC_LOG_ENABLED, false);
                                 Click(d, IDC_OK);
                             }}},
                           true, &driver);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(driver.texts.size(), 7u);
    EXPECT_EQ(driver.texts[1], BAD_INTERVAL);
    EXPECT_EQ(driver.texts[3], BAD_INTERVAL);
    EXPECT_EQ(driver.texts[5], BAD_INTERVAL);
    EXPECT_EQ(statusAtZero, "Rejestracja do pliku co 00h 00m 00s --> OK");
    EXPECT_EQ(f.Status(), "Bez rejestracji do pliku");
    EXPECT_EQ(f.state.intervalSeconds, 1u);
    EXPECT_EQ(f.state.logEnabled, 0);
    EXPECT_FALSE(f.EventSet());
    DWORD saved = 7;
    EXPECT_TRUE(SavedLog(saved));
    EXPECT_EQ(saved, 0u);
}

TEST(LogSettingsDialog, ExistingFileIsEmptiedAppendedOrLeft) {
    Fixture f("exists.log", true);
    WriteTextFile(f.path, "old record\r\n");
    auto ok = ModalStep{DIALOG, [](HWND d) {
                            SelectItem(d, IDC_LOG_FORMAT, 1);
                            Click(d, IDC_OK);
                        }};
    // Yes: emptied, open, the writer let through, saved as CSV.
    EXPECT_EQ(f.Run({ok, AnswerBox(IDYES)}), 1);
    ASSERT_NE(f.state.logFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileSize(f.state.logFile, nullptr), 0u);
    EXPECT_TRUE(f.EventSet());
    EXPECT_EQ(f.state.logFormat, 0x10000u);
    DWORD written;
    WriteFile(f.state.logFile, "kept\r\n", 6, &written, nullptr);
    // No: the old file is closed by OK and reopened for appending.
    EXPECT_EQ(f.Run({ok, AnswerBox(IDNO)}), 1);
    ASSERT_NE(f.state.logFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(SetFilePointer(f.state.logFile, 0, nullptr, FILE_CURRENT), 6u);
    // Cancel: the file is closed and the dialog stays open; a second OK opens it afresh.
    bool stayed = false;
    EXPECT_EQ(f.Run({ok, {"Rizuzedarar KX-205",
                          [&](HWND box) {
                              HWND dialog = GetWindow(box, GW_OWNER);
                              Click(box, IDCANCEL);
                              stayed = StillOpen(dialog, 300);
                          }},
                     {DIALOG, [&](HWND d) {
                          EXPECT_EQ(f.state.logFile, INVALID_HANDLE_VALUE);
                          Click(d, IDC_CANCEL);
                      }}}),
              0);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(ReadTextFile(f.path), "kept\r\n");
}

TEST(LogSettingsDialog, OwnerlessOkLeavesOpeningToTheCaller) {
    Fixture f("ownerless.log", false);
    EXPECT_EQ(f.Run({{DIALOG, [](HWND d) {
                          SetCheck(d, IDC_LOG_ENABLED, true);
                          Click(d, IDC_OK);
                      }}},
                    false),
              1);
    EXPECT_EQ(f.state.logEnabled, 1);
    EXPECT_EQ(f.state.logFile, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(f.EventSet());
    DWORD saved;
    EXPECT_FALSE(SavedLog(saved));
}

TEST(OpenLogFile, UnavailableFileOffersTheDialogAndRetriesWithItsName) {
    Fixture f("retry.log", true);
    std::strcpy(f.state.logFileName, "Z:\\no\\such\\folder\\wiatr.log");
    f.state.mainWindow = nullptr;
    ModalDriver driver;
    StartModalDriver(driver, {AnswerBox(IDOK), {DIALOG, [&](HWND d) {
                                                    SetItemText(d, IDC_LOG_FILE_NAME, WinePath(f.path));
                                                    Click(d, IDC_OK);
                                                }}});
    EXPECT_TRUE(OpenLogFile(f.state, true));
    EXPECT_TRUE(FinishModalDriver(driver));
    ASSERT_FALSE(driver.texts.empty());
    EXPECT_EQ(driver.texts[0], UNAVAILABLE);
    EXPECT_NE(f.state.logFile, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::string(f.state.logFileName), WinePath(f.path));
    // Without the retry a failure is final.
    CloseHandle(f.state.logFile);
    f.state.logFile = INVALID_HANDLE_VALUE;
    StartModalDriver(driver, {AnswerBox(IDCANCEL)});
    EXPECT_FALSE(OpenLogFile(f.state, false));
    EXPECT_TRUE(FinishModalDriver(driver));
    EXPECT_EQ(driver.texts[0], EXISTS);
    EXPECT_EQ(f.state.logFile, INVALID_HANDLE_VALUE);
}

namespace {
int helpCalls = 0;
ULONG_PTR helpData = 0;
BOOL WINAPI RecordHelp(HWND, LPCSTR, UINT, ULONG_PTR data) {
    ++helpCalls;
    helpData = data;
    return TRUE;
}
} // namespace

TEST(LogSettingsDialog, ContextHelpAndTheChooser) {
    Fixture f("chooser.log", true);
    HelpViewerFn previous = SetHelpViewer(RecordHelp);
    int callsForStatic = -1;
    std::string chosen;
    std::string folder = WinePath(EnvVar("KX205_WINE_ROOT"));
    f.Run({{DIALOG,
            [&](HWND d) {
                HELPINFO help{sizeof help, HELPINFO_WINDOW, 0xFFFF, GetDlgItem(d, IDC_OK), 0, {0, 0}};
                SendMessageA(d, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
                callsForStatic = helpCalls;
                help.iCtrlId = IDC_OK;
                SendMessageA(d, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
                SetItemText(d, IDC_LOG_FILE_NAME, "typed.log");
                Click(d, IDC_LOG_BROWSE);
            }},
           {"Wybierz plik logu",
            [&](HWND chooser) {
                SetItemText(chooser, 0x47C, folder + "\\wiatr"); // the file name field of the chooser
                Click(chooser, IDOK);
            }},
           {DIALOG, [&](HWND d) {
                chosen = ControlText(d, IDC_LOG_FILE_NAME);
                Click(d, IDC_CANCEL);
            }}});
    SetHelpViewer(previous);
    EXPECT_EQ(callsForStatic, 0);
    EXPECT_EQ(helpCalls, 1);
    ASSERT_NE(helpData, 0u);
    const DWORD* pairs = reinterpret_cast<const DWORD*>(helpData);
    EXPECT_EQ(pairs[0], static_cast<DWORD>(IDC_LOG_FORMAT));
    EXPECT_EQ(pairs[15], 0x806903E9u); // OK
    EXPECT_EQ(chosen, folder + "\\wiatr.csv");
}
