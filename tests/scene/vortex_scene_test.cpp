#include "renderer/scene/vortex_scene.h"

#include <gtest/gtest.h>

namespace nuvrel {
namespace {

void ExpectSameState(const VortexScene& a, const VortexScene& b) {
    ASSERT_EQ(a.random.state, b.random.state);
    ASSERT_EQ(a.view, b.view);
    for (int i = 0; i < FunnelCount; ++i) {
        for (int k = 0; k < AxisPointCount; ++k) {
            ASSERT_EQ(a.FunnelTable[i].points[k], b.FunnelTable[i].points[k]);
            ASSERT_EQ(a.FunnelTable[i].radii[k], b.FunnelTable[i].radii[k]);
        }
    }
    for (int j = 0; j < FunnelCount * ParticlesPerFunnel; ++j) {
        const Particle& p = a.ParticleTable[j];
        const Particle& q = b.ParticleTable[j];
        ASSERT_EQ(p.Position, q.Position) << j;
        ASSERT_EQ(p.CurveParam, q.CurveParam) << j;
        ASSERT_EQ(p.OrbitAngle, q.OrbitAngle) << j;
        ASSERT_EQ(p.Rgb.red, q.Rgb.red) << j;
    }
}

TEST(vortex_scene_test, draws_in_the_documented_order) {
    constexpr std::uint32_t seed = 1234567;
    const VortexScene scene(seed);

    RandomGenerator replay;
    SeedRandom(replay, seed);
    for (int i = 0; i < 10; ++i) {
        Random(replay);
    }
    EXPECT_EQ(scene.view, ViewForDraw(Random(replay)));
    for (int i = 0; i < FunnelCount; ++i) {
        const Funnel funnel(replay);
        EXPECT_EQ(scene.FunnelTable[i].points[0], funnel.points[0]) << i;
        EXPECT_EQ(scene.FunnelTable[i].targetColour.hue, funnel.targetColour.hue) << i;
        for (int j = 0; j < ParticlesPerFunnel; ++j) {
            const Particle particle(funnel, replay);
            const Particle& built = scene.ParticleTable[i * ParticlesPerFunnel + j];
            ASSERT_EQ(built.OrbitFactor, particle.OrbitFactor) << i << " " << j;
            ASSERT_EQ(built.Owner, &scene.FunnelTable[i]);
        }
    }
    EXPECT_EQ(scene.random.state, replay.state);
}

TEST(vortex_scene_test, one_start_in_about_five_hundred_looks_from_above) {
    EXPECT_EQ(ViewForDraw(0), View::Top);
    EXPECT_EQ(ViewForDraw(65), View::Top);
    EXPECT_EQ(ViewForDraw(66), View::Side);
    EXPECT_EQ(ViewForDraw(RandomMax), View::Side);
}

TEST(vortex_scene_test, same_seed_gives_the_same_scene) {
    VortexScene a(99);
    VortexScene b(99);
    ExpectSameState(a, b);
    for (int frame = 0; frame < 300; ++frame) {
        a.AdvanceFrame([](const ParticleDraw&) {});
        b.AdvanceFrame([](const ParticleDraw&) {});
    }
    ExpectSameState(a, b);
    const VortexScene other(100);
    EXPECT_NE(a.FunnelTable[0].points[0], other.FunnelTable[0].points[0]);
}

TEST(vortex_scene_test, frame_updates_each_funnel_before_its_own_particles) {
    VortexScene scene(7);
    scene.AdvanceFrame([](const ParticleDraw&) {});
    // Replaying a frame by hand, funnel then its particles, must give the same state.
    VortexScene replay(7);
    replay.AdvanceFrame([](const ParticleDraw&) {});
    int draws = 0;
    scene.AdvanceFrame([&](const ParticleDraw& draw) {
        const Particle& particle = scene.ParticleTable[draws];
        EXPECT_EQ(draw.position, particle.Position);
        ++draws;
    });
    for (int i = 0; i < FunnelCount; ++i) {
        replay.FunnelTable[i].Update(replay.random);
        for (int j = i * ParticlesPerFunnel; j < (i + 1) * ParticlesPerFunnel; ++j) {
            replay.ParticleTable[j].Advance(replay.random);
        }
    }
    EXPECT_EQ(draws, FunnelCount * ParticlesPerFunnel);
    ExpectSameState(scene, replay);
}

TEST(vortex_scene_test, particles_fade_in_with_their_funnels) {
    VortexScene scene(5);
    bool allBlack = true;
    scene.AdvanceFrame([&](const ParticleDraw& draw) {
        allBlack &= draw.rgb.red == 0 && draw.rgb.green == 0 && draw.rgb.blue == 0;
    });
    EXPECT_TRUE(allBlack);
    for (int frame = 0; frame < 2000; ++frame) {
        scene.AdvanceFrame([](const ParticleDraw&) {});
    }
    int lit = 0;
    scene.AdvanceFrame([&](const ParticleDraw& draw) {
        lit += draw.rgb.red + draw.rgb.green + draw.rgb.blue > 0.1f;
    });
    EXPECT_GT(lit, FunnelCount * ParticlesPerFunnel / 2);
}

}  // namespace
}  // namespace nuvrel
