#pragma once

#include <cstddef>
#include <cstdint>
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

// The renderer's window covers every monitor, and each monitor shows a vortex of its own in
// its part of the window; the gaps between monitors of different sizes stay black. The
// primary monitor's vortex comes first and is exactly that of a machine with that monitor
// alone. A monitor that overlaps one before it (a mirror, or heads reported at one origin)
// shows that one's vortex and gets none of its own.
struct SaverPlacement {
    ScreenRect window;
    std::vector<ViewportRect> viewports;  // in OpenGL's coordinates; the primary first
};

SaverPlacement PlaceSaverWindow(const DisplayLayout& layout);

// The seed of the scene on the monitor of that index in the viewports: the primary (index 0)
// keeps the run's seed, and every other monitor gets a different one.
std::uint32_t MonitorSeed(std::uint32_t primarySeed, std::size_t index);

}  // namespace nuvrel
