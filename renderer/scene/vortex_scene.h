#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/scene/funnel.h"
#include "renderer/scene/particle.h"
#include "renderer/scene/random.h"
#include "renderer/scene/scene_parameters.h"

namespace nuvrel {

enum class View { Side, Top };

// Numbers drawn and thrown away after seeding, before anything is built.
constexpr int DiscardedDraws = 10;

// About one start in 500 looks down the vortex axis from above.
constexpr View ViewForDraw(int draw) {
    return draw * 500 / RandomMax == 0 ? View::Top : View::Side;
}

// The whole animated scene: funnels and their particles, all drawing from one generator in
// a fixed order, so that a seed always gives the same scene. Particles point at their
// funnels, so the scene is neither copied nor moved.
class VortexScene {
  public:
    // Draws the view, then each funnel followed at once by its particles.
    explicit VortexScene(std::uint32_t seed);
    VortexScene(const VortexScene&) = delete;
    VortexScene& operator=(const VortexScene&) = delete;

    // One frame: each funnel advances, then its particles advance and are handed to draw.
    template <typename DrawParticle>
    void AdvanceFrame(DrawParticle&& draw);

    RandomGenerator random;
    View view = View::Side;
    std::vector<Funnel> FunnelTable;      // FunnelCount entries, never resized
    std::vector<Particle> ParticleTable;  // entry j belongs to funnel j / ParticlesPerFunnel
};

// The scene for a seed, or none when its memory cannot be had.
std::unique_ptr<VortexScene> TryBuildVortexScene(std::uint32_t seed) noexcept;

template <typename DrawParticle>
void VortexScene::AdvanceFrame(DrawParticle&& draw) {
    auto particle = ParticleTable.begin();
    for (Funnel& funnel : FunnelTable) {
        funnel.Update(random);
        for (int j = 0; j < ParticlesPerFunnel; ++j, ++particle) {
            draw(particle->Advance(random));
        }
    }
}

}  // namespace nuvrel
