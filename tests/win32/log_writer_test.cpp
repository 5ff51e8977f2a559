// The log writer's timing and failures, which the program's scenarios cannot bring about: the interval
// changed or paused during a wait, logging switched on later, a header that has no file to go to, and a
// failed flush.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "logging/log_writer_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

// The writer is not stopped here: what it reaches lives as long as the test process.
struct Logger {
    HostWindow& host = *new HostWindow;
    AppState& state = *new AppState;
    std::string path;
    Logger(const std::string& name, std::uint32_t interval, bool enabled) {
        path = EnvVar("KX205_WINE_ROOT") + "/" + name;
        FillDefaultState(state, GetModuleHandleA(nullptr), true, WinePath(path).c_str());
        CreateHostWindow(host, state.colors);
        state.mainWindow = host.dialog;
        state.intervalSeconds = interval;
        state.logFormat = 0x10000;
        state.logEnabled = enabled ? 1 : 0;
        state.speed = 123;
        state.direction = 270;
        state.logEvent = CreateEventA(nullptr, TRUE, enabled, nullptr);
        state.stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        state.logFile = CreateFileA(WinePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    void Start() { CloseHandle(CreateThread(nullptr, 0, LoggerThread, &state, 0, nullptr)); }
    std::string Status() const { return ControlText(host.dialog, IDC_LOG_STATUS); }
    int Lines() const {
        std::string text = ReadTextFile(path);
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
    bool WaitForLines(int lines, DWORD ms) const { return PumpUntil([&] { return Lines() >= lines; }, ms); }
};

} // namespace

// The margins are wide: a lowered interval would otherwise take 1000 s to apply, and a restarted one 10 s
// where the rest of it takes about 4.
TEST(LoggerThread, IntervalLoweredDuringAWaitThenPausedAndResumed) {
    Logger& log = *new Logger("interval.log", 1000, true);
    log.Start();
    ASSERT_TRUE(log.WaitForLines(2, 10000)); // the header and the first record at once
    {
        StateLocked lock;
        log.state.intervalSeconds = 10;
    }
    ASSERT_TRUE(log.WaitForLines(3, 30000)); // at the next one-second step that counts past the new one
    PumpFor(6000);                           // about six of ten seconds counted, then logging is switched off
    ResetEvent(log.state.logEvent);
    PumpFor(6000);
    EXPECT_EQ(log.Lines(), 3); // no record while off, though a whole interval went by since the last one
    SetEvent(log.state.logEvent);
    ULONGLONG resumed = NowMs();
    ASSERT_TRUE(log.WaitForLines(4, 20000));
    EXPECT_LT(NowMs() - resumed, 7500u); // the remaining seconds, not a new interval of ten
}

TEST(LoggerThread, HeaderWaitsForLoggingButNotForAMissingFile) {
    Logger& log = *new Logger("header.log", 1, false);
    log.Start();
    ASSERT_TRUE(PumpUntil([&] { return log.Status() == "Bez rejestracji do pliku"; }, 3000));
    EXPECT_EQ(log.Lines(), 0);
    HANDLE file = log.state.logFile;
    {
        StateLocked lock;
        log.state.logEnabled = 1;
        log.state.logFile = InvalidHandle(); // on, but no file for this cycle: its header goes with it
    }
    SetEvent(log.state.logEvent);
    ASSERT_TRUE(PumpUntil([&] { return log.Status() == "B\xB3\xB9" "d podczas otwierania pliku do zapisu"; }, 3000));
    {
        StateLocked lock;
        log.state.logFile = file;
    }
    ASSERT_TRUE(log.WaitForLines(1, 3000));
    std::string text = ReadTextFile(log.path);
    EXPECT_EQ(text.find("Data"), std::string::npos) << text;
    EXPECT_EQ(text.substr(19), ",12.3,270\r\n");
}

// A write that fails is the scenarios' full disk; a flush that fails too is what shows, and the writer
// keeps the file it was given.
TEST(LoggerThread, AFailedFlushShowsInTheStatusLine) {
    Logger& log = *new Logger("readonly.log", 1, true);
    CloseHandle(log.state.logFile); // opened again for reading only: the write and the flush fail
    HANDLE given = log.state.logFile = CreateFileA(WinePath(log.path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    log.Start();
    EXPECT_TRUE(PumpUntil([&] { return log.Status() == "B\xB3\xB9" "d podczas zamykania pliku"; }, 3000)) << log.Status();
    StateLocked lock;
    EXPECT_EQ(log.state.logFile, given);
}
