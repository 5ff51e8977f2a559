// The message loop of the tools and of the tests' windows: dispatches this thread's messages until a
// condition holds.
#pragma once

#include <windows.h>

#include <functional>

// Runs the message loop until done() or the time is up; returns done()'s last answer. done() is asked
// after every message and at least every pollMs; INFINITE asks only when messages come, so the waiting
// itself costs no CPU time.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD pollMs = 10);
