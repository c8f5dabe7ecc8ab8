#include "renderer/scene/literal_curve.h"

#include <cmath>

#include "renderer/scene/scene_parameters.h"

namespace nuvrel {

Vec3 LiteralAxisCurvePoint(const AxisCurve::ControlPoints& points, float s) {
    Vec3 sum;
    for (int i = 0; i <= CurveDegree; ++i) {
        const float weight = FactorialTable[CurveDegree] /
                             (FactorialTable[i] * FactorialTable[CurveDegree - i]) *
                             static_cast<float>(std::pow(s, i)) *
                             static_cast<float>(std::pow(1.0f - s, CurveDegree - i));
        sum.x += weight * points[i].x;
        sum.y += weight * points[i].y;
        sum.z += weight * points[i].z;
    }
    return sum;
}

AxisCurve::PointPair SampleLiteralAxisCurve(const Funnel& funnel, float at, float behind) {
    return {LiteralAxisCurvePoint(funnel.points, at), LiteralAxisCurvePoint(funnel.points, behind)};
}

}  // namespace nuvrel
