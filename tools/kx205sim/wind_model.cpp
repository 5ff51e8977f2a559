// Mean-reverting speed with occasional gusts; direction as a damped random walk around its mean.
#include "tools/kx205sim/wind_model.h"

#include <algorithm>
#include <cmath>

void InitWindModel(WindModel& model, double meanSpeed, double meanDirection, double gustiness, double veering,
                   std::uint64_t seed) {
    model.meanSpeed = meanSpeed;
    model.gustiness = gustiness;
    model.meanDirection = meanDirection;
    model.veering = veering;
    model.speed = meanSpeed;
    model.direction = meanDirection;
    model.gust = 0;
    model.random = seed != 0 ? seed : 0x9E3779B97F4A7C15ull;
}

double NextRandom(WindModel& model) {
    // xorshift64*: small, repeatable for a given seed.
    model.random ^= model.random >> 12;
    model.random ^= model.random << 25;
    model.random ^= model.random >> 27;
    return static_cast<double>((model.random * 0x2545F4914F6CDD1Dull) >> 11) / 9007199254740992.0;
}

void StepWindModel(WindModel& model, int& speedTenths, int& directionDegrees) {
    double noise = NextRandom(model) - 0.5;
    if (NextRandom(model) < 0.05 * model.gustiness) {
        model.gust += model.meanSpeed * model.gustiness * (0.5 + NextRandom(model));
    }
    model.gust *= 0.7;
    model.speed += 0.2 * (model.meanSpeed - model.speed) + noise * model.meanSpeed * 0.2 * model.gustiness;
    double speed = std::clamp(model.speed + model.gust, 0.0, 999.9);
    model.direction += (NextRandom(model) - 0.5) * 2 * model.veering + 0.05 * (model.meanDirection - model.direction);
    speedTenths = static_cast<int>(std::lround(speed * 10));
    double dir = std::fmod(model.direction, 360.0);
    if (dir < 0) dir += 360.0;
    directionDegrees = static_cast<int>(std::lround(dir)) % 360;
}
