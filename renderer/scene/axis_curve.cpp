#include "renderer/scene/axis_curve.h"

#include <cstring>

namespace nuvrel {

namespace {

// Four floats in one SSE register (GCC's vector extension). Arithmetic on it is IEEE single
// precision lane by lane, so the results are the same bits on every target.
typedef float Float4 __attribute__((vector_size(16)));

constexpr int TermCount = CurveDegree + 1;

// N! / (i! (N - i)!), from the factorial table; every entry is an exact integer in float.
constexpr std::array<float, TermCount> BernsteinCoefficients() {
    std::array<float, TermCount> coefficients{};
    for (int i = 0; i < TermCount; ++i) {
        coefficients[i] =
            FactorialTable[CurveDegree] / (FactorialTable[i] * FactorialTable[CurveDegree - i]);
    }
    return coefficients;
}

constexpr std::array<float, TermCount> Coefficients = BernsteinCoefficients();

Float4 Load(const std::array<float, 4>& lanes) {
    Float4 v;
    std::memcpy(&v, lanes.data(), sizeof v);
    return v;
}

}  // namespace

void AxisCurve::Fit(const ControlPoints& points) {
    for (int i = 0; i < TermCount; ++i) {
        const float c = Coefficients[i];
        scaledPoints_[i] = {c * points[i].x, c * points[i].y, c * points[i].z, 0.0f};
    }
}

// Sum over i of s^i (1 - s)^(N - i) times the scaled point i, with powers by running
// products rather than a general power function; lane 0 carries the first parameter and
// lane 1 the second.
AxisCurve::PointPair AxisCurve::PointsAt(float first, float second) const {
    const Float4 one = {1.0f, 1.0f, 1.0f, 1.0f};
    const Float4 s = {first, second, first, second};
    const Float4 t = one - s;
    std::array<Float4, TermCount> powersOfT;
    powersOfT[0] = one;
#pragma GCC unroll 16
    for (int i = 1; i < TermCount; ++i) {
        powersOfT[i] = powersOfT[i - 1] * t;
    }
    Float4 sumFirst = {};
    Float4 sumSecond = {};
    Float4 powerOfS = one;
#pragma GCC unroll 16
    for (int i = 0; i < TermCount; ++i) {
        const Float4 weight = powerOfS * powersOfT[CurveDegree - i];
        const Float4 point = Load(scaledPoints_[i]);
        sumFirst += weight[0] * point;
        sumSecond += weight[1] * point;
        powerOfS *= s;
    }
    return {{sumFirst[0], sumFirst[1], sumFirst[2]}, {sumSecond[0], sumSecond[1], sumSecond[2]}};
}

}  // namespace nuvrel
