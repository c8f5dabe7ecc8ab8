#pragma once

#include "renderer/scene/axis_curve.h"
#include "renderer/scene/funnel.h"
#include "renderer/scene/vec3.h"

namespace nuvrel {

// The axis curve point exactly as first written: each Bernstein coefficient from the
// factorial table and both powers from the general power function. Kept beside the shipped
// AxisCurve as the reference that tests and benchmarks compare it with.
Vec3 LiteralAxisCurvePoint(const AxisCurve::ControlPoints& points, float s);

// A particle's curve sampler that uses the literal formula.
AxisCurve::PointPair SampleLiteralAxisCurve(const Funnel& funnel, float at, float behind);

}  // namespace nuvrel
