#include "renderer/x11/seed.h"

#include <gtest/gtest.h>

#include <set>

namespace nuvrel::x11 {
namespace {

TEST(seed_test, copies_started_together_get_different_seeds) {
    // One copy per monitor, started in the same instant with neighbouring process ids.
    constexpr std::uint64_t instant = 1796749627858112195ULL;
    std::set<std::uint32_t> seeds;
    for (std::uint32_t processId = 4000; processId < 4064; ++processId) {
        seeds.insert(MixSeed(instant, processId));
    }
    EXPECT_EQ(seeds.size(), 64u);
}

TEST(seed_test, every_nanosecond_of_the_clock_counts) {
    // Copies started within the same second by the same process id (a restart).
    constexpr std::uint64_t second = 1796749627000000000ULL;
    std::set<std::uint32_t> seeds;
    for (std::uint64_t nanoseconds = 0; nanoseconds < 64; ++nanoseconds) {
        seeds.insert(MixSeed(second + nanoseconds, 4000));
    }
    EXPECT_EQ(seeds.size(), 64u);
    EXPECT_NE(MixSeed(second, 4000), MixSeed(second + 1000000000ULL, 4000));
}

}  // namespace
}  // namespace nuvrel::x11
