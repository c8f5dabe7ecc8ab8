#include <gtest/gtest.h>

#include "renderer/scene/vortex_scene.h"
#include "tests/support/allocation_counter.h"

namespace nuvrel {
namespace {

using testing::AllocationCount;
using testing::FailAllocationsAfter;

TEST(allocation_test, frames_allocate_nothing) {
    VortexScene scene(1);
    float sink = 0.0f;
    const long before = AllocationCount();
    for (int frame = 0; frame < 1000; ++frame) {
        scene.AdvanceFrame([&sink](const ParticleDraw& draw) { sink += draw.orbitRadius; });
    }
    EXPECT_EQ(AllocationCount(), before);
    EXPECT_GT(sink, 0.0f);
}

TEST(allocation_test, scene_that_cannot_be_allocated_is_refused_whole) {
    // The scene object, its funnel table and its particle table: each may be the one to fail.
    for (long left = 0; left < 3; ++left) {
        FailAllocationsAfter(left);
        const auto scene = TryBuildVortexScene(1);
        FailAllocationsAfter(-1);
        EXPECT_EQ(scene, nullptr) << left;
    }
    EXPECT_NE(TryBuildVortexScene(1), nullptr);
}

}  // namespace
}  // namespace nuvrel
