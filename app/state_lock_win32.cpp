// StateLock on Windows: one process-wide critical section, created first at start-up and deleted last.
#include <windows.h>

#include "app/app_state.h"

namespace {
CRITICAL_SECTION stateSection;
}

void StateLockCreate() { InitializeCriticalSection(&stateSection); }
void StateLockDelete() { DeleteCriticalSection(&stateSection); }
void StateLockEnter() { EnterCriticalSection(&stateSection); }
void StateLockLeave() { LeaveCriticalSection(&stateSection); }
