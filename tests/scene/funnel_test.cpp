#include "renderer/scene/funnel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nuvrel {
namespace {

constexpr int Top = AxisPointCount - 1;
constexpr int BelowTop = AxisPointCount - 2;

RandomGenerator SeededGenerator(std::uint32_t seed) {
    RandomGenerator generator;
    SeedRandom(generator, seed);
    return generator;
}

struct Range {
    float low;
    float high;
};

void ExpectWithin(float value, Range range, const char* what, int index) {
    EXPECT_GE(value, range.low) << what << " " << index;
    EXPECT_LE(value, range.high) << what << " " << index;
}

Range StartRadiusRange(int i) {
    if (i == Top)
        return {75, 250};
    if (i == BelowTop)
        return {15, 75};
    if (i == 1)
        return {5, 30};
    if (i == 0)
        return {5, 20};
    return {15, 40};
}

Range RadiusRange(int i) {
    if (i == Top)
        return {75, 300};
    if (i == BelowTop)
        return {15, 95};
    if (i == 1)
        return {5, 30};
    if (i == 0)
        return {5, 20};
    return {15, 40};
}

Range HeightRange(int i) {
    if (i == Top)
        return {200, 200};
    if (i == BelowTop)
        return {50, 116};
    if (i == 1)
        return {-150, -50};
    if (i == 0)
        return {-200, -200};
    return {-200, 200};
}

// Cycle lengths at Speed 5, in frames.
Range PointPeriodRange(int i) {
    if (i == Top)
        return {1000, 3000};
    if (i == BelowTop)
        return {1000, 2400};
    if (i == 1)
        return {400, 1200};
    if (i == 0)
        return {300, 900};
    return {600, 1600};
}

Range RadiusPeriodRange(int i) {
    if (i == Top || i == BelowTop)
        return {1000, 2000};
    if (i == 1)
        return {600, 1600};
    if (i == 0)
        return {400, 1400};
    return {800, 1800};
}

void ExpectSameFunnel(const Funnel& a, const Funnel& b) {
    for (int i = 0; i < AxisPointCount; ++i) {
        EXPECT_EQ(a.points[i], b.points[i]) << i;
        EXPECT_EQ(a.targetPoints[i], b.targetPoints[i]) << i;
        EXPECT_EQ(a.radii[i], b.radii[i]) << i;
        EXPECT_EQ(a.pointCycles[i].period, b.pointCycles[i].period) << i;
    }
    EXPECT_EQ(a.colour.hue, b.colour.hue);
    EXPECT_EQ(a.colour.value, b.colour.value);
}

TEST(funnel_test, new_funnel_has_its_axis_ends_fixed_and_radii_in_range) {
    for (std::uint32_t seed : {0u, 1u, 77u, 123456789u}) {
        RandomGenerator generator = SeededGenerator(seed);
        const Funnel funnel(generator);
        EXPECT_EQ(funnel.points[0].y, -200.0f);
        EXPECT_EQ(funnel.points[Top].y, 200.0f);
        EXPECT_EQ(funnel.points[BelowTop].x, funnel.points[Top].x);
        EXPECT_EQ(funnel.points[BelowTop].z, funnel.points[Top].z);
        for (int i = 0; i < AxisPointCount; ++i) {
            ExpectWithin(funnel.radii[i], StartRadiusRange(i), "radius", i);
            ExpectWithin(funnel.points[i].y, HeightRange(i), "height", i);
        }
        ExpectWithin(funnel.points[Top].x, {-200, 200}, "top x", Top);
        ExpectWithin(funnel.points[0].x - funnel.points[1].x, {-12, 13}, "bottom offset", 0);
    }
}

TEST(funnel_test, new_funnel_starts_black) {
    RandomGenerator generator = SeededGenerator(5);
    const Funnel funnel(generator);
    EXPECT_EQ(funnel.colour.value, 0.0f);
    EXPECT_EQ(funnel.targetColour.value, 1.0f);
    EXPECT_EQ(funnel.colourCycle.step, 0);
    EXPECT_EQ(funnel.colourCycle.period, 300);
    const RgbColour rgb = HsvToRgb(funnel.colour);
    EXPECT_EQ(rgb.red + rgb.green + rgb.blue, 0.0f);
}

TEST(funnel_test, construction_draws_a_fixed_number_of_values) {
    // 2 + 1 + 3 * 9 + 3 + 2 for the points, 13 for the radii, 4 for the colour.
    RandomGenerator generator = SeededGenerator(9);
    const Funnel funnel(generator);
    RandomGenerator counter = SeededGenerator(9);
    for (int i = 0; i < 35 + 13 + 4; ++i) {
        Random(counter);
    }
    EXPECT_EQ(generator.state, counter.state);
}

TEST(funnel_test, same_seed_builds_and_animates_the_same_funnel) {
    RandomGenerator first = SeededGenerator(31337);
    RandomGenerator second = SeededGenerator(31337);
    Funnel a(first);
    Funnel b(second);
    ExpectSameFunnel(a, b);
    for (int frame = 0; frame < 3000; ++frame) {
        a.Update(first);
        b.Update(second);
    }
    ExpectSameFunnel(a, b);
    EXPECT_EQ(first.state, second.state);
}

TEST(funnel_test, first_update_retargets_everything_and_moves_nothing) {
    RandomGenerator generator = SeededGenerator(2024);
    Funnel funnel(generator);
    const Funnel built = funnel;
    funnel.Update(generator);
    for (int i = 0; i < AxisPointCount; ++i) {
        EXPECT_EQ(funnel.points[i], built.points[i]) << i;
        EXPECT_EQ(funnel.startPoints[i], built.points[i]) << i;
        EXPECT_EQ(funnel.radii[i], built.radii[i]) << i;
        EXPECT_EQ(funnel.startRadii[i], built.radii[i]) << i;
        EXPECT_EQ(funnel.pointCycles[i].step, 1) << i;
        EXPECT_EQ(funnel.radiusCycles[i].step, 1) << i;
        ExpectWithin(funnel.pointCycles[i].period, PointPeriodRange(i), "point period", i);
        ExpectWithin(funnel.radiusCycles[i].period, RadiusPeriodRange(i), "radius period", i);
    }
    EXPECT_EQ(funnel.colour.value, 0.0f);
    EXPECT_EQ(funnel.colourCycle.step, 1);
}

TEST(funnel_test, invariants_hold_over_twenty_thousand_frames) {
    for (std::uint32_t seed : {1u, 2u, 1700000000u}) {
        RandomGenerator generator = SeededGenerator(seed);
        Funnel funnel(generator);
        int colourRetargets = 0;
        bool sawFullValueTarget = false;
        for (int frame = 0; frame < 20000; ++frame) {
            funnel.Update(generator);
            for (int i = 0; i < AxisPointCount; ++i) {
                ExpectWithin(funnel.points[i].y, HeightRange(i), "height", i);
                ExpectWithin(funnel.radii[i], RadiusRange(i), "radius", i);
                if (funnel.pointCycles[i].step == 1) {
                    ExpectWithin(funnel.pointCycles[i].period, PointPeriodRange(i), "point period",
                                 i);
                }
                if (funnel.radiusCycles[i].step == 1) {
                    ExpectWithin(funnel.radiusCycles[i].period, RadiusPeriodRange(i),
                                 "radius period", i);
                }
            }
            ExpectWithin(funnel.colour.hue, {0, 1}, "hue", frame);
            ExpectWithin(funnel.colour.saturation, {0, 1}, "saturation", frame);
            ExpectWithin(funnel.colour.value, {0, 1}, "value", frame);
            if (funnel.colourCycle.step == 1 && frame > 0) {
                ++colourRetargets;
                ExpectWithin(funnel.colourCycle.period, {100, 2000}, "colour period", frame);
                ExpectWithin(funnel.targetColour.value, {0.5f, 1.0f}, "target value", frame);
                sawFullValueTarget |= funnel.targetColour.value == 1.0f;
            }
            if (::testing::Test::HasFailure()) {
                FAIL() << "seed " << seed << ", frame " << frame;
            }
        }
        EXPECT_GT(colourRetargets, 5);
        EXPECT_TRUE(sawFullValueTarget);
    }
}

TEST(funnel_test, middle_target_height_is_clamped_to_the_axis) {
    RandomGenerator generator = SeededGenerator(11);
    Funnel funnel(generator);
    funnel.Update(generator);
    constexpr int middle = 6;
    for (const float neighbourHeight : {260.0f, -270.0f}) {
        funnel.targetPoints[middle + 1].y = neighbourHeight;
        funnel.targetPoints[middle - 1].y = neighbourHeight;
        funnel.pointCycles[middle].step = funnel.pointCycles[middle].period;
        funnel.Update(generator);
        EXPECT_EQ(funnel.targetPoints[middle].y, neighbourHeight > 0 ? 200.0f : -200.0f);
    }
}

TEST(funnel_test, point_reaches_its_target_mid_cycle_and_starts_from_its_start) {
    RandomGenerator generator = SeededGenerator(8);
    Funnel funnel(generator);
    funnel.Update(generator);
    constexpr int point = 4;
    constexpr int length = 700;
    funnel.pointCycles[point].period = length;
    const Vec3 start = funnel.startPoints[point];
    const Vec3 target = funnel.targetPoints[point];
    while (funnel.pointCycles[point].step <= length / 2) {
        funnel.Update(generator);
    }
    EXPECT_FLOAT_EQ(funnel.points[point].x, target.x);
    EXPECT_FLOAT_EQ(funnel.points[point].y, target.y);
    EXPECT_FLOAT_EQ(funnel.points[point].z, target.z);
    while (funnel.pointCycles[point].step != length) {
        funnel.Update(generator);
    }
    // The last step of a cycle ends a little short of the start: sin^2(pi / L) of the way.
    const float remainder = std::pow(std::sin(3.14159265f / length), 2.0f);
    EXPECT_NEAR(funnel.points[point].x, start.x + remainder * (target.x - start.x), 1e-3f);
    funnel.Update(generator);
    EXPECT_EQ(funnel.pointCycles[point].step, 1);
    EXPECT_EQ(funnel.startPoints[point], funnel.points[point]);
}

TEST(funnel_test, swing_is_a_full_raised_cosine) {
    EXPECT_EQ(SwingFraction({0, 600}), 0.0f);
    EXPECT_EQ(SwingFraction({300, 600}), 1.0f);
    EXPECT_NEAR(SwingFraction({150, 600}), 0.5f, 1e-6f);
    EXPECT_NEAR(SwingFraction({450, 600}), 0.5f, 1e-6f);
}

TEST(funnel_test, cycle_period_spans_its_range_in_integer_steps) {
    RandomGenerator generator;
    SeedRandom(generator, 0);
    int lowest = 1 << 30;
    int highest = 0;
    for (int i = 0; i < 200000; ++i) {
        const int period = DrawCyclePeriod(generator, 3000, 1500);
        lowest = std::min(lowest, period);
        highest = std::max(highest, period);
    }
    EXPECT_EQ(lowest, 300);
    EXPECT_EQ(highest, 900);
}

TEST(funnel_test, colour_blends_the_short_way_down_through_red) {
    RandomGenerator generator = SeededGenerator(3);
    Funnel funnel(generator);
    funnel.startColour = {0.2f, 1.0f, 1.0f};
    funnel.targetColour = {0.9f, 1.0f, 1.0f};
    funnel.colourCycle = {0, 100};
    float previous = 0.2f;
    bool wrapped = false;
    for (int frame = 0; frame < 100; ++frame) {
        funnel.Update(generator);
        const float hue = funnel.colour.hue;
        if (hue > previous) {
            EXPECT_FALSE(wrapped) << "the hue wraps only once";
            EXPECT_GT(hue, 0.9f);
            wrapped = true;
        }
        previous = hue;
    }
    EXPECT_TRUE(wrapped);
    EXPECT_NEAR(previous, 0.903f, 1e-5f);
}

}  // namespace
}  // namespace nuvrel
