#pragma once

#include "renderer/scene/axis_curve.h"
#include "renderer/scene/colour.h"
#include "renderer/scene/funnel.h"
#include "renderer/scene/random.h"
#include "renderer/scene/vec3.h"

namespace nuvrel {

// What one step of a particle draws: its shape at Position, turned by tiltAngle degrees
// about tiltAxis so that its orbit plane stands square to the axis curve, then turned by
// orbitAngle about its own y axis and moved orbitRadius out along its x axis.
struct ParticleDraw {
    RgbColour rgb;
    Vec3 position;
    Vec3 tiltAxis;
    float tiltAngle = 0.0f;
    float orbitAngle = 0.0f;
    float orbitRadius = 0.0f;
};

// The points of a funnel's axis curve at a particle's place and just behind it.
using AxisCurveSampler = AxisCurve::PointPair (*)(const Funnel& funnel, float at, float behind);

inline AxisCurve::PointPair SampleAxisCurve(const Funnel& funnel, float at, float behind) {
    return funnel.axisCurve.PointsAt(at, behind);
}

// One particle riding up its funnel's axis curve while circling it at a fixed share of the
// funnel's radius; past the top it starts again at the bottom in the funnel's colour of the
// moment. It turns and rises faster where the funnel is narrow.
class Particle {
  public:
    Particle(const Funnel& owner, RandomGenerator& random);

    // Starts a new pass at the bottom of the funnel.
    void Reset(RandomGenerator& random);

    // Advances the particle by one frame and returns what this frame draws: the position
    // and tilt from before the advance, the orbit from after it.
    ParticleDraw Advance(RandomGenerator& random, AxisCurveSampler sample = SampleAxisCurve);

    RgbColour Rgb;
    Vec3 Position;
    float OrbitFactor = 0.0f;  // share of the funnel's radius at which it circles
    float CurveParam = 0.0f;   // 0 at the bottom of the axis curve, 1 at its top
    float OrbitAngle = 0.0f;   // degrees
    const Funnel* Owner;
};

// The orbit factor (0.2..1.0) and start angle (0..360 degrees) that a draw gives.
float OrbitFactorFor(int draw);
float OrbitAngleFor(int draw);

// The funnel's radius at a place on the axis curve, between its two nearest control points.
float RadiusAt(const Funnel& funnel, float curveParam);

}  // namespace nuvrel
