// Real frames on an OpenGL window allocate nothing.

#include <gtest/gtest.h>

#include "renderer/windows/gl_scene.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/scene_window.h"

namespace nuvrel {
namespace {

TEST(frame_allocation_test, a_thousand_frames_allocate_nothing) {
    testing::SceneWindow window(320, 240);
    ASSERT_NE(window.Handle(), nullptr);
    GlScene gl;
    SetUpScene(gl, window.Handle());
    ASSERT_TRUE(gl.Ready());
    DrawFrame(gl);
    const long before = testing::AllocationCount();
    for (int frame = 0; frame < 1000; ++frame) {
        DrawFrame(gl);
    }
    EXPECT_EQ(testing::AllocationCount(), before);
    TearDownScene(gl, window.Handle());
}

TEST(frame_allocation_test, frames_of_three_monitors_allocate_nothing) {
    testing::SceneWindow window(480, 240);
    ASSERT_NE(window.Handle(), nullptr);
    SaverPlacement placement;
    placement.viewports = {{0, 0, 160, 240}, {160, 40, 160, 120}, {320, 0, 160, 200}};
    placement.monitors.resize(placement.viewports.size());
    std::vector<MonitorScene> scenes;
    SceneSeeds seeds{7};
    PlaceScenes(scenes, placement, seeds);
    ASSERT_EQ(scenes.size(), 3u);
    GlScene gl;
    SetUpScene(gl, window.Handle(), std::move(scenes));
    ASSERT_TRUE(gl.Ready());
    DrawFrame(gl);
    const long before = testing::AllocationCount();
    for (int frame = 0; frame < 300; ++frame) {
        DrawFrame(gl);
    }
    EXPECT_EQ(testing::AllocationCount(), before);
    TearDownScene(gl, window.Handle());
}

}  // namespace
}  // namespace nuvrel
