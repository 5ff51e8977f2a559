// The Win32 tests' harness.
#include "tests/win32/support/harness_win32.h"

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

bool CreateHostWindow(HostWindow& host, const std::uint32_t colors[4]) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    host.dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, nullptr, 0);
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

void Click(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void SetItemText(HWND window, int id, const std::string& text) {
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
