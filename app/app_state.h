// AppState: the one record the whole program shares, and StateLock, the lock that guards it.
// Handle fields use aliases that are the Win32 handle types on Windows and opaque pointers elsewhere,
// so the portable core and its unit tests see the same layout.
#pragma once

#include <cstdint>

#include "statistics/statistics_settings.h"
#include "statistics/wind_alarm.h"

struct HWND__;
struct HINSTANCE__;
using WindowHandle = HWND__*;     // HWND
using ModuleHandle = HINSTANCE__*; // HINSTANCE
using KernelHandle = void*;       // HANDLE

// The platform's INVALID_HANDLE_VALUE: all bits set.
inline KernelHandle InvalidHandle() { return reinterpret_cast<KernelHandle>(~std::uintptr_t{0}); }

constexpr std::int32_t VALUE_UNKNOWN = 2147483647;
// The caption of every message box of the program.
constexpr char APP_CAPTION[] = "Rizuzedarar KX-205";
constexpr int PATH_CAPACITY = 260;

enum Quantity : int { QUANTITY_SPEED = 0, QUANTITY_DIRECTION = 1 };

// Upper 16 bits of logFormat: the record kind of the log file.
constexpr std::uint32_t LOG_FORMAT_TEXT = 0;
constexpr std::uint32_t LOG_FORMAT_CSV = 1;

struct AppState {
    char logFileName[PATH_CAPACITY];
    std::uint32_t intervalSeconds;
    std::uint32_t logFormat;
    std::int32_t portNumber;
    std::int32_t logEnabled;
    std::int32_t firstInstance;
    ModuleHandle instance;
    WindowHandle mainWindow;
    KernelHandle logEvent;
    KernelHandle logFile;
    KernelHandle portHandle;
    std::int32_t speed;     // tenths of m/s, or VALUE_UNKNOWN
    std::int32_t direction; // whole degrees, or VALUE_UNKNOWN
    std::uint32_t colors[4]; // speed text, speed background, direction text, direction background (0x00BBGGRR)
    WindowHandle readouts[2];
    // How shutdown ends the workers (null while they do not run): an event it signals, and the acquisition
    // worker's thread, which ends the log writer before it ends itself.
    KernelHandle stopEvent;
    KernelHandle acquisitionThread;
    // The frames of the last hour, which the acquisition worker adds under StateLock (null until start-up
    // has made room for them); the rest of the statistics is the main thread's own: the figures as of the
    // last frame, which the DDE items and the alarm go by, the window's and the alarm's settings, the alarm.
    WindStatistics* statistics;
    WindFigures figures;
    StatisticsSettings statisticsSettings;
    AlarmState alarm;
};

// speed and direction addressed by Quantity.
inline std::int32_t& QuantityValue(AppState& state, int quantity) {
    return quantity == QUANTITY_SPEED ? state.speed : state.direction;
}

// The record kind (upper 16 bits of logFormat); anything but Text counts as CSV.
inline bool LogFormatIsCsv(std::uint32_t logFormat) { return (logFormat >> 16) != LOG_FORMAT_TEXT; }

// Fills every field with its start-up default; the settings and the command line overwrite them later.
void FillDefaultState(AppState& state, ModuleHandle instance, bool firstInstance, const char* defaultLogFileName);

// StateLock. Held only for short copies, never across a wait for another thread, never nested.
void StateLockCreate();
void StateLockDelete();
void StateLockEnter();
void StateLockLeave();

// Holds StateLock for the lifetime of a scope.
struct StateLocked {
    StateLocked() { StateLockEnter(); }
    ~StateLocked() { StateLockLeave(); }
    StateLocked(const StateLocked&) = delete;
    StateLocked& operator=(const StateLocked&) = delete;
};
