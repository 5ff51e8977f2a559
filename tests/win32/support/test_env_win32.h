// Helpers for the Win32 tests: the Linux side of the test environment, reached from inside Wine.
#pragma once

#include <windows.h>

#include <string>

// A variable of the environment the test run was started with ("" when unset).
std::string EnvVar(const char* name);

// A Linux path as Wine sees it (drive Z: is the root).
std::string WinePath(const std::string& unixPath);

// Starts a Linux program with arguments (no quoting; Wine splits at spaces). Wine may not wait for a
// Linux child, so callers wait for what it does.
bool RunUnix(const std::string& commandLine, DWORD timeoutMs = 30000);

// Starts kx205sim with the given options on a new pty linked as COMn; stops it, removing pty and link.
bool StartSimulator(int com, const std::string& options);
void StopSimulator(int com);

// A simulator for the length of a scope.
struct SimulatorOn {
    int com;
    bool started;
    SimulatorOn(int c, const std::string& options) : com(c), started(StartSimulator(c, options)) {}
    ~SimulatorOn() { StopSimulator(com); }
    SimulatorOn(const SimulatorOn&) = delete;
    SimulatorOn& operator=(const SimulatorOn&) = delete;
};

std::string ReadTextFile(const std::string& unixPath);
bool WriteTextFile(const std::string& unixPath, const std::string& text);

// Milliseconds since some fixed point; for measuring waits, never for asserting tight timings.
ULONGLONG NowMs();
