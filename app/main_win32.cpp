// kx205.exe's entry: start-up with the first-run registration, the main window, and shutdown.
#include <windows.h>

#include <memory>
#include <new>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "config/colors_dialog_win32.h"
#include "config/command_line.h"
#include "config/port_dialog_win32.h"
#include "config/settings_store_win32.h"
#include "logging/log_settings_dialog_win32.h"
#include "presentation/help_win32.h"
#include "presentation/main_dialog_win32.h"
#include "resources/resource.h"
#include "statistics/statistics_settings.h"

namespace {

constexpr char FATAL_ERROR[] = "Bład krytyczny przy inicjalizacji programu!";
constexpr int EXIT_NORMAL = 0, EXIT_FAILED = 1;

void Error(const char* text) { MessageBoxA(nullptr, text, APP_CAPTION, MB_ICONERROR | MB_OK); }

bool IsWin32s() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32s;
}

bool Accepted(AppState& state, int id, DLGPROC procedure) {
    return DialogBoxParamA(state.instance, MAKEINTRESOURCEA(id), nullptr, procedure,
                           reinterpret_cast<LPARAM>(&state)) == 1;
}

// Runs when there are no settings yet. The dialogs have no owner here: the logging dialog leaves the file
// for the main window to open, and each dialog saves its own group as it is accepted.
bool Register(AppState& state) {
    if (MessageBoxA(nullptr, "Czy chcesz zarejestrować ten program w systemie Windows?", APP_CAPTION,
                    MB_ICONQUESTION | MB_YESNO) != IDYES) {
        state.portNumber = -1; // declined: start-up ends without a word
        return false;
    }
    if (!Accepted(state, IDD_PORT, PortDialog) || !Accepted(state, IDD_LOG_SETTINGS, LogSettingsDialog) ||
        !Accepted(state, IDD_COLORS, ColorsDialog)) {
        return false;
    }
    return SaveSettings(state, SETTINGS_ALL);
}

bool Open(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// The workers stop first, so nothing is written to the log file or read from the port once it is closed.
void Shutdown(AppState& state) {
    StopAcquisition(state);
    StateLocked lock;
    if (Open(state.logFile)) {
        FlushFileBuffers(state.logFile);
        CloseHandle(state.logFile);
        state.logFile = INVALID_HANDLE_VALUE;
    }
    if (Open(state.portHandle)) {
        CloseHandle(state.portHandle);
        state.portHandle = INVALID_HANDLE_VALUE;
    }
    if (Open(state.logEvent)) {
        CloseHandle(state.logEvent);
        state.logEvent = INVALID_HANDLE_VALUE;
    }
    state.mainWindow = nullptr;
}

int Run(HINSTANCE instance, const char* commandLine) {
    // Only the Uninstall command is reserved to the first instance; the marker is never mapped.
    HANDLE marker = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, PATH_CAPACITY, "KX205Test");
    if (marker == nullptr) {
        Error(FATAL_ERROR);
        return EXIT_FAILED;
    }
    bool firstInstance = GetLastError() != ERROR_ALREADY_EXISTS;
    AppState state; // one per process; the workers reach it until Shutdown has stopped them
    char defaultLog[PATH_CAPACITY];
    FillDefaultState(state, instance, firstInstance, ModuleSiblingPath(defaultLog, PATH_CAPACITY, ".TXT"));

    int code = EXIT_FAILED;
    if (!LoadSettings(state, Register)) {
        if (state.portNumber != -1) Error("Rejestracja w systemie została przerwana!");
    } else if (!IsDdeTopicCommandLine(commandLine) &&
               !ParseCommandLine(state, commandLine, RegistrySettingsStore(HKEY_CURRENT_USER))) {
        Error("Błędny parametr w linii wywołania!");
    } else {
        // The last hour of frames, made once. Without the room the program still reads, shows and logs; its
        // statistics stay unknown.
        std::unique_ptr<WindStatistics> statistics(new (std::nothrow) WindStatistics);
        if (statistics != nullptr) StatsReset(*statistics);
        state.statistics = statistics.get();
        LoadStatisticsSettings(RegistrySettingsStore(HKEY_CURRENT_USER), state.statisticsSettings);
        INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialog,
                                         reinterpret_cast<LPARAM>(&state));
        Shutdown(state); // the workers end before the statistics go
        if (result == 1) {
            code = EXIT_NORMAL;
        } else {
            Error(FATAL_ERROR);
        }
    }
    CloseHandle(marker);
    return code;
}

} // namespace

// The C runtime's lpCmdLine is not used: it skips the program's name comparing signed chars with ' ', so
// every Windows-1250 letter counts as a blank there and "Śnieżka.txt" would arrive as "nieżka.txt".
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (IsWin32s()) {
        Error("Do poprawnego działania program wymaga Windows95/98 lub WindowsNT");
        return EXIT_FAILED;
    }
    StateLockCreate();
    const char* whole = GetCommandLineA();
    int code = Run(instance, CommandLineArguments(whole != nullptr ? whole : ""));
    StateLockDelete();
    return code;
}
