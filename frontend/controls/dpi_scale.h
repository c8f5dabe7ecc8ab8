#pragma once

// Sizes at a display's dots per inch. The dialogs are laid out in twips (1/1440 inch) and
// their pictures drawn for 96 dpi; both scale by the DPI of the monitor a window is on.

namespace nuvrel {

constexpr int DefaultDpi = 96;

// Twips to pixels, rounded to the nearest pixel: 15 twips to the pixel at 96 dpi.
constexpr int PixelsOfTwips(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

// A length in pixels at 96 dpi scaled to the DPI given, rounded to the nearest pixel.
constexpr int ScaledPixels(int pixelsAt96, int dpi) {
    const long long scaled = static_cast<long long>(pixelsAt96) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + DefaultDpi / 2) / DefaultDpi
                                        : -((-scaled + DefaultDpi / 2) / DefaultDpi));
}

// A font's height in pixels for its size in points (1/72 inch), rounded.
constexpr int FontPixelsOfPoints(double points, int dpi) {
    return static_cast<int>(points * dpi / 72.0 + 0.5);
}

// A DPI that cannot be right (none reported, or nonsense) counts as 96.
constexpr int UsableDpi(int dpi) {
    return dpi >= 48 && dpi <= 960 ? dpi : DefaultDpi;
}

}  // namespace nuvrel
