#include "renderer/scene/random.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/scene/random_control.h"

namespace nuvrel {
namespace {

std::vector<int> Draws(RandomGenerator& generator, int count) {
    std::vector<int> draws;
    for (int i = 0; i < count; ++i) {
        draws.push_back(Random(generator));
    }
    return draws;
}

TEST(random_test, unseeded_sequence) {
    RandomGenerator generator;
    EXPECT_EQ(Draws(generator, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST(random_test, sequence_after_seeding_with_zero) {
    RandomGenerator generator;
    Random(generator);
    SeedRandom(generator, 0);
    EXPECT_EQ(Draws(generator, 5), (std::vector<int>{38, 7719, 21238, 2437, 8855}));
}

TEST(random_test, draws_stay_within_fifteen_bits) {
    RandomGenerator generator;
    SeedRandom(generator, 0xDEADBEEF);
    for (int i = 0; i < 100000; ++i) {
        const int draw = Random(generator);
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, RandomMax);
    }
}

TEST(random_test, spread_reaches_both_ends_of_its_range) {
    RandomGenerator generator;
    testing::SeedSoNextDrawIs(generator, 0);
    EXPECT_EQ(RandomSpread(generator, 400), 0.0f);
    testing::SeedSoNextDrawIs(generator, RandomMax);
    EXPECT_EQ(RandomSpread(generator, 400), 400.0f);
    testing::SeedSoNextDrawIs(generator, RandomMax);
    EXPECT_FLOAT_EQ(RandomSpread(generator, 66), 66.0f);
}

TEST(random_test, test_control_sets_any_next_draw) {
    RandomGenerator generator;
    for (int draw : {0, 1, 65, 66, 16384, RandomMax}) {
        testing::SeedSoNextDrawIs(generator, draw);
        EXPECT_EQ(Random(generator), draw);
    }
}

}  // namespace
}  // namespace nuvrel
