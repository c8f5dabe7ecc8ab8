#include "renderer/x11/monitor_choice.h"

#include <gtest/gtest.h>

namespace nuvrel::x11 {
namespace {

// Two monitors side by side with a gap: 1920x1080 at 60 Hz, then 2560x1440 at 144 Hz.
const std::vector<CrtcShown> Monitors = {{{0, 0, 1920, 1080}, 60.0},
                                         {{2000, 0, 2560, 1440}, 144.0}};

TEST(monitor_choice_test, the_monitor_that_shows_the_most_of_the_window) {
    EXPECT_EQ(RefreshUnderWindow({100, 100, 800, 600}, Monitors), 60.0);
    EXPECT_EQ(RefreshUnderWindow({2100, 100, 800, 600}, Monitors), 144.0);
    // Spanning both: more of it on the right.
    EXPECT_EQ(RefreshUnderWindow({1700, 100, 800, 600}, Monitors), 144.0);
    EXPECT_EQ(RefreshUnderWindow({1300, 100, 800, 600}, Monitors), 60.0);
    // Its middle in the gap between them.
    EXPECT_EQ(RefreshUnderWindow({1560, 0, 820, 600}, Monitors), 144.0);
    EXPECT_EQ(RefreshUnderWindow({1100, 0, 1700, 600}, Monitors), 60.0);
}

TEST(monitor_choice_test, a_window_on_no_monitor_has_no_refresh) {
    EXPECT_EQ(RefreshUnderWindow({1925, 0, 70, 600}, Monitors), 0.0);  // within the gap
    EXPECT_EQ(RefreshUnderWindow({-900, 0, 800, 600}, Monitors), 0.0);
    EXPECT_EQ(RefreshUnderWindow({0, 0, 800, 600}, {}), 0.0);
}

TEST(monitor_choice_test, mirrored_monitors_give_the_first) {
    const std::vector<CrtcShown> mirrored = {{{0, 0, 1920, 1080}, 75.0},
                                             {{0, 0, 1920, 1080}, 60.0}};
    EXPECT_EQ(RefreshUnderWindow({0, 0, 1920, 1080}, mirrored), 75.0);
}

}  // namespace
}  // namespace nuvrel::x11
