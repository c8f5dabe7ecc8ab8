#pragma once

#include <cstdint>

namespace nuvrel::x11 {

// A scene seed from the clock's nanoseconds and the process id. XScreenSaver starts one copy
// per monitor in the same instant: the process ids set them apart, and the mixing spreads
// neighbouring ids and times over the whole seed.
std::uint32_t MixSeed(std::uint64_t clockNanoseconds, std::uint32_t processId);

// The seed of this run: the real-time clock mixed with this process's id.
std::uint32_t SeedFromClockAndProcess();

}  // namespace nuvrel::x11
