// The serial link and the acquisition worker against the simulator on pty-backed COM ports: what the
// program's own scenarios cannot show (what the tty is asked for, the read timeout, stopping at once).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acquisition/acquisition_win32.h"
#include "acquisition/frame_decoder.h"
#include "acquisition/serial_link_win32.h"
#include "app/app_state.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

constexpr WPARAM UNKNOWN = static_cast<WPARAM>(VALUE_UNKNOWN);

// How often the port was opened and configured since the last call: every open asks the tty for the
// line settings, and the test environment keeps a record of each request.
int OpensSinceLastCall() {
    std::string log = EnvVar("KX205_TERMIOS_LOG");
    std::string asked = ReadTextFile(log);
    WriteTextFile(log, "");
    int n = 0;
    for (size_t at = asked.find("databits=7"); at != std::string::npos; at = asked.find("databits=7", at + 1)) ++n;
    return n;
}

// The worker reaches its state and window until the process ends unless a test stops it: they are never
// freed.
struct Acquisition {
    HostWindow& host = *new HostWindow;
    AppState& state = *new AppState;
    explicit Acquisition(long port) {
        FillDefaultState(state, GetModuleHandleA(nullptr), true, "unused.txt");
        CreateHostWindow(host, state.colors);
        state.mainWindow = host.dialog;
        state.readouts[0] = host.readouts[0];
        state.readouts[1] = host.readouts[1];
        state.logEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        state.portNumber = port;
        OpensSinceLastCall();
        StartAcquisition(state);
    }
};

} // namespace

TEST(SerialLink, LineSettingsReadTimeoutAndMissingPorts) {
    SimulatorOn sim(11, "--period 100 --silence-after 3 --silence-seconds 60 --speed 12.3 --direction 270 "
                        "--termios-file " + EnvVar("KX205_WINE_ROOT") + "/termios-com11.txt");
    ASSERT_TRUE(sim.started);
    OpensSinceLastCall();
    HANDLE port = OpenSerialPort(11);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    // A pty cannot hold 7 data bits, so what was asked for is the evidence for them; the rest the tty holds.
    EXPECT_EQ(OpensSinceLastCall(), 1);
    std::string held;
    PumpUntil([&] { return (held = ReadTextFile(EnvVar("KX205_WINE_ROOT") + "/termios-com11.txt")).find("baud=300 ") == 0; },
              4000);
    EXPECT_EQ(held, "baud=300 databits=8 parity=none stopbits=1 crtscts=0 ixon=0 ixoff=0\n");
    BYTE frame[FRAME_LENGTH] = {};
    int good = 0;
    ULONGLONG last = NowMs();
    while (ReadFrame(port, frame, FRAME_LENGTH) == FRAME_LENGTH) ++good, last = NowMs();
    EXPECT_GE(good, 1);
    // The line went quiet: the read waits 3 s (and the line time of the bytes it waited for), no longer.
    EXPECT_GE(NowMs() - last, 2900u);
    EXPECT_LT(NowMs() - last, 8000u);
    CloseHandle(port);
    EXPECT_EQ(OpenSerialPort(250), INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenSerialPort(0), INVALID_HANDLE_VALUE);
}

// Shutdown's stop: a worker waiting for a byte that does not come gives up at once, not after the read
// timeout, and closes its port.
TEST(AcquisitionThread, StopReleasesAWaitingReadAtOnce) {
    SimulatorOn sim(36, "--period 200 --silence-after 3 --silence-seconds 60");
    ASSERT_TRUE(sim.started);
    Acquisition& a = *new Acquisition(36);
    ASSERT_TRUE(PumpUntil([&] { return a.host.Count(MSG_MEASURED, 0) >= 3; }, 10000));
    PumpFor(500); // the line is silent now: the worker waits in a read
    ULONGLONG asked = NowMs();
    StopAcquisition(a.state);
    EXPECT_LT(NowMs() - asked, 2000u);
    EXPECT_EQ(a.state.acquisitionThread, nullptr);
    EXPECT_EQ(a.state.portHandle, InvalidHandle());
}
