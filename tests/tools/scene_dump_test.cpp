#include "tools/sim/scene_dump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace nuvrel {
namespace {

int Count(const std::string& text, const std::string& word) {
    int count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        ++count;
    }
    return count;
}

TEST(scene_dump_test, holds_every_funnel_and_particle) {
    VortexScene scene(1);
    scene.AdvanceFrame([](const ParticleDraw&) {});
    const std::string json = SceneDumpJson(scene, 1, 1);
    const std::string head =
        "{\"seed\":1,\"frames\":1,\"random_state\":" + std::to_string(scene.random.state) +
        ",\"view\":\"side\",";
    EXPECT_EQ(json.compare(0, head.size(), head), 0) << json.substr(0, 120);
    EXPECT_EQ(Count(json, "\"points\":"), FunnelCount);
    EXPECT_EQ(Count(json, "\"radii\":"), FunnelCount);
    EXPECT_EQ(Count(json, "\"curve_param\":"), FunnelCount * ParticlesPerFunnel);
    EXPECT_EQ(json.back(), '\n');
    EXPECT_EQ(Count(json, "\n"), 1);
}

TEST(scene_dump_test, floats_read_back_to_the_same_value) {
    VortexScene scene(3);
    for (int frame = 0; frame < 50; ++frame) {
        scene.AdvanceFrame([](const ParticleDraw&) {});
    }
    const std::string json = SceneDumpJson(scene, 3, 50);
    const std::string key = "\"curve_param\":";
    auto at = json.find(key);
    for (const Particle& particle : scene.ParticleTable) {
        ASSERT_NE(at, std::string::npos);
        const float read = std::strtof(json.c_str() + at + key.size(), nullptr);
        ASSERT_EQ(read, particle.CurveParam);
        at = json.find(key, at + 1);
    }
}

}  // namespace
}  // namespace nuvrel
