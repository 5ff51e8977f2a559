// The statistics' own cost, natively: a frame added and the figures computed after it (what the worker and
// the main thread do once a frame), the hour's chart, and the memory they keep. Printed by scripts/bench.
#include <chrono>
#include <cstdio>
#include <memory>

#include "statistics/wind_statistics.h"

namespace {

double MicrosecondsSince(std::chrono::steady_clock::time_point start, int times) {
    std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / times;
}

} // namespace

int main() {
    auto stats = std::make_unique<WindStatistics>();
    StatsReset(*stats);
    std::int64_t now = 0;
    int n = 0;
    // An hour at the line rate first, so that every window is as full as it gets.
    for (; n < STATS_CAPACITY; ++n)
        StatsAddFrame(*stats, now += STATS_FRAME_MS, 100 + n % 57, n * 7 % 360, 0, 1);
    const int frames = 20000, charts = 200;
    std::int64_t sink = 0;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i, ++n) {
        StatsAddFrame(*stats, now += STATS_FRAME_MS, 100 + n % 57, n * 7 % 360, 0, 1);
        sink += StatsFigures(*stats, now).gust;
    }
    double perFrame = MicrosecondsSince(start, frames);
    static StatsColumn columns[600];
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < charts; ++i)
        sink += StatsChartColumns(*stats, now, 3600000, 600, columns);
    double perChart = MicrosecondsSince(start, charts);
    std::printf(
        "statistics: %.1f us a frame (added, then the figures after it: %.4f %% of a core at the line "
        "rate); the hour's chart of 600 columns %.0f us; %zu kB kept (%d frames)%s\n",
        perFrame, perFrame / (STATS_FRAME_MS * 1000.0) * 100, perChart, sizeof(WindStatistics) / 1024,
        STATS_CAPACITY, sink == 42 ? " " : "");
    return 0;
}
