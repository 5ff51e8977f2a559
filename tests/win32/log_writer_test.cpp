// LoggerThread against real files: header, records per interval, interval changes, pausing, failures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_state.h"
#include "resources/resource.h"
#include "logging/log_writer_win32.h"
#include "tests/win32/support/test_env_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

const std::string TEXT_HEADER = "Data i Godzina\tPr\xEA" "dko\x9C\xE6[m/s]\tKierunek[\xB0]\r\n";
const std::string CSV_HEADER = "Data i Godzina,Pr\xEA" "dko\x9C\xE6[m/s],Kierunek[\xB0]\r\n";

// The writer is never stopped here, so everything it reaches lives as long as the test process: tests
// allocate it and never free it.
struct Logger {
    HostWindow host{};
    AppState* state = new AppState;
    std::string path;
    Logger(const std::string& name, std::uint32_t interval, std::uint32_t format, bool enabled) {
        const std::uint32_t colors[4] = {RGB(0, 255, 0), 0, RGB(0, 255, 255), 0};
        CreateHostWindow(host, colors);
        path = EnvVar("KX205_WINE_ROOT") + "/" + name;
        FillDefaultState(*state, GetModuleHandleA(nullptr), true, WinePath(path).c_str());
        state->mainWindow = host.dialog;
        state->intervalSeconds = interval;
        state->logFormat = format;
        state->logEnabled = enabled ? 1 : 0;
        state->speed = 123;
        state->direction = 270;
        state->logEvent = CreateEventA(nullptr, TRUE, enabled, nullptr);
        state->stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        state->logFile = Open(path);
    }
    static HANDLE Open(const std::string& unixPath, DWORD access = GENERIC_WRITE) {
        return CreateFileA(WinePath(unixPath).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    void Start() { CloseHandle(CreateThread(nullptr, 0, LoggerThread, state, 0, nullptr)); }
    std::string Status() { return ControlText(host.dialog, IDC_LOG_STATUS); }
    std::string Content() { return ReadTextFile(path); }
    static int Lines(const std::string& text) {
        int n = 0;
        for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++n;
        return n;
    }
    bool WaitForLines(int lines, DWORD timeoutMs) {
        return PumpUntil([&] { return Lines(Content()) >= lines; }, timeoutMs);
    }
    void Set(void (*change)(AppState&)) {
        StateLocked lock;
        change(*state);
    }
};

} // namespace

TEST(LoggerThread, CsvHeaderOnceThenOneRecordPerInterval) {
    Logger& log = *new Logger("csv.log", 1, 0x10000, true);
    log.Start();
    ASSERT_TRUE(log.WaitForLines(2, 3000));
    std::string first = log.Content();
    ASSERT_EQ(first.size(), 72u) << first;
    EXPECT_EQ(first.substr(0, 42), CSV_HEADER);
    // "yyyy.MM.dd HH:mm:ss,12.3,270" with the CSV pictures.
    std::string record = first.substr(42);
    EXPECT_EQ(record[4], '.');
    EXPECT_EQ(record[7], '.');
    EXPECT_EQ(record[10], ' ');
    EXPECT_EQ(record[13], ':');
    EXPECT_EQ(record.substr(19), ",12.3,270\r\n");
    // The status line follows the write: its update may still be on its way here.
    EXPECT_TRUE(PumpUntil([&] { return log.Status() == "Rejestracja do pliku co 00h 00m 01s --> OK"; }, 2000))
        << log.Status();
    ASSERT_TRUE(log.WaitForLines(4, 5000));
    std::string later = log.Content();
    EXPECT_EQ(later.find(CSV_HEADER, 1), std::string::npos);
}

TEST(LoggerThread, TextKindUsesTheUsersSeparatorAndANewNameGetsAHeader) {
    Logger& log = *new Logger("text.log", 1, 2, true); // lower bits only: still the Text kind
    log.Start();
    ASSERT_TRUE(log.WaitForLines(2, 3000));
    std::string text = log.Content();
    EXPECT_EQ(text.substr(0, TEXT_HEADER.size()), TEXT_HEADER);
    EXPECT_NE(text.find("\t12,3\t270\r\n"), std::string::npos) << text;

    std::string second = EnvVar("KX205_WINE_ROOT") + "/text2.log";
    HANDLE file = Logger::Open(second);
    {
        StateLocked lock;
        std::strcpy(log.state->logFileName, WinePath(second).c_str());
        CloseHandle(log.state->logFile);
        log.state->logFile = file;
    }
    ASSERT_TRUE(PumpUntil([&] { return Logger::Lines(ReadTextFile(second)) >= 2; }, 3000));
    EXPECT_EQ(ReadTextFile(second).substr(0, TEXT_HEADER.size()), TEXT_HEADER);
}

TEST(LoggerThread, IntervalChangedDuringAWait) {
    Logger& log = *new Logger("interval.log", 1000, 0x10000, true);
    log.Start();
    ASSERT_TRUE(log.WaitForLines(2, 3000));
    PumpFor(1500);
    EXPECT_EQ(Logger::Lines(log.Content()), 2); // the long interval holds
    log.Set([](AppState& s) { s.intervalSeconds = 1; });
    EXPECT_TRUE(log.WaitForLines(3, 3000)); // ends at the next one-second step
}

TEST(LoggerThread, SwitchedOffAndOnResumesTheCount) {
    Logger& log = *new Logger("pause.log", 4, 0x10000, true);
    log.Start();
    ASSERT_TRUE(log.WaitForLines(2, 3000));
    ULONGLONG first = NowMs();
    PumpFor(2500); // two of the four seconds counted
    ResetEvent(log.state->logEvent);
    PumpFor(4000);
    EXPECT_EQ(Logger::Lines(log.Content()), 2);
    SetEvent(log.state->logEvent);
    ULONGLONG resumed = NowMs();
    ASSERT_TRUE(log.WaitForLines(3, 6000));
    // The remaining seconds, not a whole new interval (4 s) after switching on.
    EXPECT_LT(NowMs() - resumed, 3500u);
    EXPECT_GT(NowMs() - first, 6000u);
}

TEST(LoggerThread, LoggingOffShowsItAndKeepsTheHeaderPending) {
    Logger& log = *new Logger("off.log", 1, 0x10000, false);
    log.Start();
    ASSERT_TRUE(PumpUntil([&] { return log.Status() == "Bez rejestracji do pliku"; }, 3000));
    EXPECT_EQ(log.Content(), "");
    log.Set([](AppState& s) { s.logEnabled = 1; });
    SetEvent(log.state->logEvent);
    ASSERT_TRUE(log.WaitForLines(2, 4000));
    EXPECT_EQ(log.Content().substr(0, 42), CSV_HEADER);
}

namespace {

HANDLE NoFile() { return InvalidHandle(); }

// A pipe nobody reads: the write fails, while the flush has nothing left to wait for.
HANDLE PipeWithoutReader() {
    HANDLE reader = nullptr, writer = nullptr;
    if (!CreatePipe(&reader, &writer, nullptr, 0)) return InvalidHandle();
    CloseHandle(reader);
    return writer;
}

HANDLE ReadOnlyFile() {
    return CreateFileA(WinePath(EnvVar("KX205_WINE_ROOT") + "/readonly.log").c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TEST(LoggerThread, FailuresShowInTheStatusLine) {
    struct Case {
        const char* name;
        HANDLE (*open)();
        const char* status;
    };
    const Case cases[] = {
        {"no file", NoFile, "B\xB3\xB9" "d podczas otwierania pliku do zapisu"},
        {"write fails", PipeWithoutReader, "B\xB3\xB9" "d podczas zapisu do pliku"},
        {"write and flush fail", ReadOnlyFile, "B\xB3\xB9" "d podczas zamykania pliku"},
    };
    for (const Case& c : cases) {
        Logger& log = *new Logger(std::string("fail-") + c.name, 1, 0x10000, true);
        CloseHandle(log.state->logFile);
        log.state->logFile = c.open();
        HANDLE given = log.state->logFile;
        log.Start();
        EXPECT_TRUE(PumpUntil([&] { return log.Status() == c.status; }, 3000)) << c.name << ": " << log.Status();
        // The writer keeps the file handle as it was, whatever failed.
        EXPECT_EQ(log.state->logFile, given) << c.name;
    }
}
