// The wind statistics: a ring of frames, windows that end at a given moment, means that are known only while
// valid frames cover enough of their window.
#include "statistics/wind_statistics.h"

#include <cmath>

#include "acquisition/frame_decoder.h"
#include "app/app_state.h"

namespace {

constexpr std::int64_t GUST_MS = 3000; // WMO: the peak gust is the highest 3-s mean
constexpr std::int64_t SHORT_MS = 120000;
constexpr std::int64_t LONG_MS = 600000;
constexpr std::int32_t CALM = 5; // tenths of m/s: below it no direction prevails
// Shorter than the single-precision sines and cosines can resolve: the directions cancel out (opposite winds
// in equal parts) and the angle would be rounding noise. A resultant just above it still gives its angle; the
// sigma, near its greatest (104 degrees), tells how little that angle means.
constexpr double SHORTEST_RESULTANT = 1e-6;
constexpr double DEGREES_PER_RADIAN = 180.0 / 3.14159265358979323846;

// The frame covers the STATS_FRAME_MS before its arrival and belongs to the window (or chart slice) that
// holds its middle, so a window holds the same count of frames at the line rate whatever few milliseconds of
// jitter they carry. Windows end at nowMs and reach back their length from it.
std::int64_t MiddleAge(std::int64_t nowMs, const StatsRecord& record) {
    return nowMs - record.arrivalMs + STATS_FRAME_MS / 2;
}

// Two thirds of the window covered by valid frames; in integers, so the limit is exact.
bool Covered(std::int64_t frames, std::int64_t windowMs) {
    return 3 * frames * STATS_FRAME_MS >= 2 * windowMs;
}

// Tenths, half up; sums of speeds are never negative (four decimal digits a frame).
std::int32_t RoundedMean(std::int64_t sum, std::int64_t count) {
    return static_cast<std::int32_t>((2 * sum + count) / (2 * count));
}

std::int32_t WholeDegrees(double degrees) {
    return static_cast<std::int32_t>(std::floor(degrees + 0.5));
}

std::int32_t Higher(std::int32_t a, std::int32_t b) {
    if (a == VALUE_UNKNOWN) return b;
    if (b == VALUE_UNKNOWN) return a;
    return a > b ? a : b;
}

// What value_text.cpp blinks for: the quantity's own fault bit or calibration.
bool Valid(std::int32_t value, int status, int faultBit) {
    return value != VALUE_UNKNOWN && (status & 0xFF & (faultBit | STATUS_CALIBRATION_FAULT)) == 0;
}

struct Sums {
    std::int64_t speedSum, speeds;
    double sine, cosine;
    std::int64_t directions;
};

void Accumulate(Sums& sums, const StatsRecord& record) {
    if (record.speed != VALUE_UNKNOWN) sums.speedSum += record.speed, ++sums.speeds;
    if (record.directionValid) sums.sine += record.sine, sums.cosine += record.cosine, ++sums.directions;
}

std::int32_t MeanSpeed(const Sums& sums, std::int64_t windowMs) {
    return Covered(sums.speeds, windowMs) ? RoundedMean(sums.speedSum, sums.speeds) : VALUE_UNKNOWN;
}

// The angle of the mean unit vector (the means of the sines and cosines), 0..359.
std::int32_t VectorDirection(double sine, double cosine) {
    if (std::hypot(sine, cosine) < SHORTEST_RESULTANT) return VALUE_UNKNOWN;
    std::int32_t degrees = WholeDegrees(std::atan2(sine, cosine) * DEGREES_PER_RADIAN);
    return (degrees + 360) % 360;
}

// The mean direction and Yamartino's one-pass estimate of its standard deviation, both unknown in a calm. The
// calm is judged on the mean speed as shown (rounded tenths): a mean shown as 0.5 m/s always has a direction.
void DirectionFigures(const Sums& sums, std::int64_t windowMs, std::int32_t meanSpeed,
                      std::int32_t& direction, std::int32_t& sigma) {
    direction = sigma = VALUE_UNKNOWN;
    if (!Covered(sums.directions, windowMs) || meanSpeed == VALUE_UNKNOWN || meanSpeed < CALM) return;
    double s = sums.sine / static_cast<double>(sums.directions);
    double c = sums.cosine / static_cast<double>(sums.directions);
    direction = VectorDirection(s, c);
    if (direction == VALUE_UNKNOWN) return;
    // Rounding can take s*s + c*c a hair above 1 for a steady wind.
    double epsilon = std::sqrt(std::fmax(0.0, 1.0 - (s * s + c * c)));
    double radians = std::asin(epsilon) * (1.0 + (2.0 / std::sqrt(3.0) - 1.0) * epsilon * epsilon * epsilon);
    sigma = WholeDegrees(radians * DEGREES_PER_RADIAN);
}

// The i-th record from the newest.
const StatsRecord& Back(const WindStatistics& stats, int i) {
    return stats.records[(stats.next - 1 - i + STATS_CAPACITY) % STATS_CAPACITY];
}

} // namespace

void StatsReset(WindStatistics& stats) {
    stats.count = stats.next = 0;
    stats.serial = stats.peakGust = stats.peakDirection = VALUE_UNKNOWN;
    stats.lastArrivalMs = 0; // a monotonic clock reads no less
    stats.peakArrivalMs = VALUE_UNKNOWN;
}

void StatsAddFrame(WindStatistics& stats, std::int64_t arrivalMs, std::int32_t speed, std::int32_t direction,
                   int status, std::int32_t serial) {
    if (serial != VALUE_UNKNOWN) {
        // Another instrument: its figures must not be mixed with the last one's. A frame that was not one (no
        // serial number) interrupts nothing.
        if (stats.serial != VALUE_UNKNOWN && serial != stats.serial) StatsReset(stats);
        stats.serial = serial;
    }
    if (arrivalMs < stats.lastArrivalMs) arrivalMs = stats.lastArrivalMs;
    stats.lastArrivalMs = arrivalMs;

    StatsRecord& record = stats.records[stats.next];
    stats.next = (stats.next + 1) % STATS_CAPACITY;
    if (stats.count < STATS_CAPACITY) ++stats.count;
    record.arrivalMs = arrivalMs;
    record.speed = Valid(speed, status, STATUS_SPEED_FAULT) ? speed : VALUE_UNKNOWN;
    record.directionValid = Valid(direction, status, STATUS_DIRECTION_FAULT);
    double radians = record.directionValid ? direction / DEGREES_PER_RADIAN : 0.0;
    record.sine = static_cast<float>(std::sin(radians));
    record.cosine = static_cast<float>(std::cos(radians));

    // Kept with the frame, so the gust over any later window is the highest kept mean in it.
    Sums sums{};
    for (int i = 0; i < stats.count && MiddleAge(arrivalMs, Back(stats, i)) < GUST_MS; ++i)
        Accumulate(sums, Back(stats, i));
    record.mean3s = MeanSpeed(sums, GUST_MS);

    // Strictly higher: a peak reached again keeps the moment it was first reached.
    if (record.mean3s != VALUE_UNKNOWN &&
        (stats.peakGust == VALUE_UNKNOWN || record.mean3s > stats.peakGust)) {
        stats.peakGust = record.mean3s;
        stats.peakArrivalMs = arrivalMs;
        stats.peakDirection = record.directionValid ? direction : VALUE_UNKNOWN;
    }
}

WindFigures StatsFigures(const WindStatistics& stats, std::int64_t nowMs) {
    // The windows nest: one walk from the newest frame back to the oldest of the last 10 minutes.
    Sums gust{}, shortSums{}, longSums{};
    std::int32_t highest = VALUE_UNKNOWN;
    for (int i = 0; i < stats.count; ++i) {
        const StatsRecord& record = Back(stats, i);
        std::int64_t age = MiddleAge(nowMs, record);
        if (age >= LONG_MS) break;
        Accumulate(longSums, record);
        highest = Higher(highest, record.mean3s);
        if (age < SHORT_MS) Accumulate(shortSums, record);
        if (age < GUST_MS) Accumulate(gust, record);
    }
    WindFigures figures{};
    figures.gust = highest;
    figures.mean3s = MeanSpeed(gust, GUST_MS);
    figures.meanSpeed2 = MeanSpeed(shortSums, SHORT_MS);
    figures.meanSpeed10 = MeanSpeed(longSums, LONG_MS);
    DirectionFigures(shortSums, SHORT_MS, figures.meanSpeed2, figures.meanDirection2, figures.sigma2);
    DirectionFigures(longSums, LONG_MS, figures.meanSpeed10, figures.meanDirection10, figures.sigma10);
    figures.peakGust = stats.peakGust;
    figures.peakDirection = stats.peakDirection;
    figures.peakArrivalMs = stats.peakArrivalMs;
    return figures;
}

namespace {

void FillColumn(StatsColumn& column, const Sums& sums, std::int32_t gust) {
    column.speed = sums.speeds > 0 ? RoundedMean(sums.speedSum, sums.speeds) : VALUE_UNKNOWN;
    column.gust = gust;
    double count = static_cast<double>(sums.directions);
    column.direction =
        sums.directions > 0 ? VectorDirection(sums.sine / count, sums.cosine / count) : VALUE_UNKNOWN;
}

} // namespace

int StatsChartColumns(const WindStatistics& stats, std::int64_t nowMs, std::int64_t spanMs, int columns,
                      StatsColumn* out) {
    if (columns <= 0 || spanMs <= 0) return 0;
    for (int i = 0; i < columns; ++i)
        out[i] = {VALUE_UNKNOWN, VALUE_UNKNOWN, VALUE_UNKNOWN};
    // Frames come newest first, so the slices fill one after the other from the newest.
    Sums sums{};
    std::int32_t gust = VALUE_UNKNOWN;
    int slice = -1; // counted from the newest
    for (int i = 0; i < stats.count; ++i) {
        const StatsRecord& record = Back(stats, i);
        std::int64_t middleAge = MiddleAge(nowMs, record);
        if (middleAge >= spanMs) break;
        // A frame that arrived after nowMs was taken belongs to the newest slice.
        int index = middleAge < 0 ? 0 : static_cast<int>(middleAge * columns / spanMs);
        if (index != slice) {
            if (slice >= 0) FillColumn(out[columns - 1 - slice], sums, gust);
            sums = {};
            gust = VALUE_UNKNOWN;
            slice = index;
        }
        Accumulate(sums, record);
        gust = Higher(gust, record.mean3s);
    }
    if (slice >= 0) FillColumn(out[columns - 1 - slice], sums, gust);
    return columns;
}
