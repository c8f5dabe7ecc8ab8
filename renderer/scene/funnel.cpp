#include "renderer/scene/funnel.h"

#include <algorithm>

#include "renderer/scene/portable_cos.h"

namespace nuvrel {

namespace {

constexpr int Top = AxisPointCount - 1;
constexpr int BelowTop = AxisPointCount - 2;

// Each control point follows the rules of its place on the axis.
enum class AxisRow { Top, BelowTop, Middle, Second, Bottom };

constexpr AxisRow RowOf(int i) {
    if (i == Top) {
        return AxisRow::Top;
    }
    if (i == BelowTop) {
        return AxisRow::BelowTop;
    }
    if (i == 1) {
        return AxisRow::Second;
    }
    return i == 0 ? AxisRow::Bottom : AxisRow::Middle;
}

struct CycleLength {
    std::int32_t a;
    std::int32_t b;
};

// A radius drawn as base + a spread over 0..extent.
struct RadiusRange {
    float extent;
    float base;
};

struct RowRules {
    CycleLength pointCycle;
    CycleLength radiusCycle;
    RadiusRange startRadius;
    RadiusRange targetRadius;
};

// Indexed by AxisRow. The top of a funnel stays wide and slow, the bottom narrow and quick.
constexpr std::array<RowRules, 5> Rules = {{
    {{10000, 5000}, {5000, 5000}, {175, 75}, {225, 75}},  // Top
    {{7000, 5000}, {5000, 5000}, {60, 15}, {80, 15}},     // BelowTop
    {{5000, 3000}, {5000, 4000}, {25, 15}, {25, 15}},     // Middle
    {{4000, 2000}, {5000, 3000}, {25, 5}, {25, 5}},       // Second
    {{3000, 1500}, {5000, 2000}, {15, 5}, {15, 5}},       // Bottom
}};

const RowRules& RulesOf(int i) {
    return Rules[static_cast<int>(RowOf(i))];
}

constexpr float AxisHalfHeight = 200.0f;
constexpr float TwoPi = 6.2831855f;

float Fraction(const Cycle& cycle) {
    return static_cast<float>(cycle.step) / static_cast<float>(cycle.period);
}

}  // namespace

std::int32_t DrawCyclePeriod(RandomGenerator& random, std::int32_t a, std::int32_t b) {
    return Random(random) * (a / Speed) / RandomMax + b / Speed;
}

float SwingFraction(const Cycle& cycle) {
    const float angle = TwoPi * Fraction(cycle);
    return static_cast<float>((1.0 - PortableCos(angle)) * 0.5);
}

Funnel::Funnel(RandomGenerator& random) {
    const auto u = [&random](float extent) { return RandomSpread(random, extent); };

    // Each point starts within a bounded offset of its upper neighbour; the heights of the
    // middle points are drawn independently, so the control polygon zigzags.
    for (int i = Top; i >= 0; --i) {
        Vec3& p = points[i];
        switch (RowOf(i)) {
            case AxisRow::Top:
                p.x = u(400) - 200;
                p.y = AxisHalfHeight;
                p.z = u(400) - 200;
                break;
            case AxisRow::BelowTop:
                p.x = points[Top].x;
                p.y = u(66) + 50;
                p.z = points[Top].z;
                break;
            case AxisRow::Middle:
                p.x = points[i + 1].x + u(200) - 100;
                p.y = u(400) - 200;
                p.z = points[i + 1].z + u(200) - 100;
                break;
            case AxisRow::Second:
                p.x = points[2].x + u(100) - 50;
                p.y = -u(100) - 50;
                p.z = points[2].z + u(100) - 50;
                break;
            case AxisRow::Bottom:
                p.x = points[1].x + u(25) - 12;
                p.y = -AxisHalfHeight;
                p.z = points[1].z + u(25) - 12;
                break;
        }
    }
    // The first update reads the lower neighbour's target before retargeting it.
    targetPoints = points;
    startPoints = points;
    axisCurve.Fit(points);

    for (int i = Top; i >= 0; --i) {
        const RadiusRange range = RulesOf(i).startRadius;
        radii[i] = u(range.extent) + range.base;
    }
    targetRadii = radii;
    startRadii = radii;

    // Every point and radius cycle is due at once; the colour fades in from black first.
    pointCycles.fill(Cycle{});
    radiusCycles.fill(Cycle{});
    startColour.hue = u(1);
    startColour.saturation = u(1);
    startColour.value = 0.0f;
    targetColour.hue = u(1);
    targetColour.saturation = u(1);
    targetColour.value = 1.0f;
    colourCycle = {0, 300};
    colour = startColour;
}

void Funnel::Update(RandomGenerator& random) {
    for (int i = Top; i >= 0; --i) {
        if (pointCycles[i].Due()) {
            RetargetPoint(i, random);
        }
    }
    for (int i = 0; i < AxisPointCount; ++i) {
        MovePoint(i);
    }
    axisCurve.Fit(points);
    for (int i = Top; i >= 0; --i) {
        if (radiusCycles[i].Due()) {
            RetargetRadius(i, random);
        }
    }
    for (int i = 0; i < AxisPointCount; ++i) {
        MoveRadius(i);
    }
    if (colourCycle.Due()) {
        RetargetColour(random);
    }
    BlendColour();
}

void Funnel::RetargetPoint(int i, RandomGenerator& random) {
    const auto u = [&random](float extent) { return RandomSpread(random, extent); };

    startPoints[i] = points[i];
    Vec3& t = targetPoints[i];
    switch (RowOf(i)) {
        case AxisRow::Top:
            t.x = u(400) - 200;
            t.y = AxisHalfHeight;
            t.z = u(400) - 200;
            break;
        case AxisRow::BelowTop:
            t.x = points[Top].x;
            t.y = u(66) + 50;
            t.z = points[Top].z;
            break;
        case AxisRow::Middle: {
            // Half a step further along the line through the two targets above, and in
            // height the mean of the neighbours' targets.
            const Vec3& above = targetPoints[i + 1];
            const Vec3& twoAbove = targetPoints[i + 2];
            const Vec3& below = targetPoints[i - 1];
            t.x = above.x + (above.x - twoAbove.x) * 0.5f + u(100) - 50;
            t.y = std::clamp((above.y + below.y) * 0.5f + u(25) - 12, -AxisHalfHeight,
                             AxisHalfHeight);
            t.z = above.z + (above.z - twoAbove.z) * 0.5f + u(100) - 50;
            break;
        }
        case AxisRow::Second:
            t.x = targetPoints[2].x + u(100) - 50;
            t.y = -u(100) - 50;
            t.z = targetPoints[2].z + u(100) - 50;
            break;
        case AxisRow::Bottom:
            t.x = points[1].x + u(25) - 12;
            t.y = -AxisHalfHeight;
            t.z = points[1].z + u(25) - 12;
            break;
    }
    const CycleLength length = RulesOf(i).pointCycle;
    pointCycles[i] = {0, DrawCyclePeriod(random, length.a, length.b)};
}

// Out to the target at mid-cycle and back towards the start by the cycle's end.
void Funnel::MovePoint(int i) {
    const float s = SwingFraction(pointCycles[i]);
    const Vec3& from = startPoints[i];
    const Vec3& to = targetPoints[i];
    points[i] = {from.x + s * (to.x - from.x), from.y + s * (to.y - from.y),
                 from.z + s * (to.z - from.z)};
    ++pointCycles[i].step;
}

void Funnel::RetargetRadius(int i, RandomGenerator& random) {
    startRadii[i] = radii[i];
    const RowRules& rules = RulesOf(i);
    targetRadii[i] = RandomSpread(random, rules.targetRadius.extent) + rules.targetRadius.base;
    radiusCycles[i] = {0, DrawCyclePeriod(random, rules.radiusCycle.a, rules.radiusCycle.b)};
}

// Linear, arriving one step short of the target, where the next cycle takes over.
void Funnel::MoveRadius(int i) {
    radii[i] = startRadii[i] + Fraction(radiusCycles[i]) * (targetRadii[i] - startRadii[i]);
    ++radiusCycles[i].step;
}

void Funnel::RetargetColour(RandomGenerator& random) {
    startColour = colour;
    targetColour.hue = RandomSpread(random, 1);
    targetColour.saturation = RandomSpread(random, 1);
    targetColour.value = std::min(RandomSpread(random, 1) + 0.5f, 1.0f);
    // 100..2000 frames, not scaled by Speed.
    colourCycle = {0, 1900 * Random(random) / RandomMax + 100};
}

void Funnel::BlendColour() {
    const HueDirection direction = ShorterHueDirection(startColour.hue, targetColour.hue);
    colour = BlendHsv(startColour, targetColour, Fraction(colourCycle), direction);
    ++colourCycle.step;
}

}  // namespace nuvrel
