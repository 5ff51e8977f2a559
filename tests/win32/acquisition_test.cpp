// The acquisition worker against the simulator on a pty-backed COM port: what the program's own scenarios
// cannot show, how long its stop takes.
#include <windows.h>

#include <gtest/gtest.h>

#include "acquisition/acquisition_win32.h"
#include "app/app_state.h"
#include "resources/resource.h"
#include "tests/win32/support/harness_win32.h"

// Shutdown's stop: a worker waiting for a byte that does not come gives up at once, not after the read
// timeout, and closes its port.
TEST(AcquisitionThread, StopReleasesAWaitingReadAtOnce) {
    SimulatorOn sim(36, "--period 200 --silence-after 3 --silence-seconds 60");
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
    StartAcquisition(state);
    ASSERT_TRUE(PumpUntil([&] { return host.Count(MSG_MEASURED, 0) >= 3; }, 10000));
    PumpFor(500); // the line is silent now: the worker waits in a read
    ULONGLONG asked = NowMs();
    StopAcquisition(state);
    EXPECT_LT(NowMs() - asked, 2000u);
    EXPECT_EQ(state.acquisitionThread, nullptr);
    EXPECT_EQ(state.portHandle, InvalidHandle());
    DestroyWindow(host.dialog);
}
