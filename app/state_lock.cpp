// StateLock for the native build of the portable core (unit tests and Linux tools), on std::mutex.
#include "app/app_state.h"

#include <mutex>

namespace {
std::mutex stateMutex;
}

void StateLockCreate() {}
void StateLockDelete() {}
void StateLockEnter() { stateMutex.lock(); }
void StateLockLeave() { stateMutex.unlock(); }
