// The scenes follow the monitors when they change: what a display change does to them.

#include <gtest/gtest.h>

#include "renderer/windows/gl_scene.h"
#include "renderer/windows/saver_placement.h"

namespace nuvrel {
namespace {

constexpr std::uint32_t Seed = 1999;

// Monitors side by side, each known by its device name.
SaverPlacement Placement(std::size_t count) {
    SaverPlacement placement;
    for (std::size_t i = 0; i < count; ++i) {
        const int left = static_cast<int>(i) * 100;
        placement.viewports.push_back({left, 0, 100, 80});
        placement.monitors.push_back(
            {L"\\\\.\\DISPLAY" + std::to_wstring(i + 1), {left, 0, left + 100, 80}});
    }
    return placement;
}

TEST(monitor_scenes_test, each_monitor_gets_a_scene_of_its_own_seed) {
    std::vector<MonitorScene> scenes;
    SceneSeeds seeds{Seed};
    PlaceScenes(scenes, Placement(3), seeds);
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
    SceneSeeds seeds{Seed};
    PlaceScenes(scenes, Placement(2), seeds);
    const VortexScene* primary = scenes[0].scene.get();
    scenes[0].scene->AdvanceFrame([](const ParticleDraw&) {});
    const std::uint32_t running = scenes[0].scene->random.state;

    // A monitor plugged in, and the primary moved by a new resolution.
    SaverPlacement placement = Placement(3);
    placement.viewports[0] = {0, 100, 1280, 720};
    PlaceScenes(scenes, placement, seeds);
    ASSERT_EQ(scenes.size(), 3u);
    EXPECT_EQ(scenes[0].scene.get(), primary);
    EXPECT_EQ(scenes[0].scene->random.state, running) << "the primary's vortex went on";
    EXPECT_EQ(scenes[0].viewport.width, 1280);
    EXPECT_EQ(scenes[2].scene->random.state, VortexScene(MonitorSeed(Seed, 2)).random.state);

    // Two monitors unplugged.
    PlaceScenes(scenes, Placement(1), seeds);
    ASSERT_EQ(scenes.size(), 1u);
    EXPECT_EQ(scenes[0].scene.get(), primary);
}

TEST(monitor_scenes_test, a_monitor_unplugged_takes_its_scene_along_and_leaves_the_others) {
    std::vector<MonitorScene> scenes;
    SceneSeeds seeds{Seed};
    PlaceScenes(scenes, Placement(3), seeds);
    const VortexScene* right = scenes[2].scene.get();

    SaverPlacement placement = Placement(3);
    placement.viewports.erase(placement.viewports.begin() + 1);
    placement.monitors.erase(placement.monitors.begin() + 1);
    PlaceScenes(scenes, placement, seeds);
    ASSERT_EQ(scenes.size(), 2u);
    EXPECT_EQ(scenes[1].scene.get(), right);
    EXPECT_EQ(scenes[1].viewport.x, 200);

    // Plugged in again: a scene of a seed that none before had.
    PlaceScenes(scenes, Placement(3), seeds);
    ASSERT_EQ(scenes.size(), 3u);
    EXPECT_EQ(scenes[2].scene.get(), right);
    EXPECT_EQ(scenes[1].scene->random.state, VortexScene(MonitorSeed(Seed, 3)).random.state);
}

}  // namespace
}  // namespace nuvrel
