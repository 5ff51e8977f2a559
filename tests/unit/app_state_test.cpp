// Start-up defaults of the shared record.
#include <gtest/gtest.h>

#include <cstring>

#include "app/app_state.h"

TEST(AppState, EveryFieldGetsItsDefaultWhateverTheRecordHeld) {
    const std::string longName(400, 'x');
    auto* instance = reinterpret_cast<ModuleHandle>(std::uintptr_t{0x400000});
    // first instance, default log file name, the whole name field (then zero bytes)
    const std::tuple<bool, const char*, std::string> cases[] = {
        {true, "C:\\Pomiary\\wiatr.TXT", "C:\\Pomiary\\wiatr.TXT"},
        {false, nullptr, ""},
        {false, longName.c_str(), longName.substr(0, PATH_CAPACITY - 1)},
    };
    for (const auto& [firstInstance, name, field] : cases) {
        AppState s;
        std::memset(&s, 0xA5, sizeof s);
        FillDefaultState(s, instance, firstInstance, name);
        EXPECT_EQ(std::string(s.logFileName, PATH_CAPACITY), field + std::string(PATH_CAPACITY - field.size(), '\0'));
        using Numbers = std::vector<std::int64_t>;
        EXPECT_EQ(Numbers({s.intervalSeconds, s.logFormat, s.portNumber, s.logEnabled, s.firstInstance, s.speed,
                           s.direction, s.colors[0], s.colors[1], s.colors[2], s.colors[3]}),
                  Numbers({60, 0, VALUE_UNKNOWN, 0, firstInstance, VALUE_UNKNOWN, VALUE_UNKNOWN, 0x0000FF00, 0,
                           0x00FFFF00, 0})); // green and cyan on black
        using Handles = std::vector<const void*>;
        EXPECT_EQ(Handles({s.instance, s.mainWindow, s.logEvent, s.logFile, s.portHandle, s.readouts[0],
                           s.readouts[1], s.stopEvent, s.acquisitionThread, s.statistics}),
                  Handles({instance, nullptr, InvalidHandle(), InvalidHandle(), InvalidHandle(), nullptr, nullptr,
                           nullptr, nullptr, nullptr}));
        // Nothing is known of the wind, and no alarm raised, before the first frame.
        const WindFigures& f = s.figures;
        EXPECT_EQ(Numbers({f.gust, f.mean3s, f.meanSpeed2, f.meanSpeed10, f.meanDirection2, f.meanDirection10,
                           f.sigma2, f.sigma10, f.peakGust, f.peakDirection, f.peakArrivalMs}),
                  Numbers(11, VALUE_UNKNOWN));
        EXPECT_EQ(std::tuple(s.alarm.raised, s.alarm.over, s.statisticsSettings.alarm.enabled), std::tuple(0, 0, 0));
    }
}
