// A simple wind: a mean speed with gusts that build and decay, and a direction that veers slowly.
#pragma once

#include <cstdint>

struct WindModel {
    double meanSpeed;      // m/s
    double gustiness;      // 0 calm to 1 very gusty
    double meanDirection;  // degrees
    double veering;        // degrees of random drift per step
    double speed;          // current state
    double direction;
    double gust;
    std::uint64_t random;  // generator state
};

void InitWindModel(WindModel& model, double meanSpeed, double meanDirection, double gustiness, double veering,
                   std::uint64_t seed);

// Advances one frame (about one second) and gives speed in tenths of m/s and direction in whole degrees.
void StepWindModel(WindModel& model, int& speedTenths, int& directionDegrees);

// Uniform in [0, 1), from the model's generator.
double NextRandom(WindModel& model);
