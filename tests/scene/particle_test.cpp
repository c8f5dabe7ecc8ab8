#include "renderer/scene/particle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/scene/random_control.h"

namespace nuvrel {
namespace {

Funnel MakeFunnel(RandomGenerator& generator, int updates) {
    Funnel funnel(generator);
    for (int i = 0; i < updates; ++i) {
        funnel.Update(generator);
    }
    return funnel;
}

// Rotates v by angle degrees about a unit axis (right-handed, as glRotatef).
Vec3 Rotate(const Vec3& v, const Vec3& axis, float degrees) {
    const double a = degrees * 3.14159265358979 / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const Vec3 k = axis;
    const Vec3 kxv = Cross(k, v);
    const double kdotv = Dot(k, v);
    return {static_cast<float>(v.x * c + kxv.x * s + k.x * kdotv * (1 - c)),
            static_cast<float>(v.y * c + kxv.y * s + k.y * kdotv * (1 - c)),
            static_cast<float>(v.z * c + kxv.z * s + k.z * kdotv * (1 - c))};
}

TEST(particle_test, reset_values_stay_in_range_for_every_draw) {
    for (int draw = 0; draw <= RandomMax; ++draw) {
        ASSERT_GE(OrbitFactorFor(draw), 0.2f) << draw;
        ASSERT_LE(OrbitFactorFor(draw), 1.0f) << draw;
        ASSERT_GE(OrbitAngleFor(draw), 0.0f) << draw;
        ASSERT_LE(OrbitAngleFor(draw), 360.0f) << draw;
    }
    EXPECT_EQ(OrbitFactorFor(0), 0.2f);
    EXPECT_FLOAT_EQ(OrbitAngleFor(RandomMax), 360.0f);
}

TEST(particle_test, reset_draws_factor_then_angle_and_takes_the_funnel_colour) {
    RandomGenerator generator;
    Funnel funnel = MakeFunnel(generator, 400);
    funnel.colour = {0.5f, 1.0f, 0.8f};
    Particle particle(funnel, generator);
    particle.CurveParam = 0.7f;
    testing::SeedSoNextDrawIs(generator, RandomMax);
    RandomGenerator replay = generator;
    Random(replay);
    const int angleDraw = Random(replay);
    particle.Reset(generator);
    EXPECT_EQ(particle.CurveParam, 0.0f);
    EXPECT_FLOAT_EQ(particle.OrbitFactor, 1.0f);
    EXPECT_EQ(particle.OrbitAngle, OrbitAngleFor(angleDraw));
    EXPECT_EQ(generator.state, replay.state);
    EXPECT_FLOAT_EQ(particle.Rgb.red, 0.0f);
    EXPECT_FLOAT_EQ(particle.Rgb.green, 0.8f);
    EXPECT_FLOAT_EQ(particle.Rgb.blue, 0.8f);
}

TEST(particle_test, new_pass_starts_at_the_bottom_point_heading_along_the_curve) {
    RandomGenerator generator;
    Funnel funnel = MakeFunnel(generator, 1);
    Particle particle(funnel, generator);
    const ParticleDraw draw = particle.Advance(generator);
    EXPECT_EQ(draw.position, funnel.points[0]);

    // Behind lies on the curve's extension below its first point.
    const Vec3 behind = funnel.axisCurve.PointAt(-0.01f);
    const Vec3 firstLeg = funnel.points[1] - funnel.points[0];
    const Vec3 expected = {funnel.points[0].x - 0.12f * firstLeg.x,
                           funnel.points[0].y - 0.12f * firstLeg.y,
                           funnel.points[0].z - 0.12f * firstLeg.z};
    const float legLength = std::sqrt(Dot(firstLeg, firstLeg));
    EXPECT_NEAR(behind.x, expected.x, 0.01f * legLength + 1.0f);
    EXPECT_NEAR(behind.y, expected.y, 0.01f * legLength + 1.0f);
    EXPECT_NEAR(behind.z, expected.z, 0.01f * legLength + 1.0f);
}

TEST(particle_test, tilt_turns_the_shape_up_axis_onto_the_direction_of_travel) {
    RandomGenerator generator;
    Funnel funnel = MakeFunnel(generator, 50);
    Particle particle(funnel, generator);
    for (int frame = 0; frame < 200; ++frame) {
        const float s = particle.CurveParam > 1.0f ? 0.0f : particle.CurveParam;
        Vec3 direction = funnel.axisCurve.PointAt(s) - funnel.axisCurve.PointAt(s - 0.01f);
        Normalize(direction);
        const ParticleDraw draw = particle.Advance(generator);
        Vec3 axis = draw.tiltAxis;
        Normalize(axis);
        const Vec3 turnedUp = Rotate({0, 1, 0}, axis, draw.tiltAngle);
        ASSERT_NEAR(turnedUp.x, direction.x, 1e-3f) << frame;
        ASSERT_NEAR(turnedUp.y, direction.y, 1e-3f) << frame;
        ASSERT_NEAR(turnedUp.z, direction.z, 1e-3f) << frame;
    }
}

TEST(particle_test, vertical_axis_draws_without_tilt) {
    RandomGenerator generator;
    Funnel funnel = MakeFunnel(generator, 1);
    for (int i = 0; i < AxisPointCount; ++i) {
        funnel.points[i] = {10.0f, -200.0f + 400.0f * i / (AxisPointCount - 1), 10.0f};
    }
    funnel.axisCurve.Fit(funnel.points);
    Particle particle(funnel, generator);
    particle.CurveParam = 0.5f;
    const ParticleDraw draw = particle.Advance(generator);
    EXPECT_EQ(draw.tiltAngle, 0.0f);
    EXPECT_EQ(draw.tiltAxis, (Vec3{0, 1, 0}));
}

TEST(particle_test, curve_param_of_exactly_one_uses_the_top_radius_without_reset) {
    RandomGenerator generator;
    Funnel funnel = MakeFunnel(generator, 10);
    EXPECT_EQ(RadiusAt(funnel, 1.0f), funnel.radii[AxisPointCount - 1]);
    EXPECT_EQ(RadiusAt(funnel, 0.0f), funnel.radii[0]);
    EXPECT_NEAR(RadiusAt(funnel, 0.5f / CurveDegree), (funnel.radii[0] + funnel.radii[1]) / 2,
                1e-4f);

    Particle particle(funnel, generator);
    particle.CurveParam = 1.0f;
    const float factor = particle.OrbitFactor;
    const ParticleDraw draw = particle.Advance(generator);
    EXPECT_EQ(draw.position, funnel.points[AxisPointCount - 1]);
    EXPECT_FLOAT_EQ(draw.orbitRadius, funnel.radii[AxisPointCount - 1] * factor);
    EXPECT_GT(particle.CurveParam, 1.0f);
}

TEST(particle_test, orbit_step_times_orbit_radius_is_constant) {
    RandomGenerator generator;
    Funnel funnel = MakeFunnel(generator, 100);
    Particle particle(funnel, generator);
    for (int frame = 0; frame < 100; ++frame) {
        const float angleBefore = particle.OrbitAngle;
        const float curveBefore = particle.CurveParam;
        const ParticleDraw draw = particle.Advance(generator);
        if (curveBefore > 1.0f) {
            continue;
        }
        EXPECT_NEAR((draw.orbitAngle - angleBefore) * draw.orbitRadius, Speed * 40.0f, 1e-2f);
    }
}

TEST(particle_test, pass_runs_bottom_to_top_then_restarts_in_the_funnel_colour_of_the_moment) {
    RandomGenerator generator;
    Funnel funnel = MakeFunnel(generator, 1);
    Particle particle(funnel, generator);
    const RgbColour firstColour = particle.Rgb;
    EXPECT_EQ(firstColour.red + firstColour.green + firstColour.blue, 0.0f);

    int frames = 0;
    float previous = -1.0f;
    while (particle.CurveParam <= 1.0f) {
        funnel.Update(generator);
        particle.Advance(generator);
        ASSERT_GT(particle.CurveParam, previous);
        previous = particle.CurveParam;
        ASSERT_EQ(particle.Rgb.red, firstColour.red) << "colour changes only at a reset";
        ASSERT_LT(++frames, 100000);
    }
    EXPECT_GT(frames, 10);

    funnel.colour = {0.0f, 1.0f, 1.0f};
    const ParticleDraw draw = particle.Advance(generator);
    EXPECT_LT(particle.CurveParam, 0.1f);
    EXPECT_EQ(draw.position, funnel.points[0]);
    EXPECT_EQ(draw.rgb.red, 1.0f);
    EXPECT_EQ(draw.rgb.green, 0.0f);
}

TEST(particle_test, normalize_leaves_a_zero_vector_alone) {
    Vec3 zero;
    EXPECT_EQ(Normalize(zero), 0.0f);
    EXPECT_EQ(zero, Vec3{});
    Vec3 v{3, 0, 4};
    EXPECT_EQ(Normalize(v), 5.0f);
    EXPECT_EQ(v, (Vec3{0.6f, 0, 0.8f}));
    EXPECT_EQ(Cross({1, 0, 0}, {0, 1, 0}), (Vec3{0, 0, 1}));
    EXPECT_EQ(Dot({1, 2, 3}, {4, 5, 6}), 32.0f);
}

}  // namespace
}  // namespace nuvrel
