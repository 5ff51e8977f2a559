// The Win32 tests' harness: the Linux side of the test environment reached from inside Wine (simulator,
// files), a stand-in main window, and a user's clicks and typing.
#pragma once

#include <windows.h>

#include <string>

#include "tools/message_pump_win32.h" // PumpUntil

std::string EnvVar(const char* name);
std::string WinePath(const std::string& unixPath); // Wine sees the Linux root as Z:
std::string ReadTextFile(const std::string& unixPath);
inline ULONGLONG NowMs() { return GetTickCount64(); }
void PumpFor(DWORD ms);

// kx205sim with the given options on a new pty linked as COMn, for the length of a scope.
struct SimulatorOn {
    int com;
    bool started;
    SimulatorOn(int c, const std::string& options);
    ~SimulatorOn();
    SimulatorOn(const SimulatorOn&) = delete;
    SimulatorOn& operator=(const SimulatorOn&) = delete;
};

// The main window's template without its procedure, and the two read-outs created as the main window
// creates them: what the workers send their texts to.
struct HostWindow {
    HWND dialog = nullptr;
    HWND readouts[2] = {};
};
bool CreateHostWindow(HostWindow& host, const std::uint32_t colors[4]);

std::string ControlText(HWND dialog, int id);

// A user's input, as it arrives.
void Click(HWND window, int id);
void SetItemText(HWND window, int id, const std::string& text);
