#pragma once

#include <array>

#include "renderer/scene/scene_parameters.h"
#include "renderer/scene/vec3.h"

namespace nuvrel {

// A funnel's axis: the Bezier curve of degree CurveDegree over its control points, through
// the first point at parameter 0 and the last at 1. A slightly negative parameter extends
// the curve below its first point.
//
// Particles sample it twice a frame each, so it keeps the control points pre-multiplied by
// their Bernstein coefficients, x, y and z side by side, and samples two parameters at once.
class AxisCurve {
  public:
    using ControlPoints = std::array<Vec3, AxisPointCount>;

    // Call whenever the control points have moved.
    void Fit(const ControlPoints& points);

    struct PointPair {
        Vec3 first;
        Vec3 second;
    };
    PointPair PointsAt(float first, float second) const;

    Vec3 PointAt(float s) const { return PointsAt(s, s).first; }

  private:
    std::array<std::array<float, 4>, AxisPointCount> scaledPoints_{};
};

}  // namespace nuvrel
