#pragma once

#include <vector>

#include "renderer/scene/scene_drawing.h"

namespace nuvrel {

// A rectangle in the desktop's pixel coordinates: y grows downwards, the primary monitor's
// top-left corner is (0, 0), and other monitors may lie at negative coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
};

struct Monitor {
    ScreenRect rect;
    bool primary = false;
};

// What the system says about its screens. A system without several-monitor support reports
// no virtual screen (empty) and no monitors; the primary screen's size is always known.
struct DisplayLayout {
    ScreenRect virtualScreen;
    std::vector<Monitor> monitors;
    ScreenRect primaryScreen;
};

// The renderer's window covers every monitor; the scene is drawn only on the primary one,
// exactly as on a machine with that monitor alone, and the rest of the window stays black.
struct SaverPlacement {
    ScreenRect window;
    ViewportRect viewport;  // the primary monitor inside the window, in OpenGL's coordinates
};

SaverPlacement PlaceSaverWindow(const DisplayLayout& layout);

}  // namespace nuvrel
