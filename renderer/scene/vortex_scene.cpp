#include "renderer/scene/vortex_scene.h"

#include <new>

namespace nuvrel {

VortexScene::VortexScene(std::uint32_t seed) {
    SeedRandom(random, seed);
    for (int i = 0; i < DiscardedDraws; ++i) {
        Random(random);
    }
    view = ViewForDraw(Random(random));

    FunnelTable.reserve(FunnelCount);
    ParticleTable.reserve(FunnelCount * ParticlesPerFunnel);
    for (int i = 0; i < FunnelCount; ++i) {
        const Funnel& funnel = FunnelTable.emplace_back(random);
        for (int j = 0; j < ParticlesPerFunnel; ++j) {
            ParticleTable.emplace_back(funnel, random);
        }
    }
}

std::unique_ptr<VortexScene> TryBuildVortexScene(std::uint32_t seed) noexcept {
    try {
        return std::make_unique<VortexScene>(seed);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace nuvrel
