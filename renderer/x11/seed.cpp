#include "renderer/x11/seed.h"

#include <unistd.h>

#include <ctime>

namespace nuvrel::x11 {

std::uint32_t MixSeed(std::uint64_t clockNanoseconds, std::uint32_t processId) {
    // SplitMix64's finaliser over both inputs.
    std::uint64_t z = clockNanoseconds ^ (std::uint64_t{processId} << 32 | processId);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<std::uint32_t>(z ^ (z >> 32));
}

std::uint32_t SeedFromClockAndProcess() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::uint64_t nanoseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000000000ULL +
                                      static_cast<std::uint64_t>(now.tv_nsec);
    return MixSeed(nanoseconds, static_cast<std::uint32_t>(getpid()));
}

}  // namespace nuvrel::x11
