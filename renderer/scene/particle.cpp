#include "renderer/scene/particle.h"

#include <algorithm>
#include <cmath>

#include "renderer/scene/scene_parameters.h"

namespace nuvrel {

namespace {

// How far behind the particle the curve is sampled to find its direction of travel.
constexpr float DirectionLookBehind = 0.01f;
constexpr float DegreesPerRadianNegated = -57.2957764f;

}  // namespace

float OrbitFactorFor(int draw) {
    return 0.2f + static_cast<float>(draw) * (0.8f / RandomMax);
}

float OrbitAngleFor(int draw) {
    return static_cast<float>(draw) * (360.0f / RandomMax);
}

float RadiusAt(const Funnel& funnel, float curveParam) {
    int k = static_cast<int>(CurveDegree * curveParam);
    if (k >= CurveDegree) {
        k = CurveDegree - 1;
    }
    // N * (curveParam - k / N), with k / N never rounded: exactly 1 at the top.
    const float u = CurveDegree * curveParam - static_cast<float>(k);
    return (1.0f - u) * funnel.radii[k] + u * funnel.radii[k + 1];
}

Particle::Particle(const Funnel& owner, RandomGenerator& random) : Owner(&owner) {
    Reset(random);
}

void Particle::Reset(RandomGenerator& random) {
    CurveParam = 0.0f;
    OrbitFactor = OrbitFactorFor(Random(random));
    OrbitAngle = OrbitAngleFor(Random(random));
    Rgb = HsvToRgb(Owner->colour);
}

ParticleDraw Particle::Advance(RandomGenerator& random, AxisCurveSampler sample) {
    if (CurveParam > 1.0f) {
        Reset(random);
    }
    const AxisCurve::PointPair onCurve =
        sample(*Owner, CurveParam, CurveParam - DirectionLookBehind);
    Position = onCurve.first;
    Vec3 direction = Position - onCurve.second;
    Normalize(direction);

    // Rotating about direction x up turns the shape's +y axis onto the direction. Along the
    // y axis that cross product vanishes and the shape is drawn untilted.
    constexpr Vec3 up{0.0f, 1.0f, 0.0f};
    ParticleDraw draw;
    draw.tiltAxis = Cross(direction, up);
    if (draw.tiltAxis.x != 0.0f || draw.tiltAxis.z != 0.0f) {
        const float cosine = std::clamp(Dot(direction, up), -1.0f, 1.0f);
        draw.tiltAngle = std::acos(cosine) * DegreesPerRadianNegated;
    } else {
        draw.tiltAxis = up;
    }

    const float radius = RadiusAt(*Owner, CurveParam);
    CurveParam += Speed * 0.005f / (OrbitFactor * OrbitFactor * radius);
    OrbitAngle += Speed * 40.0f / (radius * OrbitFactor);

    draw.rgb = Rgb;
    draw.position = Position;
    draw.orbitAngle = OrbitAngle;
    draw.orbitRadius = radius * OrbitFactor;
    return draw;
}

}  // namespace nuvrel
