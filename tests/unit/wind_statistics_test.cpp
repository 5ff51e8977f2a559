// Wind statistics fed frame by frame (gust, means, coverage, ageing, serial numbers, chart), the speed units
// and clock labels, the alarm's steps and the stored values.
#include <gtest/gtest.h>

#include <memory>

#include "acquisition/frame_decoder.h"
#include "statistics/statistics_settings.h"
#include "statistics/wind_units.h"
#include "tests/unit/memory_settings_store.h"

constexpr std::int32_t U = VALUE_UNKNOWN;

// Off the stack: the ring is about 280 kB.
static std::unique_ptr<WindStatistics> Fresh() {
    auto stats = std::make_unique<WindStatistics>();
    StatsReset(*stats);
    return stats;
}

// Frames at the line rate after now; now ends at the last one.
static void Feed(WindStatistics& s, std::int64_t& now, int frames, std::int32_t speed, std::int32_t direction,
                 int status = 0, std::int32_t serial = 1) {
    for (int i = 0; i < frames; ++i)
        StatsAddFrame(s, now += STATS_FRAME_MS, speed, direction, status, serial);
}

static auto Tie(const WindFigures& f) {
    return std::tuple(f.gust, f.mean3s, f.meanSpeed2, f.meanSpeed10, f.meanDirection2, f.meanDirection10,
                      f.sigma2, f.sigma10, f.peakGust, f.peakDirection, f.peakArrivalMs);
}

TEST(WindStatistics, GustMeansCoverageAgeingAndSerialNumbers) {
    // 5 of the 7 frames in 3 s, 191 of the 286 in 2 min, 953 of the 1429 in 10 min are two thirds. The
    // burst's three frames of 20.0 m/s (from 280°) end at B; every 3-s mean that holds all three, from B to
    // B + 1680, is (4 × 10.0 + 3 × 20.0) / 7 = 14.29 m/s: that is the gust, not 20.0.
    const std::int64_t B = 9008 * 420, P = 143, PD = 280;
    struct Step {
        int frames, speed, direction, status, serial;
        std::int64_t afterLastMs; // now, after the last frame
        WindFigures want; // gust, 3 s, speed 2 and 10 min, direction 2 and 10 min, sigma 2 and 10 min, peak
    };
    const Step steps[] = {
        {4, 100, 270, 0, 1, 0, {U, U, U, U, U, U, U, U, U, U, U}},
        {1, 100, 270, 0, 1, 0, {100, 100, U, U, U, U, U, U, 100, 270, 2100}},
        {9000, 100, 270, 0, 1, 0, {100, 100, 100, 100, 270, 270, 0, 0, 100, 270, 2100}}, // the ring wraps
        {3, 200, 280, 0, 1, 0, {143, 143, 101, 100, 270, 270, 1, 0, P, PD, B}},
        {7, 100, 270, 0, 1, 0, {143, 100, 101, 100, 270, 270, 1, 0, P, PD, B}},
        // The link is lost: the figures age out one after the other.
        {0, 0, 0, 0, 1, 1109, {143, 100, 101, 100, 270, 270, 1, 0, P, PD, B}},
        {0, 0, 0, 0, 1, 1110, {143, U, 101, 100, 270, 270, 1, 0, P, PD, B}},
        {0, 0, 0, 0, 1, 39989, {143, U, 102, 100, 270, 270, 1, 0, P, PD, B}},
        {0, 0, 0, 0, 1, 39990, {143, U, U, 100, U, 270, U, 0, P, PD, B}},
        {0, 0, 0, 0, 1, 199949, {143, U, U, 100, U, 270, U, 1, P, PD, B}},
        {0, 0, 0, 0, 1, 199950, {143, U, U, U, U, U, U, U, P, PD, B}},
        {0, 0, 0, 0, 1, 598529, {143, U, U, U, U, U, U, U, P, PD, B}},
        {0, 0, 0, 0, 1, 598530, {129, U, U, U, U, U, U, U, P, PD, B}}, // (2 × 20.0 + 5 × 10.0) / 7
        {0, 0, 0, 0, 1, 599790, {U, U, U, U, U, U, U, U, P, PD, B}},
        // The same instrument again keeps its peak, across a frame that was not one (5 of 6 valid).
        {5, 100, 270, 0, 1, 0, {100, 100, U, U, U, U, U, U, P, PD, B}},
        {1, U, U, STATUS_NO_LINK, U, 0, {100, 100, U, U, U, U, U, U, P, PD, B}},
        {1, 100, 270, 0, 2, 0, {U, U, U, U, U, U, U, U, U, U, U}}, // another instrument starts afresh
        {4, 100, 90, 0, 2, 0, {100, 100, U, U, U, U, U, U, 100, 90, 4390710}},
    };
    auto stats = Fresh();
    std::int64_t now = 0, last = 0;
    for (const Step& step : steps) {
        Feed(*stats, now, step.frames, step.speed, step.direction, step.status, step.serial);
        if (step.frames > 0) last = now;
        now = last + step.afterLastMs;
        EXPECT_EQ(Tie(StatsFigures(*stats, now)), Tie(step.want)) << step.frames << " " << step.afterLastMs;
    }
    // A clock that goes back counts as standing still: the frame is the newest, not one from long ago.
    StatsAddFrame(*stats, 0, 300, 90, 0, 2);
    EXPECT_EQ(StatsFigures(*stats, now).mean3s, 133); // (5 × 100 + 300) / 6 frames
}

TEST(WindStatistics, DirectionMeansAcrossNorthSigmaAndCalm) {
    // 1426 frames at the line rate, the directions in turn; then the mean and sigma, alike over 2 and 10 min.
    const std::tuple<std::vector<std::int32_t>, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {{355, 5, 15}, 100, 5, 8}, // a mean of the angles would be 125; sigma of -10, 0, 10 is 8.2
        {{350, 355, 0, 5, 10}, 100, 0, 7}, {{10, 5, 0, 355, 350}, 100, 0, 7}, {{300, 330}, 100, 315, 15},
        {{359}, 100, 359, 0}, {{0, 120}, 100, 60, 66}, {{90, 270}, 100, U, U}, // no direction prevails
        {{355, 5, 15}, 5, 5, 8}, {{355, 5, 15}, 4, U, U}, // calm below 0.5 m/s
    };
    for (const auto& [directions, speed, direction, sigma] : cases) {
        auto stats = Fresh();
        std::int64_t now = 0;
        for (int i = 0; i < 1426; ++i) Feed(*stats, now, 1, speed, directions[i % directions.size()]);
        WindFigures f = StatsFigures(*stats, now);
        EXPECT_EQ(std::vector({f.meanDirection2, f.sigma2, f.meanDirection10, f.sigma10}),
                  std::vector({direction, sigma, direction, sigma})) << directions[0] << " " << speed;
    }
}

TEST(WindStatistics, FaultyFramesLeaveOutWhatTheyFlag) {
    // 286 frames fill 2 min: 10.0 m/s from 90°, then `faulty` frames of 30.0 m/s from 180° with the status.
    // status, faulty frames, then the 3-s mean, the 2-min speed and direction
    const std::tuple<int, int, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {0, 95, 300, 166, 116}, // (191 × 100 + 95 × 300) / 286; the vectors' mean of 191 × 90° and 95 × 180°
        {STATUS_SPEED_FAULT, 95, U, 100, 116}, {STATUS_DIRECTION_FAULT, 95, 300, 166, 90},
        {STATUS_CALIBRATION_FAULT, 95, U, 100, 90},
        {STATUS_CALIBRATION_FAULT, 96, U, U, U}, // 190 valid frames: below two thirds
        {STATUS_SPEED_FAULT, 96, U, U, U}, {STATUS_DIRECTION_FAULT, 96, 300, 167, U},
    };
    for (const auto& [status, faulty, mean3s, speed, direction] : cases) {
        auto stats = Fresh();
        std::int64_t now = 0;
        Feed(*stats, now, 286 - faulty, 100, 90);
        Feed(*stats, now, faulty, 300, 180, status);
        WindFigures f = StatsFigures(*stats, now);
        EXPECT_EQ(std::tuple(f.mean3s, f.meanSpeed2, f.meanDirection2), std::tuple(mean3s, speed, direction))
            << status << " " << faulty;
    }
}

TEST(WindStatistics, ChartColumns) {
    // 6 columns of 10 frame times over the last 60: 350° then 10° (north between); a gap; frames that were
    // not ones; one good frame; direction faults. The first frame (90.0 m/s), late by half its span, has its
    // middle at the span's start: it lies outside, but still raises the 3-s means after it.
    auto stats = Fresh();
    StatsAddFrame(*stats, STATS_FRAME_MS / 2, 900, 350, 0, 1);
    std::int64_t now = 0;
    Feed(*stats, now, 10, 100, 350);
    Feed(*stats, now, 10, 200, 10);
    now += 10 * STATS_FRAME_MS;
    Feed(*stats, now, 10, U, U, STATUS_NO_LINK, U);
    now += 9 * STATS_FRAME_MS;
    Feed(*stats, now, 1, 70, 90);
    Feed(*stats, now, 10, 50, 180, STATUS_DIRECTION_FAULT);
    StatsColumn columns[8] = {{}, {}, {}, {}, {}, {}, {1, 2, 3}}; // the last two are not asked for
    EXPECT_EQ(StatsChartColumns(*stats, now, 60 * STATS_FRAME_MS, 6, columns), 6);
    // The highest 3-s means: (900 + 4 × 100) / 5 in the first column, (70 + 4 × 50) / 5 in the last.
    const std::int32_t want[7][3] = {{100, 260, 350}, {200, 200, 10}, {U, U, U}, {U, U, U},
                                     {70, U, 90},     {50, 54, U},     {1, 2, 3}};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(std::vector({columns[i].speed, columns[i].gust, columns[i].direction}),
                  std::vector(want[i], want[i] + 3)) << i;
    EXPECT_EQ(StatsChartColumns(*stats, now, 0, 6, columns), 0);
}

TEST(WindUnits, SpeedsBeaufortNamesAndClock) {
    // tenths of m/s, unit, text
    // Beaufort by WMO's upper limit of each force in m/s: 0.2 is still force 0, 0.3 force 1.
    const std::tuple<std::int32_t, int, const char*> speeds[] = {
        {123, UNIT_MS, "12,3"}, {123, UNIT_KMH, "44,3"}, {9999, UNIT_KMH, "3599,6"}, {1, UNIT_KNOTS, "0,2"},
        {9999, UNIT_KNOTS, "1943,7"}, {U, UNIT_KNOTS, "?????"}, {57, 9, "5,7"}, {2, UNIT_BEAUFORT, "0"},
        {3, UNIT_BEAUFORT, "1"}, {138, UNIT_BEAUFORT, "6"}, {139, UNIT_BEAUFORT, "7"}, {326, UNIT_BEAUFORT, "11"},
        {327, UNIT_BEAUFORT, "12"}, {U, UNIT_BEAUFORT, "?????"},
    };
    for (const auto& [tenths, unit, text] : speeds) {
        char out[16];
        EXPECT_EQ(std::string(SpeedUnitText(out, sizeof out, tenths, unit, ',')), text) << tenths << unit;
    }
    std::vector<std::string> names;
    char text[40];
    for (int unit = -1; unit <= UNIT_BEAUFORT; ++unit)
        names.push_back(SpeedUnitName(unit) + std::string("|") + SpeedUnitSymbol(unit) + "|" +
                        SpeedWithUnitText(text, 40, 123, unit, ','));
    EXPECT_EQ(names, std::vector<std::string>({"m/s|m/s|12,3 m/s", "m/s|m/s|12,3 m/s", "km/h|km/h|44,3 km/h",
                                               "w\xEAz\xB3y|w|23,9 w", "skala Beauforta|\xB0" "B|6 \xB0" "B"}));
    // now (second of the day), ms before it, with seconds, text
    const std::tuple<std::int32_t, std::int64_t, bool, const char*> clocks[] = {
        {30, 60000, true, "23:59:30"}, {0, 1, true, "23:59:59"}, {45296, 0, false, "12:34"},
        {45296, 1000, true, "12:34:55"}, {45296, 1001, true, "12:34:54"}, {86399, -1000, true, "00:00:00"},
        {3600, 26 * 3600000LL, true, "23:00:00"},
    };
    for (const auto& [second, ago, withSeconds, text] : clocks) {
        char out[16];
        EXPECT_EQ(std::string(ClockText(out, sizeof out, second, ago, withSeconds)), text) << second << ago;
    }
    // The peak 95 s before 00:00:30, in knots; then none.
    WindFigures peak = {U, U, U, U, U, U, U, U, 162, 280, 5000};
    EXPECT_STREQ(PeakGustText(text, 40, peak, 100000, 30, UNIT_KNOTS, ','), "31,5 w o 23:58:55, z 280\xB0");
    peak.peakGust = U;
    EXPECT_STREQ(PeakGustText(text, 40, peak, 100000, 30, UNIT_MS, '.'), "?????");
    EXPECT_STREQ(DirectionText(text, 40, 5, 8), "5\xB0, odchylenie 8\xB0");
    EXPECT_STREQ(DirectionText(text, 40, 355, U), "355\xB0");
    EXPECT_STREQ(DirectionText(text, 40, U, 8), "?????");
    std::vector<std::int32_t> tops;
    for (std::int32_t highest : {0, 50, 51, 201, 1000, 1001, 1501}) tops.push_back(ChartSpeedTop(highest));
    EXPECT_EQ(tops, std::vector<std::int32_t>({50, 50, 100, 300, 1000, 1500, 2000}));
    // At 12:34:56 the labels of a 10-minute span go every 2 minutes (12:34, 12:32, ...), of 30 every 5.
    std::int32_t ticks[8];
    EXPECT_EQ(std::vector(ticks, ticks + ChartTimeTicks(45296, 600, ticks, 8)),
              std::vector<std::int32_t>({56, 176, 296, 416, 536}));
    EXPECT_EQ(ChartTimeTicks(45000, 1800, ticks, 8), 7); // 12:30 itself, then every 5 minutes back to 12:00
}

TEST(WindAlarm, StepsAndSettingsChecks) {
    const AlarmSettings onGust = {1, ALARM_ON_GUST, 150, 120, 10}, onMean = {1, ALARM_ON_MEAN10, 150, 120, 0};
    const bool F = false, T = true;
    // steps of: now, the gust as it comes (the 3-s mean), 10-min mean, returned, raised
    using Steps = std::vector<std::tuple<std::int64_t, std::int32_t, std::int32_t, bool, bool>>;
    // settings, raised before, steps
    const std::tuple<AlarmSettings, bool, Steps> scenarios[] = {
        {onGust, F,
         {{0, 160, 0, F, F}, {9000, 170, 0, F, F}, {9500, 140, 0, F, F}, // between the levels: clock stops
          {10000, 150, 0, F, F}, {19999, 155, 0, F, F}, {20000, 151, 0, T, T}, {21000, 200, 0, F, T},
          {22000, 120, 0, F, T}, {23000, U, 0, F, T}, {24000, 119, 0, F, F}, {25000, 150, 0, F, F},
          {30000, U, 0, F, F}, {31000, 150, 0, F, F}, {40999, 150, 0, F, F}, {41000, 150, 0, T, T}}},
        {onMean, F, {{0, 500, 149, F, F}, {1000, 500, 150, T, T}, {2000, 500, 119, F, F}}},
        {AlarmDefaults(), T, {{0, 500, 500, F, F}, {100000, 500, 500, F, F}}}, // switched off while raised
        {{1, ALARM_ON_GUST, 150, 120, 0}, F, {{0, 150, 0, T, T}}},            // no time over: at once
    };
    for (const auto& [settings, raisedBefore, steps] : scenarios) {
        AlarmState state{raisedBefore, false, 0};
        for (const auto& [now, gust, mean10, returned, raised] : steps) {
            WindFigures figures{500, gust, U, mean10, U, U, U, U, U, U, U}; // the 10-min highest plays no part
            EXPECT_EQ(AlarmUpdate(state, settings, figures, now), returned) << now;
            EXPECT_EQ(state.raised, raised) << now;
        }
    }
    const std::pair<AlarmSettings, bool> checks[] = {
        {AlarmDefaults(), true}, {{1, 1, 9999, 9999, 3600}, true}, {{0, 0, 150, 1, 0}, true},
        {{2, 0, 150, 120, 10}, false}, {{0, 2, 150, 120, 10}, false}, {{0, -1, 150, 120, 10}, false},
        {{0, 0, 150, 0, 10}, false}, {{0, 0, 150, 151, 10}, false}, {{0, 0, 10000, 120, 10}, false},
        {{0, 0, 150, 120, 3601}, false}, {{-1, 0, 150, 120, 10}, false},
    };
    for (const auto& [settings, valid] : checks)
        EXPECT_EQ(AlarmSettingsValid(settings), valid) << settings.threshold << " " << settings.release;
    // The dialog's fields: threshold, release, seconds, then whether they are taken and what they give.
    const std::tuple<const char*, const char*, const char*, bool, AlarmSettings> fields[] = {
        {"15,5", "12.0", "30", true, {1, 1, 155, 120, 30}}, {"999,9", "1", "3600", true, {1, 1, 9999, 10, 3600}},
        {"15,", "12", "0", true, {1, 1, 150, 120, 0}}, {"15,55", "12", "0", false, {}}, {"1000", "12", "0", false, {}},
        {",5", "12", "0", false, {}}, {"15", "16", "0", false, {}}, {"15", "12", "3601", false, {}},
        {"15", "12", "1,5", false, {}}, {"15", "", "0", false, {}},
    };
    for (const auto& [threshold, release, seconds, taken, want] : fields) {
        AlarmSettings got = AlarmDefaults(), expected = taken ? want : AlarmDefaults();
        EXPECT_EQ(AlarmFromFields(true, ALARM_ON_MEAN10, threshold, release, seconds, got), taken) << threshold;
        EXPECT_EQ(std::tuple(got.enabled, got.source, got.threshold, got.release, got.minSeconds),
                  std::tuple(expected.enabled, expected.source, expected.threshold, expected.release,
                             expected.minSeconds)) << threshold;
    }
    char line[160];
    EXPECT_STREQ(AlarmStatusText(line, sizeof line, AlarmDefaults(), false, ','), "Alarm wy\xB3\xB9" "czony");
    EXPECT_STREQ(AlarmStatusText(line, sizeof line, onGust, false, ','),
                 "Alarm czuwa: poryw od 15,0 m/s przez 10 s (odwo\xB3" "anie poni\xBF" "ej 12,0 m/s)");
    EXPECT_STREQ(AlarmStatusText(line, sizeof line, onMean, true, '.'),
                 "ALARM: \x9C" "rednia 10 min od 15.0 m/s (odwo\xB3" "anie poni\xBF" "ej 12.0 m/s)");
}

TEST(StatisticsSettings, LoadSaveAndTheOlderValuesUntouched) {
    using Values = std::map<std::string, StoredValue>;
    const std::string KEY = SETTINGS_KEY_PATH;
    auto tie = [](const StatisticsSettings& s) {
        const AlarmSettings& a = s.alarm;
        return std::tuple(std::vector(s.window, s.window + 4), s.windowKnown, s.unit, s.periodMinutes, a.enabled,
                          a.source, a.threshold, a.release, a.minSeconds);
    };
    StatisticsSettings defaults, stored = {{-8, 10, 800, 600}, true, 3, 60, {1, 1, 200, 150, 3600}};
    StatisticsDefaults(defaults);
    // Written beside the older values, which stay as they were, in the layouts older copies ignore.
    const Values older = {{"Log", {4, {1, 0, 0, 0}}}, {"Port", {4, {2, 0, 0, 0}}}};
    MemoryStore memory{{{KEY, older}}, {}};
    EXPECT_TRUE(SaveStatisticsSettings(MemorySettingsStore(memory), stored, STATS_SAVE_VIEW | STATS_SAVE_ALARM));
    Values want = older;
    want["Stats Window"] = {3, {0xF8, 0xFF, 0xFF, 0xFF, 10, 0, 0, 0, 0x20, 3, 0, 0, 0x58, 2, 0, 0}};
    want["Stats Unit"] = {4, {3, 0, 0, 0}};
    want["Stats Period"] = {4, {60, 0, 0, 0}};
    want["Alarm"] = {3, {1, 0, 0, 0, 1, 0, 0, 0, 200, 0, 0, 0, 150, 0, 0, 0, 0x10, 0x0E, 0, 0}};
    EXPECT_EQ(memory.keys[KEY], want);
    StatisticsSettings loaded = defaults;
    LoadStatisticsSettings(MemorySettingsStore(memory), loaded);
    EXPECT_EQ(tie(loaded), tie(stored));
    // The view's group alone, a place never known left out; a failed write is told.
    stored.windowKnown = false;
    MemoryStore view, failing{{}, {{CALL_WRITE, 1}}};
    EXPECT_TRUE(SaveStatisticsSettings(MemorySettingsStore(view), stored, STATS_SAVE_VIEW));
    EXPECT_EQ(view.keys[KEY], (Values{{"Stats Unit", want["Stats Unit"]}, {"Stats Period", want["Stats Period"]}}));
    EXPECT_FALSE(SaveStatisticsSettings(MemorySettingsStore(failing), stored, STATS_SAVE_ALARM));
    // Absent, of another length or out of range (no width, unit 4, period 20, release 0): the defaults; a
    // load creates no key.
    for (const Values& values : {Values{}, Values{{"Stats Window", {3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}}},
                                                   {"Stats Unit", {4, {4, 0, 0, 0}}}, {"Stats Period", {4, {20, 0, 0}}},
                                                   {"Alarm", {3, std::vector<std::uint8_t>(20, 0)}}}}) {
        MemoryStore bad;
        if (!values.empty()) bad.keys[KEY] = values;
        StatisticsSettings got = stored;
        LoadStatisticsSettings(MemorySettingsStore(bad), got);
        EXPECT_EQ(std::pair(tie(got), bad.keys.size()), std::pair(tie(defaults), std::size_t{!values.empty()}));
    }
}
