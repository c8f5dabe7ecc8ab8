// The scenes follow the monitors when they change: what a display change does to them.

#include <gtest/gtest.h>

#include "renderer/windows/gl_scene.h"
#include "renderer/windows/saver_placement.h"

namespace nuvrel {
namespace {

constexpr std::uint32_t Seed = 1999;

std::vector<ViewportRect> Viewports(std::size_t count) {
    std::vector<ViewportRect> viewports;
    for (std::size_t i = 0; i < count; ++i) {
        viewports.push_back({static_cast<int>(i) * 100, 0, 100, 80});
    }
    return viewports;
}

TEST(monitor_scenes_test, each_monitor_gets_a_scene_of_its_own_seed) {
    std::vector<MonitorScene> scenes;
    PlaceScenes(scenes, Viewports(3), Seed);
    ASSERT_EQ(scenes.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        ASSERT_NE(scenes[i].scene, nullptr);
        EXPECT_EQ(scenes[i].viewport.x, static_cast<int>(i) * 100);
        const VortexScene fresh(MonitorSeed(Seed, i));
        EXPECT_EQ(scenes[i].scene->random.state, fresh.random.state) << "monitor " << i;
    }
}

TEST(monitor_scenes_test, a_display_change_keeps_the_running_scenes_and_places_them_again) {
    std::vector<MonitorScene> scenes;
    PlaceScenes(scenes, Viewports(2), Seed);
    const VortexScene* primary = scenes[0].scene.get();
    scenes[0].scene->AdvanceFrame([](const ParticleDraw&) {});
    const std::uint32_t running = scenes[0].scene->random.state;

    // A monitor plugged in, and the primary moved by a new resolution.
    std::vector<ViewportRect> viewports = Viewports(3);
    viewports[0] = {0, 100, 1280, 720};
    PlaceScenes(scenes, viewports, Seed);
    ASSERT_EQ(scenes.size(), 3u);
    EXPECT_EQ(scenes[0].scene.get(), primary);
    EXPECT_EQ(scenes[0].scene->random.state, running) << "the primary's vortex went on";
    EXPECT_EQ(scenes[0].viewport.width, 1280);
    EXPECT_EQ(scenes[2].scene->random.state, VortexScene(MonitorSeed(Seed, 2)).random.state);

    // Two monitors unplugged.
    PlaceScenes(scenes, Viewports(1), Seed);
    ASSERT_EQ(scenes.size(), 1u);
    EXPECT_EQ(scenes[0].scene.get(), primary);
}

}  // namespace
}  // namespace nuvrel
