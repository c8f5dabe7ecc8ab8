#include "renderer/x11/frame_rate.h"

#include <gtest/gtest.h>

#include <string>

namespace nuvrel::x11 {
namespace {

TEST(frame_rate_test, shows_zero_until_a_second_has_passed) {
    FrameRateFigure figure;
    EXPECT_STREQ(figure.Text(), "0.0 fps");
    for (int frame = 0; frame < 30; ++frame) {
        figure.FrameDrawn(100.0 + frame * 0.02);
    }
    EXPECT_STREQ(figure.Text(), "0.0 fps");
}

TEST(frame_rate_test, counts_the_frames_of_the_last_second) {
    FrameRateFigure figure;
    for (int frame = 0; frame <= 60; ++frame) {
        figure.FrameDrawn(5.0 + frame / 60.0);
    }
    EXPECT_STREQ(figure.Text(), "60.0 fps");
    // The next second runs at half the rate.
    for (int frame = 1; frame <= 30; ++frame) {
        figure.FrameDrawn(6.0 + frame / 30.0);
    }
    EXPECT_STREQ(figure.Text(), "30.0 fps");
}

TEST(frame_rate_test, a_slow_frame_gives_a_figure_below_one) {
    FrameRateFigure figure;
    figure.FrameDrawn(0.0);
    figure.FrameDrawn(4.0);
    EXPECT_STREQ(figure.Text(), "0.2 fps");
}

TEST(frame_rate_test, huge_figures_stay_within_the_text) {
    FrameRateFigure figure;
    figure.FrameDrawn(0.0);
    for (int frame = 1; frame <= 1000; ++frame) {
        figure.FrameDrawn(1.0 + frame * 1e-12);
    }
    EXPECT_LT(std::string(figure.Text()).size(), 24u);
}

}  // namespace
}  // namespace nuvrel::x11
