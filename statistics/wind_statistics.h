// Wind statistics over the last hour of frames: the 3-s gust and its peak, 2- and 10-minute means of speed
// and direction with the direction's spread, and the trend chart's columns. Fed by the acquisition worker.
#pragma once

#include <cstdint>

constexpr int STATS_FRAME_MS = 420;  // the line rate: 14 characters of 9 bits at 300 baud
constexpr int STATS_CAPACITY = 8640; // 60 min / 0.42 s = 8571 frames, with room for a little jitter

// One frame as the statistics keep it. A quantity the frame's status flags (or leaves unknown) is not valid.
struct StatsRecord {
    std::int64_t arrivalMs;
    std::int32_t speed;  // tenths of m/s, VALUE_UNKNOWN when not valid
    std::int32_t mean3s; // the 3-s running mean ending at this frame, VALUE_UNKNOWN when not covered
    float sine, cosine;  // of the direction, when directionValid
    bool directionValid;
};

// Allocated once by the caller (about 280 kB: keep it off the stack); StatsReset before the first frame.
struct WindStatistics {
    StatsRecord records[STATS_CAPACITY]; // a ring: the oldest are overwritten
    std::int32_t count;                  // records held
    std::int32_t next;                   // where the next record goes
    std::int32_t serial;                 // the last known serial number, VALUE_UNKNOWN before the first
    std::int64_t lastArrivalMs;
    // The highest 3-s mean since the start (or the last new serial number). It outlives a lost link: it is
    // shown with its time, never as the current wind.
    std::int32_t peakGust, peakDirection;
    std::int64_t peakArrivalMs;
};

// Speeds in tenths of m/s, directions and sigmas in whole degrees; VALUE_UNKNOWN when unknown (peakArrivalMs
// too: peakGust tells whether there is a peak).
struct WindFigures {
    std::int32_t gust, mean3s, meanSpeed2, meanSpeed10, meanDirection2, meanDirection10, sigma2, sigma10,
        peakGust, peakDirection;
    std::int64_t peakArrivalMs;
};

// One column of the trend chart; VALUE_UNKNOWN where its slice of time has no valid value.
struct StatsColumn {
    std::int32_t speed, gust, direction;
};

void StatsReset(WindStatistics& stats);

// arrivalMs from a monotonic clock. A serial number other than the last known one starts afresh, the peak
// too.
void StatsAddFrame(WindStatistics& stats, std::int64_t arrivalMs, std::int32_t speed, std::int32_t direction,
                   int status, std::int32_t serial);

// The figures as they stand at nowMs: frames age out without new ones coming.
WindFigures StatsFigures(const WindStatistics& stats, std::int64_t nowMs);

// The spanMs ending at nowMs in `columns` equal slices, oldest first, into out[columns]: per slice the mean
// of the valid speeds, the highest known 3-s mean and the unit-vector mean of the valid directions. Returns
// the columns filled (0 for no columns or no span).
int StatsChartColumns(const WindStatistics& stats, std::int64_t nowMs, std::int64_t spanMs, int columns,
                      StatsColumn* out);
