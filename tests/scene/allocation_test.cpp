// Counts every heap allocation of the process, so that a test can require none.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "renderer/scene/vortex_scene.h"

namespace {

long allocations = 0;
long allocationsLeft = -1;  // fail once this reaches zero; negative means never

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (allocationsLeft == 0) {
        throw std::bad_alloc();
    }
    if (allocationsLeft > 0) {
        --allocationsLeft;
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace nuvrel {
namespace {

TEST(allocation_test, frames_allocate_nothing) {
    VortexScene scene(1);
    float sink = 0.0f;
    const long before = allocations;
    for (int frame = 0; frame < 1000; ++frame) {
        scene.AdvanceFrame([&sink](const ParticleDraw& draw) { sink += draw.orbitRadius; });
    }
    EXPECT_EQ(allocations, before);
    EXPECT_GT(sink, 0.0f);
}

TEST(allocation_test, scene_that_cannot_be_allocated_is_refused_whole) {
    // The scene object, its funnel table and its particle table: each may be the one to fail.
    for (long left = 0; left < 3; ++left) {
        allocationsLeft = left;
        const auto scene = TryBuildVortexScene(1);
        allocationsLeft = -1;
        EXPECT_EQ(scene, nullptr) << left;
    }
    EXPECT_NE(TryBuildVortexScene(1), nullptr);
}

}  // namespace
}  // namespace nuvrel
