#include "renderer/scene/vortex_scene.h"

#include <gtest/gtest.h>

#include <vector>

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

// What one particle's step left behind: its draw and the generator right after it.
struct StepRecord {
    ParticleDraw draw;
    std::uint32_t randomState = 0;
};

bool SameDraw(const ParticleDraw& a, const ParticleDraw& b) {
    return a.rgb.red == b.rgb.red && a.rgb.green == b.rgb.green && a.rgb.blue == b.rgb.blue &&
           a.position == b.position && a.tiltAxis == b.tiltAxis && a.tiltAngle == b.tiltAngle &&
           a.orbitAngle == b.orbitAngle && a.orbitRadius == b.orbitRadius;
}

TEST(vortex_scene_test, each_funnel_updates_right_before_its_own_particles) {
    constexpr std::uint32_t seed = 7;
    constexpr int Frames = 600;
    VortexScene scene(seed);
    VortexScene replay(seed);
    std::vector<StepRecord> expected(FunnelCount * ParticlesPerFunnel);
    // Frames in which a particle starts a new pass, drawing numbers, while a later funnel
    // also draws: there, updating every funnel first would hand the particles other numbers.
    int telling = 0;

    for (int frame = 1; frame <= Frames; ++frame) {
        bool restarted = false;
        bool laterFunnelDrew = false;
        for (int i = 0; i < FunnelCount; ++i) {
            const std::uint32_t beforeFunnel = replay.random.state;
            replay.FunnelTable[i].Update(replay.random);
            laterFunnelDrew |= restarted && replay.random.state != beforeFunnel;
            for (int j = i * ParticlesPerFunnel; j < (i + 1) * ParticlesPerFunnel; ++j) {
                const std::uint32_t beforeParticle = replay.random.state;
                expected[j].draw = replay.ParticleTable[j].Advance(replay.random);
                expected[j].randomState = replay.random.state;
                restarted |= replay.random.state != beforeParticle;
            }
        }
        telling += restarted && laterFunnelDrew;

        int j = 0;
        scene.AdvanceFrame([&](const ParticleDraw& draw) {
            if (::testing::Test::HasFatalFailure()) {
                return;  // one report per frame
            }
            ASSERT_LT(j, FunnelCount * ParticlesPerFunnel);
            ASSERT_EQ(scene.random.state, expected[j].randomState)
                << "frame " << frame << ", particle " << j;
            ASSERT_TRUE(SameDraw(draw, expected[j].draw))
                << "frame " << frame << ", particle " << j;
            ++j;
        });
        ASSERT_EQ(j, FunnelCount * ParticlesPerFunnel) << "frame " << frame;
        ASSERT_FALSE(::testing::Test::HasFatalFailure()) << "frame " << frame;
    }
    ExpectSameState(scene, replay);
    EXPECT_GE(telling, 5);
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
