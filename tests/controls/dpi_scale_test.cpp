#include "frontend/controls/dpi_scale.h"

#include <gtest/gtest.h>

namespace nuvrel {
namespace {

TEST(dpi_scale_test, twips_become_pixels_at_the_dpi) {
    EXPECT_EQ(PixelsOfTwips(7440, 96), 496);
    EXPECT_EQ(PixelsOfTwips(7440, 144), 744);
    EXPECT_EQ(PixelsOfTwips(3690, 144), 369);
    EXPECT_EQ(PixelsOfTwips(3690, 192), 492);
    EXPECT_EQ(PixelsOfTwips(195, 96), 13);
    EXPECT_EQ(PixelsOfTwips(195, 144), 20);  // 19.5
    EXPECT_EQ(PixelsOfTwips(-195, 144), -20);
    EXPECT_EQ(PixelsOfTwips(0, 192), 0);
}

TEST(dpi_scale_test, pixels_drawn_for_96_dpi_grow_with_the_dpi) {
    EXPECT_EQ(ScaledPixels(4, 96), 4);
    EXPECT_EQ(ScaledPixels(4, 120), 5);
    EXPECT_EQ(ScaledPixels(4, 144), 6);
    EXPECT_EQ(ScaledPixels(32, 192), 64);
    EXPECT_EQ(ScaledPixels(1, 144), 2);  // 1.5
    EXPECT_EQ(ScaledPixels(12, 144), 18);
}

TEST(dpi_scale_test, font_heights_follow_points_and_dpi) {
    EXPECT_EQ(FontPixelsOfPoints(9.75, 96), 13);
    EXPECT_EQ(FontPixelsOfPoints(9.75, 144), 20);  // 19.5
    EXPECT_EQ(FontPixelsOfPoints(9.75, 192), 26);
    EXPECT_EQ(FontPixelsOfPoints(8.25, 96), 11);
    EXPECT_EQ(FontPixelsOfPoints(8.25, 144), 17);  // 16.5
}

TEST(dpi_scale_test, an_unusable_dpi_counts_as_96) {
    EXPECT_EQ(UsableDpi(0), 96);
    EXPECT_EQ(UsableDpi(-1), 96);
    EXPECT_EQ(UsableDpi(100000), 96);
    EXPECT_EQ(UsableDpi(144), 144);
}

}  // namespace
}  // namespace nuvrel
