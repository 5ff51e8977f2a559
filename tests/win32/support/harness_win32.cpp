// The Win32 tests' harness.
#include "tests/win32/support/harness_win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "presentation/display_win32.h"
#include "resources/resource.h"

std::string EnvVar(const char* name) {
    char value[1024];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ReadTextFile(const std::string& unixPath) {
    std::ifstream in(WinePath(unixPath), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void PumpFor(DWORD ms) { PumpUntil([] { return false; }, ms); }

namespace {

// sim-ctl is a Linux program: Wine starts it but neither waits for it nor hands back its exit code, so the
// file it keeps exactly while the simulator runs tells when it is done.
bool SimCtl(const std::string& command, int com, const std::string& options, bool running) {
    std::string line = EnvVar("KX205_SIM_CTL") + " " + command + " " + std::to_string(com) + " " + options;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::string ready = WinePath(EnvVar("KX205_WINE_ROOT") + "/sim-com" + std::to_string(com) + ".ready");
    return PumpUntil([&] { return (GetFileAttributesA(ready.c_str()) != INVALID_FILE_ATTRIBUTES) == running; },
                     10000, 20);
}

} // namespace

SimulatorOn::SimulatorOn(int c, const std::string& options) : com(c), started(SimCtl("start", c, options, true)) {}
SimulatorOn::~SimulatorOn() { SimCtl("stop", com, "", false); }

namespace {

INT_PTR CALLBACK HostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (host == nullptr || (message != MSG_MEASURED && message != MSG_SERIAL_CHANGED)) return FALSE;
    host->posted.emplace_back(message, wParam);
    return TRUE;
}

} // namespace

int HostWindow::Count(UINT message, WPARAM wParam) const {
    int n = 0;
    for (const auto& p : posted) n += p.first == message && p.second == wParam;
    return n;
}

bool CreateHostWindow(HostWindow& host, const std::uint32_t colors[4]) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    host.dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, HostProc,
                                     reinterpret_cast<LPARAM>(&host));
    RECT rects[2] = {{6, 16, 178, 52}, {6, 68, 178, 104}};
    for (int q = 0; q < 2 && host.dialog != nullptr; ++q) {
        host.readouts[q] = CreateDisplay(instance, host.dialog, q, &rects[q], colors[2 * q], colors[2 * q + 1],
                                         "Courier New", 36, 1, DT_CENTER, 20);
    }
    return host.readouts[1] != nullptr;
}

std::string ControlText(HWND dialog, int id) {
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

namespace {

struct Driver {
    DWORD testThread;
    std::vector<ModalStep> steps;
    size_t found = 0;
};

struct Search {
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    char name[64], caption[256];
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    if (!IsWindowVisible(window) || std::string(name) != "#32770" || *search->caption != caption) return TRUE;
    search->found = window;
    return FALSE;
}

DWORD WINAPI DriverThread(LPVOID parameter) {
    auto& driver = *static_cast<Driver*>(parameter);
    for (size_t i = 0; i < driver.steps.size(); ++i) {
        Search search{&driver.steps[i].caption, nullptr};
        for (ULONGLONG end = NowMs() + 10000; search.found == nullptr && NowMs() < end; Sleep(20))
            EnumThreadWindows(driver.testThread, MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) break;
        Sleep(150); // lets the dialog finish its start-up before it is answered
        ++driver.found;
        driver.steps[i].answer(search.found);
        // When the next window has the same caption, this one must go first.
        for (int n = 0; n < 100 && IsWindowVisible(search.found); ++n) Sleep(20);
    }
    return 0;
}

void CALLBACK EndLeftovers(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            EndDialog(window, -1);
            return TRUE;
        },
        0);
}

} // namespace

INT_PTR RunModalDialog(int id, DLGPROC procedure, LPARAM parameter, HWND owner, std::vector<ModalStep> steps) {
    Driver driver{GetCurrentThreadId(), std::move(steps)};
    HANDLE thread = CreateThread(nullptr, 0, DriverThread, &driver, 0, nullptr);
    UINT_PTR timer = SetTimer(nullptr, 0, 30000, EndLeftovers);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), owner, procedure, parameter);
    KillTimer(nullptr, timer);
    WaitForSingleObject(thread, 15000);
    CloseHandle(thread);
    EXPECT_EQ(driver.found, driver.steps.size()) << "a step found no window";
    return result;
}

void Click(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void SetItemText(HWND window, int id, const std::string& text) {
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
