#pragma once

#include <cstdint>

namespace nuvrel {

// The scene's one linear congruential generator. Every scene object draws from the same
// sequence, so the order of draws is part of the behaviour.
struct RandomGenerator {
    std::uint32_t state = 1;
};

constexpr int RandomMax = 32767;

inline void SeedRandom(RandomGenerator& generator, std::uint32_t seed) {
    generator.state = seed;
}

// Returns 0..RandomMax.
inline int Random(RandomGenerator& generator) {
    generator.state = generator.state * 214013u + 2531011u;
    return static_cast<int>((generator.state >> 16) & 0x7FFFu);
}

// One draw spread evenly over 0..extent in 32768 steps; extent / RandomMax is a float constant.
inline float RandomSpread(RandomGenerator& generator, float extent) {
    return static_cast<float>(Random(generator)) * (extent / static_cast<float>(RandomMax));
}

}  // namespace nuvrel
