// OpenSerialPort and ReadFrame against the simulator, through a pty that the prefix sees as a COM port.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "acquisition/frame_decoder.h"
#include "acquisition/serial_link_win32.h"
#include "tests/win32/support/test_env_win32.h"

namespace {

constexpr int COM_FRAMES = 11;
constexpr int COM_SILENT = 12;
constexpr int COM_SETTINGS = 13;

} // namespace

TEST(SerialLink, GoodFramesDecode) {
    SimulatorOn sim(COM_FRAMES, "--fast --speed 12.3 --direction 270 --serial 13330 --status 1");
    ASSERT_TRUE(sim.started);
    HANDLE port = OpenSerialPort(COM_FRAMES);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    BYTE frame[FRAME_LENGTH] = {};
    for (int i = 0; i < 20; ++i) {
        ASSERT_EQ(ReadFrame(port, frame, FRAME_LENGTH), FRAME_LENGTH) << i;
        std::int32_t speed, direction, serial;
        EXPECT_EQ(DecodeFrame(frame, FRAME_LENGTH, speed, direction, serial), 1);
        EXPECT_EQ(speed, 123);
        EXPECT_EQ(direction, 270);
        EXPECT_EQ(serial, 13330);
    }
    // Wine does not refuse a second open of a tty the way Windows refuses a second open of a COM port,
    // so the exclusive open cannot be observed here.
    CloseHandle(port);
    // And the port opens again after it was closed (the worker reopens after every broken link).
    port = OpenSerialPort(COM_FRAMES);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadFrame(port, frame, FRAME_LENGTH), FRAME_LENGTH);
    CloseHandle(port);
}

TEST(SerialLink, SilenceGivesMinusOneAfterTheReadTimeout) {
    SimulatorOn sim(COM_SILENT, "--period 100 --silence-after 2 --silence-seconds 60");
    ASSERT_TRUE(sim.started);
    HANDLE port = OpenSerialPort(COM_SILENT);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    BYTE frame[FRAME_LENGTH] = {};
    int good = 0;
    ULONGLONG start = NowMs();
    while (ReadFrame(port, frame, FRAME_LENGTH) == FRAME_LENGTH) ++good;
    ULONGLONG silentFor = NowMs() - start;
    EXPECT_GE(good, 1);
    // The last frame arrived at most a couple of hundred ms after the start; then 3000 ms of waiting.
    EXPECT_GE(silentFor, 2900u);
    EXPECT_LT(silentFor, 8000u);
    CloseHandle(port);
}

TEST(SerialLink, PortThatDoesNotExistGivesTheInvalidHandle) {
    EXPECT_EQ(OpenSerialPort(250), INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenSerialPort(0), INVALID_HANDLE_VALUE);
}

TEST(SerialLink, LineSettingsReachTheTty) {
    std::string root = EnvVar("KX205_WINE_ROOT");
    std::string requests = EnvVar("KX205_TERMIOS_LOG");
    ASSERT_FALSE(requests.empty());
    WriteTextFile(requests, "");
    std::string termiosFile = root + "/termios-com" + std::to_string(COM_SETTINGS) + ".txt";
    SimulatorOn sim(COM_SETTINGS, "--period 200 --termios-file " + termiosFile);
    ASSERT_TRUE(sim.started);
    HANDLE port = OpenSerialPort(COM_SETTINGS);
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    // What Wine asked the kernel for: a pty cannot hold 7 data bits, so the request is the evidence for them.
    std::string asked = ReadTextFile(requests);
    EXPECT_NE(asked.find("baud=300 databits=7 parity=none stopbits=1"), std::string::npos) << asked;
    // What the tty itself holds, read back by the simulator from the Linux side.
    std::string held;
    for (int i = 0; i < 40 && held.find("baud=300") == std::string::npos; ++i) {
        Sleep(100);
        held = ReadTextFile(termiosFile);
    }
    EXPECT_NE(held.find("baud=300 "), std::string::npos) << held;
    EXPECT_NE(held.find("parity=none stopbits=1 crtscts=0 ixon=0 ixoff=0"), std::string::npos) << held;
    CloseHandle(port);
}
