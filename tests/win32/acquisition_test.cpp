// The acquisition worker against the simulator on a pty-backed COM port: what the program's own scenarios
// cannot show, how long its stop takes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

namespace {

// Every open of a port asks the tty for 7 data bits; the test environment keeps a record of each request.
int PortOpens() {
    std::string record = ReadTextFile(EnvVar("KX205_TERMIOS_LOG"));
    int n = 0;
    for (size_t at = record.find("databits=7"); at != std::string::npos; at = record.find("databits=7", at + 1)) ++n;
    return n;
}

} // namespace

// Shutdown's stop: a worker waiting for a byte that does not come gives up at once, not after the read
// timeout, and closes its port.
TEST(AcquisitionThread, StopReleasesAWaitingReadAtOnce) {
    SimulatorOn sim(36, "--silence-after 0 --silence-seconds 60");
    ASSERT_TRUE(sim.started);
    HostWindow host;
    AppState state;
    FillDefaultState(state, GetModuleHandleA(nullptr), true, "unused.txt");
    CreateHostWindow(host, state.colors);
    state.mainWindow = host.dialog;
    state.readouts[0] = host.readouts[0];
    state.readouts[1] = host.readouts[1];
    state.logEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    state.portNumber = 36;
    int opens = PortOpens();
    StartAcquisition(state);
    // The port is open and the line silent: the worker waits in a read that could last 3 s.
    ASSERT_TRUE(PumpUntil([&] { return PortOpens() > opens; }, 10000));
    ULONGLONG asked = NowMs();
    StopAcquisition(state);
    EXPECT_LT(NowMs() - asked, 2000u);
    EXPECT_EQ(state.acquisitionThread, nullptr);
    EXPECT_EQ(state.portHandle, InvalidHandle());
    DestroyWindow(host.dialog);
}
