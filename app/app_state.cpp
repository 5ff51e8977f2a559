// Start-up defaults of AppState.
#include "app/app_state.h"

#include <cstring>

// Every field is assigned on its own, so that a field forgotten here shows in a test that fills the record
// with garbage first.
void FillDefaultState(AppState& state, ModuleHandle instance, bool firstInstance, const char* defaultLogFileName) {
    // The whole name field: saving stores it whole, bytes after the zero byte included.
    std::memset(state.logFileName, 0, sizeof state.logFileName);
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
    state.statistics = nullptr;
    state.figures = {VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN,
                     VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN};
    StatisticsDefaults(state.statisticsSettings);
    state.alarm = {};
}
