#include "renderer/scene/colour.h"

#include <gtest/gtest.h>

namespace nuvrel {
namespace {

constexpr float Tolerance = 1e-6f;

void ExpectRgb(const RgbColour& actual, float red, float green, float blue) {
    EXPECT_NEAR(actual.red, red, Tolerance);
    EXPECT_NEAR(actual.green, green, Tolerance);
    EXPECT_NEAR(actual.blue, blue, Tolerance);
}

TEST(colour_test, converts_the_documented_colours) {
    ExpectRgb(HsvToRgb({0.0f, 1.0f, 1.0f}), 1, 0, 0);
    ExpectRgb(HsvToRgb({0.5f, 1.0f, 1.0f}), 0, 1, 1);
    ExpectRgb(HsvToRgb({0.0f, 0.5f, 0.5f}), 0.5f, 0.25f, 0.25f);
    ExpectRgb(HsvToRgb({0.1f, 0.0f, 0.8f}), 0.8f, 0.8f, 0.8f);
}

TEST(colour_test, each_sector_of_the_hue_circle) {
    ExpectRgb(HsvToRgb({0.1f, 1, 1}), 1, 0.6f, 0);
    ExpectRgb(HsvToRgb({0.3f, 1, 1}), 1 - 6 * (0.3f - 0.166667f), 1, 0);
    ExpectRgb(HsvToRgb({0.4f, 1, 1}), 0, 1, 6 * (0.4f - 0.333333f));
    ExpectRgb(HsvToRgb({0.6f, 1, 1}), 0, 1 - 6 * (0.6f - 0.5f), 1);
    ExpectRgb(HsvToRgb({0.7f, 1, 1}), 6 * (0.7f - 0.666667f), 0, 1);
    ExpectRgb(HsvToRgb({0.9f, 1, 1}), 1, 0, 1 - 6 * (0.9f - 0.833333f));
}

TEST(colour_test, zero_value_is_black_whatever_the_hue) {
    for (float hue = 0.0f; hue <= 1.0f; hue += 0.01f) {
        const RgbColour rgb = HsvToRgb({hue, 0.7f, 0.0f});
        EXPECT_EQ(rgb.red, 0.0f);
        EXPECT_EQ(rgb.green, 0.0f);
        EXPECT_EQ(rgb.blue, 0.0f);
    }
}

TEST(colour_test, rounded_sector_bounds_pass_small_strays_through) {
    EXPECT_NEAR(HsvToRgb({0.25f, 1, 1}).red, 0.500002f, 2e-7f);
    EXPECT_NEAR(HsvToRgb({1.0f, 1, 1}).blue, -0.000002f, 2e-7f);
}

TEST(colour_test, blend_ends_on_start_and_target_in_every_direction) {
    const HsvColour low{0.2f, 0.1f, 0.3f};
    const HsvColour high{0.9f, 0.8f, 1.0f};
    for (const auto direction : {HueDirection::Upward, HueDirection::Downward}) {
        for (const auto& [start, target] : {std::pair{low, high}, std::pair{high, low}}) {
            const HsvColour atStart = BlendHsv(start, target, 0.0f, direction);
            EXPECT_FLOAT_EQ(atStart.hue, start.hue);
            EXPECT_FLOAT_EQ(atStart.saturation, start.saturation);
            EXPECT_FLOAT_EQ(atStart.value, start.value);
            const HsvColour atTarget = BlendHsv(start, target, 1.0f, direction);
            EXPECT_NEAR(atTarget.hue, target.hue, Tolerance);
            EXPECT_FLOAT_EQ(atTarget.saturation, target.saturation);
            EXPECT_FLOAT_EQ(atTarget.value, target.value);
        }
    }
}

TEST(colour_test, target_hue_zero_reached_upward_through_the_wrap_comes_out_as_one) {
    EXPECT_EQ(BlendHsv({0.75f, 1, 1}, {0.0f, 1, 1}, 1.0f, HueDirection::Upward).hue, 1.0f);
}

TEST(colour_test, blend_wraps_around_the_hue_circle) {
    EXPECT_NEAR(BlendHsv({0.8f, 1, 1}, {0.1f, 1, 1}, 0.5f, HueDirection::Upward).hue, 0.95f,
                Tolerance);
    EXPECT_NEAR(BlendHsv({0.8f, 1, 1}, {0.1f, 1, 1}, 0.8f, HueDirection::Upward).hue, 0.04f,
                Tolerance);
    EXPECT_NEAR(BlendHsv({0.1f, 1, 1}, {0.8f, 1, 1}, 0.5f, HueDirection::Downward).hue, 0.95f,
                Tolerance);
    EXPECT_NEAR(BlendHsv({0.6f, 1, 1}, {0.2f, 1, 1}, 0.25f, HueDirection::Downward).hue, 0.5f,
                Tolerance);
    EXPECT_NEAR(BlendHsv({0.2f, 0, 0}, {0.6f, 1, 1}, 0.5f, HueDirection::Upward).hue, 0.4f,
                Tolerance);
}

TEST(colour_test, blend_takes_saturation_and_value_straight) {
    const HsvColour blended =
        BlendHsv({0.1f, 0.2f, 0.0f}, {0.9f, 0.6f, 1.0f}, 0.25f, HueDirection::Downward);
    EXPECT_FLOAT_EQ(blended.saturation, 0.3f);
    EXPECT_FLOAT_EQ(blended.value, 0.25f);
}

TEST(colour_test, shorter_direction_round_the_hue_circle) {
    EXPECT_EQ(ShorterHueDirection(0.2f, 0.9f), HueDirection::Downward);
    EXPECT_EQ(ShorterHueDirection(0.2f, 0.6f), HueDirection::Upward);
    EXPECT_EQ(ShorterHueDirection(0.2f, 0.7f), HueDirection::Upward);
    EXPECT_EQ(ShorterHueDirection(0.4f, 0.4f), HueDirection::Upward);
    EXPECT_EQ(ShorterHueDirection(0.9f, 0.2f), HueDirection::Upward);
    EXPECT_EQ(ShorterHueDirection(0.6f, 0.2f), HueDirection::Downward);
    EXPECT_EQ(ShorterHueDirection(0.7f, 0.2f), HueDirection::Downward);
}

}  // namespace
}  // namespace nuvrel
