// kx205bench: latency and CPU figures of the acquisition worker under Wine, fed by kx205sim (scripts/bench).
// A benchmark: it prints what it measured and judges none of it.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "resources/resource.h"
#include "tests/win32/support/test_env_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

const char USAGE[] =
    "usage: kx205bench [--com N] [--frames N] [--warm-up N] [--cpu-seconds S]\n"
    "Run inside the environment scripts/bench makes (KX205_WINE_ROOT, KX205_SIM_CTL, KX205_SIM).\n"
    "  --com N          COM port the simulator is linked as (default 41)\n"
    "  --frames N       frames whose latency is measured (default 200)\n"
    "  --warm-up N      frames left out first, while the worker opens the port (default 5)\n"
    "  --cpu-seconds S  length of each CPU measurement (default 30)\n";

const char NO_LINK[] = "Brak \xB3\xB9" "czno\x9C" "ci z przyrz\xB9" "dem";

// 100 ns steps between 1601-01-01 and 1970-01-01.
constexpr long long FILETIME_UNIX_EPOCH = 116444736000000000LL;

using PreciseTimeFn = void(WINAPI*)(LPFILETIME);
PreciseTimeFn preciseTime = GetSystemTimeAsFileTime;

long long FiletimeTicks(FILETIME t) {
    return static_cast<long long>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

// Under Wine the precise system time is the Linux realtime clock, the clock the simulator stamps with.
long long UnixNsNow() {
    FILETIME now;
    preciseTime(&now);
    return (FiletimeTicks(now) - FILETIME_UNIX_EPOCH) * 100;
}

// One DM_SETTEXT the speed read-out applied: when, and the speed it showed in tenths (-1: no value).
struct TextSet {
    long long unixNs;
    long tenths;
};
std::vector<TextSet> textSets;
WNDPROC displayProc = nullptr;

long DigitsOf(const char* text) {
    long value = -1;
    for (; *text != '\0'; ++text) {
        if (*text >= '0' && *text <= '9') value = (value < 0 ? 0 : value * 10) + (*text - '0');
    }
    return value;
}

// The clock is read once the read-out has applied the text, which is the moment the worker's synchronous
// send is answered.
LRESULT CALLBACK SpeedReadoutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcA(displayProc, window, message, wParam, lParam);
    if (message == DM_SETTEXT && lParam != 0) {
        long long now = UnixNsNow();
        textSets.push_back({now, DigitsOf(reinterpret_cast<const char*>(lParam))});
    }
    return result;
}

// Sleeps until a message comes: a polling loop would add its own CPU time to the whole-process figure and
// its own delay to the latency.
bool PumpUntilMessage(const std::function<bool()>& done, DWORD timeoutMs) {
    return PumpUntil(done, timeoutMs, INFINITE);
}

struct CpuTimes {
    long long userTicks = 0, kernelTicks = 0; // 100 ns
};

CpuTimes ThreadCpu(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    CpuTimes t;
    if (GetThreadTimes(thread, &created, &exited, &kernel, &user)) {
        t.userTicks = FiletimeTicks(user);
        t.kernelTicks = FiletimeTicks(kernel);
    }
    return t;
}

CpuTimes ProcessCpu() {
    FILETIME created, exited, kernel, user;
    CpuTimes t;
    if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        t.userTicks = FiletimeTicks(user);
        t.kernelTicks = FiletimeTicks(kernel);
    }
    return t;
}

struct CpuFigure {
    double seconds;
    double userMs, kernelMs;
    double processMs; // every thread of this program: also the main thread answering the worker's sends
    double PerMinute(double ms) const { return ms * 60.0 / seconds; }
};

// Runs the main thread's message loop for the whole window, so the worker's sends are answered as the
// program's own loop would answer them.
CpuFigure MeasureCpu(HANDLE worker, DWORD milliseconds) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    CpuTimes before = ThreadCpu(worker), processBefore = ProcessCpu();
    QueryPerformanceCounter(&start);
    PumpUntilMessage([] { return false; }, milliseconds);
    QueryPerformanceCounter(&end);
    CpuTimes after = ThreadCpu(worker), processAfter = ProcessCpu();
    long long processTicks = processAfter.userTicks + processAfter.kernelTicks - processBefore.userTicks -
                             processBefore.kernelTicks;
    return {static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
            static_cast<double>(after.userTicks - before.userTicks) / 1e4,
            static_cast<double>(after.kernelTicks - before.kernelTicks) / 1e4,
            static_cast<double>(processTicks) / 1e4};
}

// Frame number -> realtime ns just after its last byte, from the simulator's --stamp-file.
std::map<long, long long> ReadStamps(const std::string& unixPath) {
    std::map<long, long long> stamps;
    std::istringstream in(ReadTextFile(unixPath));
    long frame;
    long long ns;
    while (in >> frame >> ns) stamps[frame] = ns;
    return stamps;
}

// Nearest rank: the smallest value with at least the fraction p of all values at or below it.
double Percentile(const std::vector<double>& sorted, double p) {
    size_t rank = static_cast<size_t>(std::ceil(p * static_cast<double>(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

bool ParseArg(const char* text, long& out) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < 0) return false;
    out = v;
    return true;
}

void PrintCpu(const char* what, const CpuFigure& c) {
    std::printf("  %-20s %7.0f ms per minute (user %.0f, kernel %.0f; %.0f ms in %.1f s); whole process %.0f ms "
                "per minute\n", what, c.PerMinute(c.userMs + c.kernelMs), c.PerMinute(c.userMs),
                c.PerMinute(c.kernelMs), c.userMs + c.kernelMs, c.seconds, c.PerMinute(c.processMs));
}

} // namespace

int main(int argc, char** argv) {
    long com = 41, frames = 200, warmUp = 5, cpuSeconds = 30;
    for (int i = 1; i < argc; ++i) {
        long* target = nullptr;
        if (std::strcmp(argv[i], "--com") == 0) target = &com;
        if (std::strcmp(argv[i], "--frames") == 0) target = &frames;
        if (std::strcmp(argv[i], "--warm-up") == 0) target = &warmUp;
        if (std::strcmp(argv[i], "--cpu-seconds") == 0) target = &cpuSeconds;
        if (target == nullptr || i + 1 >= argc || !ParseArg(argv[++i], *target)) {
            std::fputs(USAGE, stderr);
            return 2;
        }
    }
    // The frame number travels as the speed, four digits.
    if (com < 1 || frames < 1 || warmUp + frames >= 10000) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    std::string root = EnvVar("KX205_WINE_ROOT");
    if (root.empty() || EnvVar("KX205_SIM_CTL").empty() || root.find(' ') != std::string::npos) {
        std::fputs("kx205bench: needs KX205_WINE_ROOT (without spaces) and KX205_SIM_CTL; run scripts/bench\n", stderr);
        return 2;
    }
    auto precise = GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemTimePreciseAsFileTime");
    if (precise != nullptr) {
        preciseTime = reinterpret_cast<PreciseTimeFn>(reinterpret_cast<void*>(precise));
    } else {
        std::puts("kx205bench: no GetSystemTimePreciseAsFileTime; latencies have the system clock's coarse steps");
    }
    textSets.reserve(20000);

    StateLockCreate();
    // The worker is never stopped; what it reaches lives until the process exits.
    auto* state = new AppState;
    FillDefaultState(*state, GetModuleHandleA(nullptr), true, "unused.txt");
    auto* host = new HostWindow{};
    if (!CreateHostWindow(*host, state->colors)) {
        std::fputs("kx205bench: cannot create the stand-in main window\n", stderr);
        return 1;
    }
    state->mainWindow = host->dialog;
    state->readouts[0] = host->readouts[0];
    state->readouts[1] = host->readouts[1];
    // Never set: the log writer waits for ever and the log stays off.
    state->logEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    state->portNumber = static_cast<std::int32_t>(com);
    displayProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(host->readouts[0], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SpeedReadoutProc)));

    std::string stampFile = root + "/bench-stamps.txt";
    DeleteFileA(WinePath(stampFile).c_str());
    std::printf("kx205bench: COM%ld fed by kx205sim at 300 baud, 9 bits a character, frames back to back (about 0.42 s each)\n",
                com);
    std::fflush(stdout);
    if (!StartSimulator(static_cast<int>(com), "--period 0 --count-speed --direction 180 --stamp-file " + stampFile)) {
        std::fputs("kx205bench: the simulator did not start\n", stderr);
        return 1;
    }
    HANDLE worker = StartAcquisition(*state) ? state->acquisitionThread : nullptr;
    if (worker == nullptr) {
        std::fputs("kx205bench: cannot start the worker\n", stderr);
        StopSimulator(static_cast<int>(com));
        return 1;
    }

    // Latency frames: the warm-up, then the measured ones, counted from the first frame the read-out shows.
    long firstFrame = -1;
    auto lastShown = [&] { return textSets.empty() ? -1 : textSets.back().tenths; };
    bool started = PumpUntilMessage(
        [&] {
            for (const TextSet& t : textSets) {
                if (t.tenths > 0) {
                    firstFrame = t.tenths;
                    return true;
                }
            }
            return false;
        },
        15000);
    long firstMeasured = firstFrame + warmUp, lastMeasured = firstMeasured + frames - 1;
    // Generous: a frame takes 0.42 s.
    DWORD latencyTimeout = static_cast<DWORD>((warmUp + frames) * 420 * 2 + 10000);
    bool flowed = started && PumpUntilMessage([&] { return lastShown() >= lastMeasured; }, latencyTimeout);
    if (!flowed) std::printf("kx205bench: frames stopped arriving (last shown: frame %ld)\n", lastShown());
    std::fflush(stdout);

    size_t setsBefore = textSets.size();
    CpuFigure lineRate = MeasureCpu(worker, static_cast<DWORD>(cpuSeconds * 1000));
    size_t framesDuringCpu = textSets.size() - setsBefore;

    // Unplugged: the simulator ends, its pty and the COM link vanish, and it writes its stamps.
    StopSimulator(static_cast<int>(com));
    bool noticed = PumpUntilMessage([&] { return ControlText(host->dialog, IDC_MEASUREMENT_STATUS) == NO_LINK; }, 10000);
    PumpUntilMessage([] { return false; }, 1000);
    CpuFigure missing = MeasureCpu(worker, static_cast<DWORD>(cpuSeconds * 1000));

    std::map<long, long long> stamps = ReadStamps(stampFile);
    std::map<long, long long> shownAt;
    for (const TextSet& t : textSets) {
        if (t.tenths >= firstMeasured && t.tenths <= lastMeasured && shownAt.count(t.tenths) == 0) {
            shownAt[t.tenths] = t.unixNs;
        }
    }
    std::vector<double> latencies;
    long notShown = 0, notStamped = 0;
    for (long f = firstMeasured; f <= lastMeasured; ++f) {
        auto shown = shownAt.find(f);
        auto stamp = stamps.find(f);
        if (shown == shownAt.end()) ++notShown;
        else if (stamp == stamps.end()) ++notStamped;
        else latencies.push_back(static_cast<double>(shown->second - stamp->second) / 1e6);
    }
    std::sort(latencies.begin(), latencies.end());

    std::printf("\nlatency: kx205sim wrote the frame's last byte -> the speed read-out applied its DM_SETTEXT\n");
    std::printf("  frames %ld to %ld (the first %ld shown left out): %zu measured", firstMeasured, lastMeasured,
                warmUp, latencies.size());
    if (notShown + notStamped > 0) std::printf(", %ld never shown, %ld without a stamp", notShown, notStamped);
    std::printf("\n");
    if (!latencies.empty()) {
        double sum = 0;
        for (double l : latencies) sum += l;
        std::printf("  median %.2f ms   p99 %.2f ms   (min %.2f, mean %.2f, max %.2f; p99 by nearest rank)\n",
                    Percentile(latencies, 0.5), Percentile(latencies, 0.99), latencies.front(),
                    sum / static_cast<double>(latencies.size()), latencies.back());
    }
    std::printf("\nworker thread CPU time (GetThreadTimes on the worker; measured over %ld s each, scaled to a "
                "minute;\nWine counts thread times in the kernel's 10 ms ticks)\n", cpuSeconds);
    PrintCpu("at the line rate:", lineRate);
    std::printf("  %-20s (%zu frames shown during it)\n", "", framesDuringCpu);
    PrintCpu("port missing:", missing);
    if (!noticed) std::printf("  (the worker had not shown the lost link within 10 s of the unplugging)\n");
    std::fflush(stdout);
    return flowed && !latencies.empty() ? 0 : 1;
}
