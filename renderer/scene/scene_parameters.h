#pragma once

#include <array>
#include <cstdint>

namespace nuvrel {

// The renderer reads no settings: every tuning value of the scene is fixed here.
constexpr int ParticlesPerFunnel = 200;
constexpr int FunnelCount = 10;
constexpr int AxisPointParam = 10;
constexpr int ParticleSize = 30;        // the particle shape's radius is a quarter of it
constexpr int Speed = 5;                // divides cycle lengths, scales particle motion
constexpr int ThreadPriorityLevel = 0;  // 0 lowest, 1 below normal, 2 normal

// Control points (and radii) of a funnel's axis, and the degree of the axis curve.
constexpr int AxisPointCount = AxisPointParam + 3;
constexpr int CurveDegree = AxisPointParam + 2;

constexpr std::int32_t Factorial(std::int32_t n) {
    std::int32_t product = 1;
    for (std::int32_t k = 2; k <= n; ++k) {
        product *= k;
    }
    return product;
}

// 12! is the largest factorial that fits in a signed 32-bit integer.
constexpr int FactorialTableSize = 13;

constexpr std::array<float, FactorialTableSize> FillFactorialTable() {
    std::array<float, FactorialTableSize> table{};
    for (int k = 0; k < FactorialTableSize; ++k) {
        table[k] = static_cast<float>(Factorial(k));
    }
    return table;
}

inline constexpr std::array<float, FactorialTableSize> FactorialTable = FillFactorialTable();

static_assert(CurveDegree < FactorialTableSize, "the axis curve's coefficients need N!");
static_assert(Speed >= 1 && Speed <= 1500, "every animation cycle must last at least one frame");

}  // namespace nuvrel
