#include "renderer/scene/axis_curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "renderer/scene/literal_curve.h"

namespace nuvrel {
namespace {

float Length(const Vec3& v) {
    return std::sqrt(Dot(v, v));
}

TEST(axis_curve_test, follows_its_funnel_control_points) {
    RandomGenerator generator;
    Funnel funnel(generator);
    for (int frame = 0; frame < 500; ++frame) {
        funnel.Update(generator);
    }
    EXPECT_EQ(funnel.axisCurve.PointAt(0.0f), funnel.points[0]);
    AxisCurve refitted;
    refitted.Fit(funnel.points);
    EXPECT_EQ(refitted.PointAt(0.37f), funnel.axisCurve.PointAt(0.37f));
}

TEST(axis_curve_test, ends_on_the_first_and_last_control_points) {
    RandomGenerator generator;
    Funnel funnel(generator);
    funnel.Update(generator);
    EXPECT_EQ(funnel.axisCurve.PointAt(0.0f), funnel.points[0]);
    const Vec3 top = funnel.axisCurve.PointAt(1.0f);
    EXPECT_EQ(top, funnel.points[AxisPointCount - 1]);
}

TEST(axis_curve_test, agrees_with_the_literal_formula) {
    RandomGenerator generator;
    SeedRandom(generator, 424242);
    for (int f = 0; f < 20; ++f) {
        Funnel funnel(generator);
        for (int frame = 0; frame < 97 * f; ++frame) {
            funnel.Update(generator);
        }
        float scale = 0.0f;
        for (const Vec3& p : funnel.points) {
            scale = std::max(scale, Length(p));
        }
        for (int k = -100; k <= 1000; ++k) {
            const float s = k < 0 ? k * 1e-4f : k / 1000.0f;
            const Vec3 shipped = funnel.axisCurve.PointAt(s);
            const Vec3 literal = LiteralAxisCurvePoint(funnel.points, s);
            ASSERT_LE(Length(shipped - literal), 1e-4f * std::max(Length(literal), 1.0f))
                << "s = " << s << ", curve scale " << scale;
        }
        // Both points of a pair are the same as when sampled alone.
        const AxisCurve::PointPair pair = funnel.axisCurve.PointsAt(1.0f, -0.01f);
        ASSERT_EQ(pair.first, funnel.axisCurve.PointAt(1.0f));
        ASSERT_EQ(pair.second, funnel.axisCurve.PointAt(-0.01f));
        ASSERT_LE(Length(pair.second - LiteralAxisCurvePoint(funnel.points, -0.01f)),
                  1e-4f * Length(pair.second));
    }
}

}  // namespace
}  // namespace nuvrel
