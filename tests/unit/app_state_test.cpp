// Start-up defaults of the shared record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/app_state.h"

TEST(AppState, Defaults) {
    AppState state;
    std::memset(&state, 0xA5, sizeof state);
    FillDefaultState(state, nullptr, true, "C:\\Pomiary\\wiatr.TXT");
    EXPECT_EQ(std::string(state.logFileName), "C:\\Pomiary\\wiatr.TXT");
    EXPECT_EQ(state.speed, VALUE_UNKNOWN);
    EXPECT_EQ(state.direction, VALUE_UNKNOWN);
    EXPECT_EQ(&QuantityValue(state, QUANTITY_DIRECTION), &state.direction);
    EXPECT_EQ(state.logEnabled, 0);
    EXPECT_EQ(state.intervalSeconds, 60u);
    EXPECT_FALSE(LogFormatIsCsv(state.logFormat));
    EXPECT_EQ(state.portNumber, VALUE_UNKNOWN);
    EXPECT_EQ(state.firstInstance, 1);
    EXPECT_EQ(state.portHandle, InvalidHandle());
    EXPECT_EQ(state.logFile, InvalidHandle());
    EXPECT_EQ(state.logEvent, InvalidHandle());
    EXPECT_EQ(state.mainWindow, nullptr);
    const std::uint32_t colors[4] = {0x0000FF00, 0, 0x00FFFF00, 0};
    EXPECT_EQ(std::memcmp(state.colors, colors, sizeof colors), 0);
}

TEST(AppState, LongDefaultLogNameIsCutAndTerminated) {
    AppState state;
    std::string longName(400, 'x');
    FillDefaultState(state, nullptr, false, longName.c_str());
    EXPECT_EQ(std::strlen(state.logFileName), static_cast<size_t>(PATH_CAPACITY - 1));
}
