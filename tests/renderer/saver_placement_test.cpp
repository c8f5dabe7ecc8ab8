#include "renderer/windows/saver_placement.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace nuvrel {
namespace {

DisplayLayout Layout(const ScreenRect& virtualScreen, std::vector<Monitor> monitors) {
    DisplayLayout layout;
    layout.virtualScreen = virtualScreen;
    layout.monitors = std::move(monitors);
    for (const Monitor& monitor : layout.monitors) {
        if (monitor.primary) {
            layout.primaryScreen = {0, 0, monitor.rect.Width(), monitor.rect.Height()};
        }
    }
    return layout;
}

void ExpectWindow(const SaverPlacement& placement, const ScreenRect& expected) {
    EXPECT_EQ(placement.window.left, expected.left);
    EXPECT_EQ(placement.window.top, expected.top);
    EXPECT_EQ(placement.window.right, expected.right);
    EXPECT_EQ(placement.window.bottom, expected.bottom);
}

// Every monitor's viewport, the primary's first.
void ExpectViewports(const SaverPlacement& placement, const std::vector<ViewportRect>& expected) {
    ASSERT_EQ(placement.viewports.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(placement.viewports[i].x, expected[i].x);
        EXPECT_EQ(placement.viewports[i].y, expected[i].y);
        EXPECT_EQ(placement.viewports[i].width, expected[i].width);
        EXPECT_EQ(placement.viewports[i].height, expected[i].height);
    }
}

TEST(saver_placement_test, one_monitor_gets_the_whole_window_as_before) {
    const SaverPlacement placement =
        PlaceSaverWindow(Layout({0, 0, 1920, 1080}, {{{0, 0, 1920, 1080}, true}}));
    ExpectWindow(placement, {0, 0, 1920, 1080});
    ExpectViewports(placement, {{0, 0, 1920, 1080}});
}

TEST(saver_placement_test, side_by_side_with_the_primary_on_the_left) {
    const SaverPlacement placement = PlaceSaverWindow(
        Layout({0, 0, 3200, 1080}, {{{0, 0, 1920, 1080}, true}, {{1920, 0, 3200, 1024}, false}}));
    ExpectWindow(placement, {0, 0, 3200, 1080});
    // The smaller right monitor's top is level with the primary's.
    ExpectViewports(placement, {{0, 0, 1920, 1080}, {1920, 56, 1280, 1024}});
}

TEST(saver_placement_test, primary_on_the_right_starts_the_window_at_negative_x) {
    const SaverPlacement placement = PlaceSaverWindow(
        Layout({-1280, 0, 1920, 1080}, {{{-1280, 0, 0, 1024}, false}, {{0, 0, 1920, 1080}, true}}));
    ExpectWindow(placement, {-1280, 0, 1920, 1080});
    ExpectViewports(placement, {{1280, 0, 1920, 1080}, {0, 56, 1280, 1024}});
}

TEST(saver_placement_test, a_taller_neighbour_lifts_the_viewport_off_the_bottom_edge) {
    // The left monitor hangs 200 pixels lower: the window reaches down to 1224, and OpenGL
    // counts the primary monitor's rows from there.
    const SaverPlacement placement = PlaceSaverWindow(Layout(
        {-1280, 0, 1920, 1224}, {{{-1280, 200, 0, 1224}, false}, {{0, 0, 1920, 1080}, true}}));
    ExpectWindow(placement, {-1280, 0, 1920, 1224});
    ExpectViewports(placement, {{1280, 144, 1920, 1080}, {0, 0, 1280, 1024}});
}

TEST(saver_placement_test, stacked_monitors_above_and_below) {
    const SaverPlacement above = PlaceSaverWindow(Layout(
        {-320, -1440, 2240, 1080}, {{{0, 0, 1920, 1080}, true}, {{-320, -1440, 2240, 0}, false}}));
    ExpectWindow(above, {-320, -1440, 2240, 1080});
    ExpectViewports(above, {{320, 0, 1920, 1080}, {0, 1080, 2560, 1440}});

    const SaverPlacement below = PlaceSaverWindow(
        Layout({0, 0, 1920, 2280}, {{{0, 0, 1920, 1080}, true}, {{0, 1080, 1920, 2280}, false}}));
    ExpectWindow(below, {0, 0, 1920, 2280});
    ExpectViewports(below, {{0, 1200, 1920, 1080}, {0, 0, 1920, 1200}});
}

TEST(saver_placement_test, different_sizes_and_scales_in_physical_pixels) {
    // A 4K primary at 200 % beside a 1920 x 1200 monitor at 100 %, both in real pixels;
    // the camera's aspect is the primary's own, 16:9, not the whole window's.
    const SaverPlacement placement = PlaceSaverWindow(
        Layout({0, 0, 5760, 2160}, {{{0, 0, 3840, 2160}, true}, {{3840, 480, 5760, 1680}, false}}));
    ExpectWindow(placement, {0, 0, 5760, 2160});
    ExpectViewports(placement, {{0, 0, 3840, 2160}, {3840, 480, 1920, 1200}});
    EXPECT_DOUBLE_EQ(double(placement.viewports[0].width) / placement.viewports[0].height,
                     16.0 / 9.0);

    // Three monitors: a 150 % primary in the middle, a portrait one on the left reaching
    // higher and a small one on the right reaching lower.
    const SaverPlacement three =
        PlaceSaverWindow(Layout({-1200, -300, 4160, 1800}, {{{-1200, -300, 0, 1620}, false},
                                                            {{0, 0, 2880, 1620}, true},
                                                            {{2880, 1080, 4160, 1800}, false}}));
    ExpectWindow(three, {-1200, -300, 4160, 1800});
    ExpectViewports(three, {{1200, 180, 2880, 1620}, {0, 180, 1200, 1920}, {4080, 0, 1280, 720}});
}

TEST(saver_placement_test, heads_at_the_same_origin_as_wine_reports_xinerama) {
    const SaverPlacement placement = PlaceSaverWindow(
        Layout({0, 0, 1024, 768}, {{{0, 0, 1024, 600}, true}, {{0, 0, 800, 768}, false}}));
    ExpectWindow(placement, {0, 0, 1024, 768});
    // The primary monitor is the window's top 600 rows; the other head overlaps it and
    // gets no scene, so the strip below the primary stays black.
    ExpectViewports(placement, {{0, 168, 1024, 600}});

    // Mirrored monitors show one vortex.
    ExpectViewports(PlaceSaverWindow(Layout({0, 0, 1920, 1080}, {{{0, 0, 1920, 1080}, true},
                                                                 {{0, 0, 1920, 1080}, false}})),
                    {{0, 0, 1920, 1080}});
}

TEST(saver_placement_test, without_monitor_support_the_primary_screen_is_all) {
    DisplayLayout layout;
    layout.primaryScreen = {0, 0, 800, 600};
    const SaverPlacement placement = PlaceSaverWindow(layout);
    ExpectWindow(placement, {0, 0, 800, 600});
    ExpectViewports(placement, {{0, 0, 800, 600}});
}

TEST(saver_placement_test, monitors_without_a_primary_mark_fall_back_to_the_primary_screen) {
    DisplayLayout layout;
    layout.monitors = {{{-1024, 0, 0, 768}, false}, {{0, 0, 1280, 1024}, false}};
    layout.primaryScreen = {0, 0, 1280, 1024};
    const SaverPlacement placement = PlaceSaverWindow(layout);
    ExpectWindow(placement, {-1024, 0, 1280, 1024});
    ExpectViewports(placement, {{1024, 0, 1280, 1024}, {0, 256, 1024, 768}});
}

TEST(saver_placement_test, a_virtual_screen_smaller_than_the_monitors_still_covers_them) {
    // A system whose virtual screen lags behind a monitor just plugged in.
    const SaverPlacement placement = PlaceSaverWindow(
        Layout({0, 0, 1920, 1080}, {{{0, 0, 1920, 1080}, true}, {{1920, 0, 3840, 1080}, false}}));
    ExpectWindow(placement, {0, 0, 3840, 1080});
    ExpectViewports(placement, {{0, 0, 1920, 1080}, {1920, 0, 1920, 1080}});
}

// Which monitor shown before each monitor shown after a display change keeps its scene from,
// by the placements of the two layouts.
std::vector<std::optional<std::size_t>> KeptAcross(std::vector<Monitor> before,
                                                   std::vector<Monitor> after) {
    const ScreenRect anywhere{-10000, -10000, 10000, 10000};
    return KeptScenes(PlaceSaverWindow(Layout(anywhere, std::move(before))).monitors,
                      PlaceSaverWindow(Layout(anywhere, std::move(after))).monitors);
}

using Kept = std::vector<std::optional<std::size_t>>;
const Monitor Primary{{0, 0, 1920, 1080}, true, L"\\\\.\\DISPLAY1"};
const Monitor Left{{-1280, 0, 0, 1024}, false, L"\\\\.\\DISPLAY2"};
const Monitor Right{{1920, 0, 4480, 1440}, false, L"\\\\.\\DISPLAY3"};

TEST(saver_placement_test, each_monitor_keeps_its_scene_when_the_middle_of_three_goes) {
    // Shown as primary, left, right; the left one unplugged.
    EXPECT_EQ(KeptAcross({Primary, Left, Right}, {Primary, Right}), (Kept{0, 2}));
    // And plugged in again: a new scene for it.
    EXPECT_EQ(KeptAcross({Primary, Right}, {Primary, Left, Right}), (Kept{0, std::nullopt, 1}));
}

TEST(saver_placement_test, each_monitor_keeps_its_scene_when_the_primary_changes) {
    // The right monitor made primary: its corner becomes the desktop's origin.
    const Monitor oldPrimary{{-1920, 0, 0, 1080}, false, Primary.device};
    const Monitor newPrimary{{0, 0, 2560, 1440}, true, Right.device};
    EXPECT_EQ(KeptAcross({Primary, Right}, {oldPrimary, newPrimary}), (Kept{1, 0}));
}

TEST(saver_placement_test, each_monitor_keeps_its_scene_when_the_list_is_reordered) {
    // Shown in the order listed, the primary first: primary, left, right before; primary,
    // right, left after.
    EXPECT_EQ(KeptAcross({Primary, Left, Right}, {Right, Primary, Left}), (Kept{0, 2, 1}));
    EXPECT_EQ(KeptAcross({Left, Right, Primary}, {Primary, Right, Left}), (Kept{0, 2, 1}));
}

TEST(saver_placement_test, without_device_names_a_monitor_is_known_by_its_rectangle) {
    const Monitor primary{Primary.rect, true};
    const Monitor left{Left.rect, false};
    const Monitor right{Right.rect, false};
    EXPECT_EQ(KeptAcross({primary, left, right}, {right, primary}), (Kept{0, 2}));
    // A new resolution makes it another monitor.
    const Monitor rightResized{{1920, 0, 3840, 1080}, false};
    EXPECT_EQ(KeptAcross({primary, right}, {primary, rightResized}), (Kept{0, std::nullopt}));
    // With names, the resolution does not matter.
    EXPECT_EQ(KeptAcross({Primary, Right}, {Primary, {{1920, 0, 3840, 1080}, false, Right.device}}),
              (Kept{0, 1}));
}

TEST(saver_placement_test, the_primary_keeps_the_runs_seed_and_every_other_monitor_differs) {
    for (std::uint32_t seed : {0u, 1u, 1796749627u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(seed);
        EXPECT_EQ(MonitorSeed(seed, 0), seed);
        std::set<std::uint32_t> seeds;
        for (std::size_t index = 0; index < 16; ++index) {
            seeds.insert(MonitorSeed(seed, index));
        }
        EXPECT_EQ(seeds.size(), 16u);
    }
}

}  // namespace
}  // namespace nuvrel
