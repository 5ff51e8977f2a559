// The Linux side of the test environment, reached from inside Wine: Wine starts Linux programs given by
// their Linux path, and sees the Linux file system as drive Z:.
#include "tests/win32/support/test_env_win32.h"

#include <fstream>
#include <sstream>
#include <vector>

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

bool RunUnix(const std::string& commandLine, DWORD timeoutMs) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    // For a Linux program the wait may return early; callers wait for its effects.
    WaitForSingleObject(pi.hProcess, timeoutMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

namespace {

// sim-ctl keeps this file exactly while the simulator runs with its COM link in place.
std::string SimulatorReadyFile(int com) {
    return EnvVar("KX205_WINE_ROOT") + "/sim-com" + std::to_string(com) + ".ready";
}

// Wine does not wait for a Linux child, nor hand back its exit code, so watch the files it leaves instead.
bool WaitForFile(const std::string& unixPath, bool present, DWORD timeoutMs) {
    ULONGLONG end = NowMs() + timeoutMs;
    do {
        bool exists = GetFileAttributesA(WinePath(unixPath).c_str()) != INVALID_FILE_ATTRIBUTES;
        if (exists == present) return true;
        Sleep(20);
    } while (NowMs() < end);
    return false;
}

} // namespace

bool StartSimulator(int com, const std::string& options) {
    std::string ready = SimulatorReadyFile(com);
    DeleteFileA(WinePath(ready).c_str());
    return RunUnix(EnvVar("KX205_SIM_CTL") + " start " + std::to_string(com) + " " + options) &&
           WaitForFile(ready, true, 10000);
}

void StopSimulator(int com) {
    RunUnix(EnvVar("KX205_SIM_CTL") + " stop " + std::to_string(com));
    WaitForFile(SimulatorReadyFile(com), false, 10000);
}

std::string ReadTextFile(const std::string& unixPath) {
    std::ifstream in(WinePath(unixPath), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool WriteTextFile(const std::string& unixPath, const std::string& text) {
    std::ofstream out(WinePath(unixPath), std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

ULONGLONG NowMs() { return GetTickCount64(); }
