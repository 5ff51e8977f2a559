// The Win32 tests' harness: the Linux side of the test environment reached from inside Wine (simulator,
// files), a stand-in main window, and a driver that answers modal dialogs and message boxes as a user would.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

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

// The main window's template with a procedure that only records the worker's posted messages, and the two
// read-outs created as the main window creates them.
struct HostWindow {
    HWND dialog = nullptr;
    HWND readouts[2] = {};
    std::vector<std::pair<UINT, WPARAM>> posted;
    int Count(UINT message, WPARAM wParam) const; // how often that message came with that parameter
};
bool CreateHostWindow(HostWindow& host, const std::uint32_t colors[4]);

std::string ControlText(HWND dialog, int id);

// A window to answer, by caption, and the answer, run on the driver's thread.
struct ModalStep {
    std::string caption;
    std::function<void(HWND)> answer;
};

// Shows dialog template id modally while a second thread answers the steps in turn. A flow that runs far
// too long has its dialogs ended with -1, so it fails instead of hanging; every step must have found its
// window.
INT_PTR RunModalDialog(int id, DLGPROC procedure, LPARAM parameter, HWND owner, std::vector<ModalStep> steps);

// Answers usable in steps, as the user's own input would arrive.
void Click(HWND window, int id);
void SetItemText(HWND window, int id, const std::string& text);
