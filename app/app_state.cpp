// Start-up defaults of AppState.
#include "app/app_state.h"

#include <cstring>

void FillDefaultState(AppState& state, ModuleHandle instance, bool firstInstance, const char* defaultLogFileName) {
    std::memset(&state, 0, sizeof state);
    if (defaultLogFileName != nullptr) {
        std::strncpy(state.logFileName, defaultLogFileName, PATH_CAPACITY - 1);
    }
    state.intervalSeconds = 60;
    state.logFormat = LOG_FORMAT_TEXT << 16;
    state.portNumber = VALUE_UNKNOWN;
    state.logEnabled = 0;
    state.firstInstance = firstInstance ? 1 : 0;
    state.instance = instance;
    state.mainWindow = nullptr;
    state.logEvent = InvalidHandle();
    state.logFile = InvalidHandle();
    state.portHandle = InvalidHandle();
    state.speed = VALUE_UNKNOWN;
    state.direction = VALUE_UNKNOWN;
    state.colors[0] = 0x0000FF00; // green
    state.colors[1] = 0x00000000;
    state.colors[2] = 0x00FFFF00; // cyan
    state.colors[3] = 0x00000000;
    state.readouts[0] = nullptr;
    state.readouts[1] = nullptr;
    state.stopEvent = nullptr;
    state.acquisitionThread = nullptr;
}
