// The DDE service, hosted by the test thread, as clients in other processes see it: the probe kx205dde.exe
// talking DDEML and raw WM_DDE_* messages, several at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "dde/dde_win32.h"
#include "resources/resource.h"
#include "tests/win32/support/test_env_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

const std::string SPEED_13330 = "Pr\xEA"
                                "dko\x9C\xE6"
                                "#13330";
const std::string DIRECTION_13330 = "Kierunek#13330";
const std::string ENDED = "Serwer zako\xF1"
                          "czy\xB3 rozmow\xEA.";
constexpr DWORD PROBE_TIMEOUT_MS = 30000;

// The server of the program in a stand-in main window, as the main window starts it.
struct Service {
    HostWindow host{};
    AppState state{};
    bool started = false;
    Service(std::int32_t serial, std::int32_t speed, std::int32_t direction) {
        FillDefaultState(state, GetModuleHandleA(nullptr), true, "unused.txt");
        CreateHostWindow(host, state.colors);
        state.mainWindow = host.dialog;
        Set(speed, direction);
        started = StartDde(state, serial);
    }
    ~Service() {
        StopDde();
        DestroyHostWindow(host);
    }
    void Set(std::int32_t speed, std::int32_t direction) {
        StateLocked lock;
        state.speed = speed;
        state.direction = direction;
    }
    void Post(std::int32_t speed, std::int32_t direction) {
        Set(speed, direction);
        PostAdviseAll();
    }
};

int probeCount = 0;

struct Probe {
    std::string arguments;
    PROCESS_INFORMATION process{};
    std::string outPath;

    bool Finished() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }
    DWORD ExitCode() const {
        DWORD code = 999;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
    // The printed lines, without line ends.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::string text = ReadTextFile(outPath), line;
        for (char c : text) {
            if (c == '\n')
                lines.push_back(line), line.clear();
            else if (c != '\r')
                line += c;
        }
        return lines;
    }
};

// Probes running at once, stdout to files read while they run; a failed test leaves none running.
struct Probes {
    std::vector<Probe> list;
    Probes() = default;
    Probes(const Probes&) = delete;
    Probes& operator=(const Probes&) = delete;
    ~Probes() {
        for (Probe& p : list) {
            if (!p.Finished()) TerminateProcess(p.process.hProcess, 1);
            WaitForSingleObject(p.process.hProcess, 5000);
            CloseHandle(p.process.hThread);
            CloseHandle(p.process.hProcess);
            DeleteFileA(WinePath(p.outPath).c_str());
        }
    }
    Probe& operator[](size_t i) { return list[i]; }

    Probe& Start(const std::string& arguments) {
        Probe& p = list.emplace_back();
        p.arguments = arguments;
        p.outPath = EnvVar("KX205_WINE_ROOT") + "/dde-probe-" + std::to_string(++probeCount) + ".out";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE out = CreateFileA(WinePath(p.outPath).c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = out;
        si.hStdError = out;
        std::string line = "\"" + WinePath(EnvVar("KX205_BUILD_DIR") + "/kx205dde.exe") + "\" " + arguments;
        EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                                   &p.process))
            << arguments;
        CloseHandle(out);
        return p;
    }

    // Serves while the probes run; tick runs every 100 ms meanwhile.
    bool ServeUntilFinished(const std::function<void()>& tick = {}) {
        ULONGLONG nextTick = 0;
        return PumpUntil(
            [&] {
                if (tick && NowMs() >= nextTick) tick(), nextTick = NowMs() + 100;
                for (const Probe& p : list) {
                    if (!p.Finished()) return false;
                }
                return true;
            },
            PROBE_TIMEOUT_MS);
    }
};

// A line's time stamp, "HH:MM:SS.mmm " or Unix nanoseconds and a space, taken off; false when it has none.
bool TakeStamp(std::string& line, bool unixNs) {
    const std::string shape = unixNs ? "0000000000000000000 " : "00:00:00.000 ";
    if (line.size() < shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == '0' ? !std::isdigit(static_cast<unsigned char>(line[i])) : line[i] != shape[i])
            return false;
    }
    line.erase(0, shape.size());
    return true;
}

struct ProbeCase {
    const char* arguments;
    DWORD exitCode;
    std::vector<std::string> lines; // advise lines without their stamps; not compared when the probe fails
};

void ExpectProbes(const std::vector<ProbeCase>& cases, const std::function<void()>& tick = {}) {
    Probes probes;
    for (const ProbeCase& c : cases)
        probes.Start(c.arguments);
    ASSERT_TRUE(probes.ServeUntilFinished(tick));
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].arguments);
        EXPECT_EQ(probes[i].ExitCode(), cases[i].exitCode);
        std::vector<std::string> lines = probes[i].Lines();
        if (cases[i].exitCode != 0) continue;
        if (std::string(cases[i].arguments).find("--advise") != std::string::npos) {
            for (std::string& line : lines)
                EXPECT_TRUE(TakeStamp(line, false)) << line;
        }
        EXPECT_EQ(lines, cases[i].lines);
    }
}

} // namespace

TEST(DdeService, AbsentWithoutSerialNumberThenListsBothTopicsSpeedFirst) {
    Service s(VALUE_UNKNOWN, 123, 270);
    ASSERT_TRUE(s.started);
    ExpectProbes({{"", 1, {}}, {"speed Wynik", 1, {}}, {"--raw Kierunek#13330 Wynik", 1, {}}});
    ASSERT_TRUE(StartDde(s.state, 13330));
    ExpectProbes({{"", 0, {SPEED_13330, DIRECTION_13330}}, {"--raw", 0, {SPEED_13330, DIRECTION_13330}}});
}

TEST(DdeService, AnswersItsItemsAndRefusesEverythingElse) {
    Service s(13330, 123, 270);
    ASSERT_TRUE(s.started);
    const std::string status = "B\xB3\xB9"
                               "d pomiaru pr\xEA"
                               "dko\x9C"
                               "ci wiatru";
    SetDlgItemTextA(s.host.dialog, IDC_MEASUREMENT_STATUS, status.c_str());
    const std::string speedMeasurement = SPEED_13330 + " Pomiar";
    // Advise probes wait for posts: the server posts on every tick, as after each frame.
    ExpectProbes(
        {
            {"speed Wynik", 0, {"12,3"}},
            {speedMeasurement.c_str(), 0, {"12,3m/s"}},
            {"DIRECTION Pomiar", 0, {"270\xB0"}},
            {"Kierunek#13330 Status", 0, {status}},
            {"--raw speed Status", 0, {status}},
            {"--raw Kierunek#13330 Pomiar", 0, {"270\xB0"}},
            {"--advise --count 2 direction Wynik", 0, {"270", "270"}},
            {"--raw --advise --count 2 speed Pomiar", 0, {"12,3m/s", "12,3m/s"}},
            {"--format 13 speed Wynik", 3, {}},
            {"--advise --format 13 speed Wynik", 3, {}},
            {"--raw --format 13 speed Wynik", 3, {}},
            {"speed Nic", 3, {}},
            {"--raw --advise direction Nic", 3, {}},
            {"--poke 1,0 speed Wynik", 3, {}},
            {"--execute [Zamknij] direction", 3, {}},
            {"Kierunek#13331 Wynik", 1, {}},
            {"Kierunek Wynik", 1, {}},
            {"--raw Pr\xEA"
             "dko\x9C\xE6 Wynik",
             1,
             {}},
            {"--service KX206 Kierunek#13330 Wynik", 1, {}},
            // A topic named without the service: that topic's own quantity, not the first topic's.
            {"--service \"\" Kierunek#13330 Wynik", 0, {"270"}},
            {"--raw --service \"\" Kierunek#13330 Pomiar", 0, {"270\xB0"}},
            {"--all",
             0,
             {SPEED_13330 + " Wynik 12,3", SPEED_13330 + " Pomiar 12,3m/s", SPEED_13330 + " Status " + status,
              DIRECTION_13330 + " Wynik 270", DIRECTION_13330 + " Pomiar 270\xB0",
              DIRECTION_13330 + " Status " + status}},
            {"--count 0 speed Wynik", 2, {}},
        },
        [] { PostAdviseAll(); });
}

TEST(DdeService, AdviseLoopsFollowTheirOwnTopicUntilTheSerialNumberChanges) {
    Service s(13330, 123, 270);
    ASSERT_TRUE(s.started);
    const std::string status = "Pomiar --> OK";
    SetDlgItemTextA(s.host.dialog, IDC_MEASUREMENT_STATUS, status.c_str());
    const std::int32_t posts[][2] = {{123, 270}, {0, 0}, {VALUE_UNKNOWN, 45}, {257, VALUE_UNKNOWN}, {5, 359}};
    struct Client {
        std::string arguments;
        bool unixNs;
        std::vector<std::string> texts; // what each post shows
    };
    const std::vector<Client> clients = {
        {"--advise speed Wynik", false, {"12,3", "0,0", "?????", "25,7", "0,5"}},
        {"--advise --unix-ns direction Pomiar", true, {"270\xB0", "0\xB0", "45\xB0", "?????\xB0", "359\xB0"}},
        {"--raw --advise " + SPEED_13330 + " Pomiar",
         false,
         {"12,3m/s", "0,0m/s", "?????m/s", "25,7m/s", "0,5m/s"}},
        {"--raw --advise direction Wynik", false, {"270", "0", "45", "?????", "359"}},
    };
    Probes probes, timed;
    for (const Client& c : clients)
        probes.Start(c.arguments);
    timed.Start("--advise --seconds 1 direction Status");
    auto texts = [&](size_t i) {
        std::vector<std::string> lines = probes[i].Lines();
        for (std::string& line : lines)
            EXPECT_TRUE(TakeStamp(line, clients[i].unixNs)) << line;
        return lines;
    };
    auto allShow = [&](size_t post) {
        for (size_t i = 0; i < clients.size(); ++i) {
            std::vector<std::string> lines = texts(i);
            if (lines.empty() || lines.back() != clients[i].texts[post]) return false;
        }
        return true;
    };
    // The first post is repeated until every client has started; each later one is shown by every client
    // before the next, so none can be merged with another.
    for (size_t post = 0; post < std::size(posts); ++post) {
        s.Post(posts[post][0], posts[post][1]);
        ULONGLONG repeat = NowMs() + 200;
        bool shown = PumpUntil(
            [&] {
                if (post == 0 && NowMs() >= repeat) s.Post(posts[0][0], posts[0][1]), repeat = NowMs() + 200;
                return allShow(post);
            },
            post == 0 ? PROBE_TIMEOUT_MS : 5000);
        ASSERT_TRUE(shown) << "post " << post;
        if (post == 0) PumpFor(500); // lets the repeats still on their way arrive
    }
    ASSERT_TRUE(timed.ServeUntilFinished());
    EXPECT_EQ(timed[0].ExitCode(), 0u);
    for (std::string line : timed[0].Lines())
        EXPECT_TRUE(TakeStamp(line, false) && line == status) << line;

    StopDde();
    ASSERT_TRUE(StartDde(s.state, 13331));
    ASSERT_TRUE(probes.ServeUntilFinished());
    for (size_t i = 0; i < clients.size(); ++i) {
        SCOPED_TRACE(clients[i].arguments);
        EXPECT_EQ(probes[i].ExitCode(), 4u);
        // The first post was repeated until every client showed it; after it, each post exactly once.
        std::vector<std::string> lines = texts(i), expected = clients[i].texts;
        expected.push_back(ENDED);
        while (lines.size() > expected.size() && lines.front() == expected.front())
            lines.erase(lines.begin());
        EXPECT_EQ(lines, expected);
    }
    ExpectProbes({
        {(SPEED_13330 + " Wynik").c_str(), 1, {}},
        {"--raw Kierunek#13330 Wynik", 1, {}},
        {"Kierunek#13331 Wynik", 0, {"359"}},
        {"--raw speed Pomiar", 0, {"0,5m/s"}},
        {"",
         0,
         {"Pr\xEA"
          "dko\x9C\xE6"
          "#13331",
          "Kierunek#13331"}},
    });
}

// Several clients of one topic and item, through DDEML and raw messages, over many updates: each gets every
// one (Wine hands them one item atom between them, which must not run out).
TEST(DdeService, EveryClientOfAnItemGetsEveryUpdate) {
    Service s(13330, 0, 270);
    ASSERT_TRUE(s.started);
    constexpr int POSTS = 30;
    Probes probes;
    for (const char* arguments :
         {"--advise speed Wynik", "--advise speed Wynik", "--raw --advise speed Wynik"})
        probes.Start(arguments);
    auto texts = [&](size_t i) {
        std::vector<std::string> lines = probes[i].Lines();
        for (std::string& line : lines)
            TakeStamp(line, false);
        return lines;
    };
    auto allShow = [&](const std::string& text) {
        for (size_t i = 0; i < probes.list.size(); ++i) {
            std::vector<std::string> lines = texts(i);
            if (lines.empty() || lines.back() != text) return false;
        }
        return true;
    };
    // Until every client is there, the first value is posted again and again; then each value once.
    ULONGLONG repeat = 0;
    ASSERT_TRUE(PumpUntil(
        [&] {
            if (NowMs() >= repeat) s.Post(0, 270), repeat = NowMs() + 200;
            return allShow("0,0");
        },
        PROBE_TIMEOUT_MS));
    PumpFor(500);
    std::vector<std::string> expected;
    for (int k = 1; k <= POSTS; ++k) {
        std::string text = std::to_string(k / 10) + "," + std::to_string(k % 10);
        expected.push_back(text);
        s.Post(k, 270);
        ASSERT_TRUE(PumpUntil([&] { return allShow(text); }, 5000)) << text;
    }
    for (size_t i = 0; i < probes.list.size(); ++i) {
        std::vector<std::string> lines = texts(i);
        while (!lines.empty() && lines.front() == "0,0")
            lines.erase(lines.begin());
        EXPECT_EQ(lines, expected) << probes[i].arguments;
    }
}
