#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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
    std::wstring device =
        {};  // the system's name for it, such as \\.\DISPLAY2; empty where unknown
};

// How a monitor is known again after a display change: by its device name, which stays
// while its place, size or order in the list changes, else by its rectangle.
struct MonitorKey {
    std::wstring device;
    ScreenRect rect;
};

bool SameMonitor(const MonitorKey& a, const MonitorKey& b);

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
    std::vector<MonitorKey> monitors;     // the monitor of each viewport
};

SaverPlacement PlaceSaverWindow(const DisplayLayout& layout);

// Which scene each monitor keeps over a display change: for each monitor shown now, the
// index among those shown before of the same monitor, whose scene it keeps; none for a
// monitor new to the window. Scenes of monitors gone are kept by none.
std::vector<std::optional<std::size_t>> KeptScenes(const std::vector<MonitorKey>& before,
                                                   const std::vector<MonitorKey>& now);

// The seed of the scene built index-th in a run: the first, the primary's, is the run's
// seed, and every later one differs.
std::uint32_t MonitorSeed(std::uint32_t primarySeed, std::size_t index);

// The seeds of the scenes of a run, in the order they are built: the first, the primary's,
// is the run's seed, and each later one differs from every one before.
struct SceneSeeds {
    std::uint32_t primary = 0;
    std::size_t built = 0;

    std::uint32_t Next() { return MonitorSeed(primary, built++); }
};

}  // namespace nuvrel
