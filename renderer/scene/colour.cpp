#include "renderer/scene/colour.h"

namespace nuvrel {

namespace {

// The sector bounds are rounded decimals, not exact sixths; channels next to a bound may
// stray outside 0..1 by a few millionths, and are passed on as they are.
constexpr float Sixth = 0.166667f;
constexpr float Third = 0.333333f;
constexpr float Half = 0.5f;
constexpr float TwoThirds = 0.666667f;
constexpr float FiveSixths = 0.833333f;

RgbColour FullySaturated(float h) {
    if (h < Sixth) {
        return {1.0f, 6.0f * h, 0.0f};
    }
    if (h < Half) {
        if (h < Third) {
            return {1.0f - 6.0f * (h - Sixth), 1.0f, 0.0f};
        }
        return {0.0f, 1.0f, 6.0f * (h - Third)};
    }
    if (h < FiveSixths) {
        if (h < TwoThirds) {
            return {0.0f, 1.0f - 6.0f * (h - Half), 1.0f};
        }
        return {6.0f * (h - TwoThirds), 0.0f, 1.0f};
    }
    return {1.0f, 0.0f, 1.0f - 6.0f * (h - FiveSixths)};
}

float ApplySaturationAndValue(float channel, float saturation, float value) {
    return value * (1.0f - saturation * (1.0f - channel));
}

float BlendHue(float start, float target, float f, HueDirection direction) {
    if (direction == HueDirection::Upward) {
        if (target >= start) {
            return start + f * (target - start);
        }
        const float hue = start + f * (1.0f - (start - target));
        return hue > 1.0f ? hue - 1.0f : hue;
    }
    if (target <= start) {
        return start - f * (start - target);
    }
    const float hue = start - f * (1.0f - (target - start));
    return hue < 0.0f ? hue + 1.0f : hue;
}

}  // namespace

RgbColour HsvToRgb(const HsvColour& colour) {
    const RgbColour pure = FullySaturated(colour.hue);
    return {ApplySaturationAndValue(pure.red, colour.saturation, colour.value),
            ApplySaturationAndValue(pure.green, colour.saturation, colour.value),
            ApplySaturationAndValue(pure.blue, colour.saturation, colour.value)};
}

HsvColour BlendHsv(const HsvColour& start, const HsvColour& target, float fraction,
                   HueDirection direction) {
    return {BlendHue(start.hue, target.hue, fraction, direction),
            start.saturation + fraction * (target.saturation - start.saturation),
            start.value + fraction * (target.value - start.value)};
}

HueDirection ShorterHueDirection(float startHue, float targetHue) {
    const float rise = targetHue - startHue;
    if (rise >= 0.0f) {
        return rise > 0.5f ? HueDirection::Downward : HueDirection::Upward;
    }
    return rise < -0.5f ? HueDirection::Upward : HueDirection::Downward;
}

}  // namespace nuvrel
