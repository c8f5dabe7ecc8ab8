#pragma once

#include <array>
#include <cstdint>

#include "renderer/scene/axis_curve.h"
#include "renderer/scene/colour.h"
#include "renderer/scene/random.h"
#include "renderer/scene/scene_parameters.h"
#include "renderer/scene/vec3.h"

namespace nuvrel {

// Frames elapsed in the current cycle, and the cycle's length in frames.
struct Cycle {
    std::int32_t step = 0;
    std::int32_t period = 0;

    bool Due() const { return step == period; }
};

// The invisible skeleton of one vortex: a wandering axis given as the control points of a
// Bezier curve, a radius at each control point, and a colour. Index 0 is the bottom of the
// axis (y = -200), AxisPointCount - 1 the top (y = +200). Every point, every radius and the
// colour run their own cycle: at its end each picks a new random target and length.
struct Funnel {
    template <typename T>
    using PerAxisPoint = std::array<T, AxisPointCount>;

    explicit Funnel(RandomGenerator& random);

    // Advances the funnel by one frame; draws nothing.
    void Update(RandomGenerator& random);

    PerAxisPoint<Vec3> targetPoints;
    PerAxisPoint<Vec3> points;
    PerAxisPoint<Vec3> startPoints;
    PerAxisPoint<float> targetRadii;
    PerAxisPoint<float> radii;
    PerAxisPoint<float> startRadii;
    HsvColour targetColour;
    HsvColour colour;
    HsvColour startColour;
    PerAxisPoint<Cycle> pointCycles;
    PerAxisPoint<Cycle> radiusCycles;
    Cycle colourCycle;
    AxisCurve axisCurve;  // through points; fitted again whenever they move

  private:
    void RetargetPoint(int i, RandomGenerator& random);
    void MovePoint(int i);
    void RetargetRadius(int i, RandomGenerator& random);
    void MoveRadius(int i);
    void RetargetColour(RandomGenerator& random);
    void BlendColour();
};

// New cycle length, (A + B) / Speed frames at most and B / Speed at least, in the truncating
// integer arithmetic that fixes its exact distribution.
std::int32_t DrawCyclePeriod(RandomGenerator& random, std::int32_t a, std::int32_t b);

// Raised-cosine easing of a control point over its cycle: 0 at the start, 1 at mid-cycle.
float SwingFraction(const Cycle& cycle);

}  // namespace nuvrel
