// AcquisitionThread in a stand-in main window, fed by the simulator through pty-backed COM ports.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "resources/resource.h"
#include "presentation/display_state.h"
#include "tests/win32/support/test_env_win32.h"
#include "tests/win32/support/window_support_win32.h"

namespace {

const std::string WAITING = "Oczekiwanie na wynik pomiaru...";
const std::string NO_LINK = "Brak \xB3\xB9" "czno\x9C" "ci z przyrz\xB9" "dem";
const std::string SPEED_FAULT = "B\xB3\xB9" "d pomiaru pr\xEA" "dko\x9C" "ci wiatru";
constexpr WPARAM UNKNOWN = static_cast<WPARAM>(VALUE_UNKNOWN);

// The worker is not stopped in most tests, so everything it reaches (state, window, the window's record of messages) lives
// as long as the test process: tests allocate it and never free it.
struct Acquisition {
    HostWindow host{};
    AppState* state = new AppState;
    HANDLE worker = nullptr;
    explicit Acquisition(long port) {
        FillDefaultState(*state, GetModuleHandleA(nullptr), true, "unused.txt");
        CreateHostWindow(host, state->colors);
        state->mainWindow = host.dialog;
        state->readouts[0] = host.readouts[0];
        state->readouts[1] = host.readouts[1];
        state->logEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        state->portNumber = port;
    }
    void Start() {
        StartAcquisition(*state);
        worker = state->acquisitionThread;
    }
    const DisplayState& Readout(int q) const {
        return *reinterpret_cast<DisplayState*>(GetWindowLongPtrA(host.readouts[q], 0));
    }
    std::string Text(int q) const { return Readout(q).text; }
    std::string Status() const { return ControlText(host.dialog, IDC_MEASUREMENT_STATUS); }
    std::string Serial() const { return ControlText(host.dialog, IDC_SERIAL_NUMBER); }
    bool WaitFor(const std::function<bool()>& done, DWORD ms = 8000) { return PumpUntil(done, ms); }
    void SetPort(long port) {
        StateLocked lock;
        state->portNumber = port;
    }
};

// Captures the window once both read-outs are in the shown phase of their blinking.
void SaveShownPhase(Acquisition& a, const char* name) {
    Capture c;
    a.WaitFor(
        [&] {
            UpdateWindow(a.host.dialog);
            c = CaptureWindow(a.host.dialog, true);
            return c.CountColor(a.state->colors[0]) > 200 && c.CountColor(a.state->colors[2]) > 200;
        },
        3000);
    SaveArtifact(c, name);
}

} // namespace

TEST(AcquisitionThread, WaitingThenValuesThenLinkLost) {
    auto sim = std::make_unique<SimulatorOn>(31, "--period 300 --silence-after 0 --silence-seconds 4 --speed 12.3 "
                                               "--direction 270 --serial 13330 --status 2");
    ASSERT_TRUE(sim->started);
    Acquisition& a = *new Acquisition(31);
    a.Start();
    ASSERT_TRUE(a.WaitFor([&] { return a.Status() == WAITING; }, 3000));
    EXPECT_EQ(a.Text(0), "?????m/s");
    EXPECT_EQ(a.Text(1), "?????\xB0");
    EXPECT_EQ(a.Readout(0).drawFlags, 0x80000001u);
    EXPECT_EQ(a.Serial(), "????");

    ASSERT_TRUE(a.WaitFor([&] { return a.Serial() == "13330"; }));
    ASSERT_TRUE(a.WaitFor([&] { return a.host.messages.Count(MSG_MEASURED) >= 3; }));
    EXPECT_EQ(a.Text(0), "12,3m/s");
    EXPECT_EQ(a.Text(1), "270\xB0");
    EXPECT_EQ(a.Readout(0).drawFlags, 0x80000001u); // the speed fault blinks the speed only
    EXPECT_EQ(a.Readout(1).drawFlags, 1u);
    EXPECT_EQ(a.Status(), SPEED_FAULT);
    EXPECT_EQ(a.host.messages.Count(MSG_SERIAL_CHANGED, 13330), 1);
    {
        StateLocked lock;
        EXPECT_EQ(a.state->speed, 123);
        EXPECT_EQ(a.state->direction, 270);
    }
    SaveShownPhase(a, "acquisition-speed-fault-shown");

    sim.reset(); // the instrument unplugged: its pty goes away
    ULONGLONG unplugged = NowMs();
    ASSERT_TRUE(a.WaitFor([&] { return a.Status() == NO_LINK; }, 6000));
    EXPECT_LT(NowMs() - unplugged, 5000u); // about 3 s at most: the read gives up after 3000 ms
    EXPECT_EQ(a.Text(0), "?????m/s");
    EXPECT_EQ(a.Serial(), "????");
    PumpFor(2500); // several reopen attempts: still one announcement
    EXPECT_EQ(a.host.messages.Count(MSG_SERIAL_CHANGED, UNKNOWN), 1);
    {
        StateLocked lock;
        EXPECT_EQ(a.state->speed, VALUE_UNKNOWN);
    }
}

TEST(AcquisitionThread, NewSerialNumberIsAnnouncedBeforeItsMeasurement) {
    SimulatorOn sim(32, "--period 200 --serial 100 --serial-change-after 3 --new-serial 200");
    ASSERT_TRUE(sim.started);
    Acquisition& a = *new Acquisition(32);
    a.Start();
    ASSERT_TRUE(a.WaitFor([&] { return a.Serial() == "200"; }));
    PumpFor(300);
    const auto& posted = a.host.messages.posted;
    int changes = 0;
    for (size_t i = 0; i < posted.size(); ++i) {
        if (posted[i].first != MSG_SERIAL_CHANGED) continue;
        ++changes;
        ASSERT_LT(i + 1, posted.size());
        EXPECT_EQ(posted[i + 1].first, static_cast<UINT>(MSG_MEASURED));
    }
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(a.host.messages.Count(MSG_SERIAL_CHANGED, 100), 1);
    EXPECT_EQ(a.host.messages.Count(MSG_SERIAL_CHANGED, 200), 1);
    a.SetPort(250); // park the worker on a port that does not exist
}

TEST(AcquisitionThread, PortChangeTakesEffectAfterTheNextFrame) {
    SimulatorOn first(33, "--period 200 --serial 1111 --speed 1.0");
    SimulatorOn second(34, "--period 200 --serial 2222 --speed 2.0 --direction 90 --status 4");
    ASSERT_TRUE(first.started && second.started);
    Acquisition& a = *new Acquisition(33);
    a.Start();
    ASSERT_TRUE(a.WaitFor([&] { return a.Serial() == "1111"; }));
    a.SetPort(34);
    ASSERT_TRUE(a.WaitFor([&] { return a.Serial() == "2222"; }));
    EXPECT_TRUE(a.WaitFor([&] { return a.Text(0) == "2,0m/s" && a.Status() == "B\xB3\xB9" "d kalibracji"; }));
    EXPECT_EQ(a.Readout(1).drawFlags, 0x80000001u); // calibration blinks both
    SaveShownPhase(a, "acquisition-calibration-shown");
    a.SetPort(250);
}

TEST(AcquisitionThread, MissingPortCostsLittleCpu) {
    Acquisition& a = *new Acquisition(251);
    a.Start();
    ASSERT_TRUE(a.WaitFor([&] { return a.Status() == WAITING; }, 3000));
    PumpFor(10000);
    FILETIME created, exited, kernel, user;
    ASSERT_TRUE(GetThreadTimes(a.worker, &created, &exited, &kernel, &user));
    auto ms = [](FILETIME t) { return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000; };
    // A retry loop without a pause would use most of the 10 s.
    EXPECT_LT(ms(kernel) + ms(user), 1000u) << "kernel " << ms(kernel) << " ms, user " << ms(user) << " ms";
    EXPECT_EQ(a.Serial(), "????");
    EXPECT_EQ(a.host.messages.Count(MSG_SERIAL_CHANGED), 0);
}

TEST(AcquisitionThread, SteadyValuesScreenshot) {
    SimulatorOn sim(35, "--period 200 --serial 13330 --speed 7.4 --direction 225");
    ASSERT_TRUE(sim.started);
    Acquisition& a = *new Acquisition(35);
    a.Start();
    ASSERT_TRUE(a.WaitFor([&] { return a.Text(0) == "7,4m/s" && a.Status() == "Pomiar --> OK"; }));
    UpdateWindow(a.host.dialog);
    Capture c = CaptureWindow(a.host.dialog, true);
    SaveArtifact(c, "acquisition-steady");
    EXPECT_GT(c.CountColor(a.state->colors[0]), 200); // green speed digits are on screen
    EXPECT_GT(c.CountColor(a.state->colors[2]), 200); // cyan direction digits
    a.SetPort(250);
}

// Shutdown's stop: a worker waiting for a byte that does not come gives up at once, not after the read
// timeout, and closes its port.
TEST(AcquisitionThread, StopReleasesAWaitingReadAtOnce) {
    SimulatorOn sim(36, "--period 200 --silence-after 3 --silence-seconds 60");
    ASSERT_TRUE(sim.started);
    Acquisition& a = *new Acquisition(36);
    a.Start();
    ASSERT_TRUE(a.WaitFor([&] { return a.host.messages.Count(MSG_MEASURED) >= 3; }));
    PumpFor(500); // the line is silent now: the worker waits in a read
    ULONGLONG asked = NowMs();
    StopAcquisition(*a.state);
    EXPECT_LT(NowMs() - asked, 2000u);
    EXPECT_EQ(a.state->acquisitionThread, nullptr);
    EXPECT_EQ(a.state->portHandle, InvalidHandle());
}
