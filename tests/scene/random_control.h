#pragma once

#include <cstdint>

#include "renderer/scene/random.h"

namespace nuvrel::testing {

// The multiplicative inverse of the generator's multiplier modulo 2^32 (Newton's iteration
// doubles the correct low bits each round).
constexpr std::uint32_t InverseMultiplier() {
    std::uint32_t x = 214013u;
    for (int i = 0; i < 5; ++i) {
        x *= 2u - 214013u * x;
    }
    return x;
}

// Sets the generator so that its next draw returns the given value.
inline void SeedSoNextDrawIs(RandomGenerator& generator, int draw) {
    const std::uint32_t next = static_cast<std::uint32_t>(draw) << 16;
    SeedRandom(generator, (next - 2531011u) * InverseMultiplier());
}

}  // namespace nuvrel::testing
