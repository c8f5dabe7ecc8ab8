#pragma once

namespace nuvrel {

// Hue, saturation and value in 0..1; the hue wraps around (0 and 1 are both red).
struct HsvColour {
    float hue = 0.0f;
    float saturation = 0.0f;
    float value = 0.0f;
};

struct RgbColour {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
};

enum class HueDirection { Upward, Downward };

RgbColour HsvToRgb(const HsvColour& colour);

// Moves from start (fraction 0) to target (fraction 1); the hue goes round the circle in
// the given direction, through 1 or 0 where it has to.
HsvColour BlendHsv(const HsvColour& start, const HsvColour& target, float fraction,
                   HueDirection direction);

// The shorter way round the hue circle from one hue to another.
HueDirection ShorterHueDirection(float startHue, float targetHue);

}  // namespace nuvrel
