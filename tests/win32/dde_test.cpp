// What the program's own scenarios cannot make happen at will: many updates in quick succession to several
// clients of one item, in other processes, through DDEML and raw messages. Under Wine they share one item
// atom between them, which must not run out.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "dde/dde_win32.h"
#include "tests/win32/support/harness_win32.h"

namespace {

struct Probe {
    PROCESS_INFORMATION process{};
    std::string outPath;
};

// A failed assertion leaves no probe behind: a running one would hold the test's output open.
struct Probes : std::vector<Probe> {
    ~Probes() {
        for (Probe& p : *this) {
            TerminateProcess(p.process.hProcess, 0);
            WaitForSingleObject(p.process.hProcess, 5000);
            CloseHandle(p.process.hThread);
            CloseHandle(p.process.hProcess);
        }
    }
};

Probe StartProbe(const std::string& arguments, int n) {
    Probe p;
    p.outPath = EnvVar("KX205_WINE_ROOT") + "/dde-probe-" + std::to_string(n) + ".out";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(WinePath(p.outPath).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out;
    std::string line = "\"" + WinePath(EnvVar("KX205_BUILD_DIR") + "/kx205dde.exe") + "\" " + arguments;
    EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &p.process));
    CloseHandle(out);
    return p;
}

// The texts a probe printed, without their time stamps ("HH:MM:SS.mmm ").
std::vector<std::string> Texts(const Probe& p) {
    std::vector<std::string> texts;
    std::string all = ReadTextFile(p.outPath), line;
    for (char c : all) {
        if (c == '\n') {
            texts.push_back(line.size() > 13 ? line.substr(13) : line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    return texts;
}

} // namespace

TEST(DdeService, EveryClientOfAnItemGetsEveryUpdate) {
    HostWindow host;
    AppState state;
    FillDefaultState(state, GetModuleHandleA(nullptr), true, "unused.txt");
    ASSERT_TRUE(CreateHostWindow(host, state.colors));
    state.mainWindow = host.dialog;
    state.direction = 270;
    ASSERT_TRUE(StartDde(state, 13330));
    auto post = [&](std::int32_t speed) {
        {
            StateLocked lock;
            state.speed = speed;
        }
        PostAdviseAll();
    };
    Probes probes;
    for (const char* arguments : {"--advise speed Wynik", "--advise speed Wynik", "--raw --advise speed Wynik"})
        probes.push_back(StartProbe(arguments, static_cast<int>(probes.size())));
    auto allShow = [&](const std::string& text) {
        for (const Probe& p : probes) {
            std::vector<std::string> texts = Texts(p);
            if (texts.empty() || texts.back() != text) return false;
        }
        return true;
    };
    // Until every client is there, the first value is posted again and again; then each value once, as
    // soon as every client has shown the one before.
    ULONGLONG repeat = 0;
    ASSERT_TRUE(PumpUntil(
        [&] {
            if (NowMs() >= repeat) post(0), repeat = NowMs() + 200;
            return allShow("0,0");
        },
        30000));
    PumpFor(500);
    std::vector<std::string> expected;
    for (int k = 1; k <= 30; ++k) {
        expected.push_back(std::to_string(k / 10) + "," + std::to_string(k % 10));
        post(k);
        ASSERT_TRUE(PumpUntil([&] { return allShow(expected.back()); }, 5000)) << expected.back();
    }
    for (const Probe& p : probes) {
        std::vector<std::string> texts = Texts(p);
        while (!texts.empty() && texts.front() == "0,0") texts.erase(texts.begin());
        EXPECT_EQ(texts, expected);
    }
    StopDde();
    DestroyWindow(host.dialog);
}
