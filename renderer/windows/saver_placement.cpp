#include "renderer/windows/saver_placement.h"

#include <algorithm>

namespace nuvrel {

namespace {

ScreenRect Union(const ScreenRect& a, const ScreenRect& b) {
    if (a.Empty()) {
        return b;
    }
    if (b.Empty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// The monitor marked primary; without one, the system's primary screen.
ScreenRect PrimaryOf(const DisplayLayout& layout) {
    for (const Monitor& monitor : layout.monitors) {
        if (monitor.primary && !monitor.rect.Empty()) {
            return monitor.rect;
        }
    }
    return layout.primaryScreen;
}

bool Overlap(const ScreenRect& a, const ScreenRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// OpenGL counts rows from the window's bottom edge.
ViewportRect ViewportIn(const ScreenRect& window, const ScreenRect& monitor) {
    return {monitor.left - window.left, window.bottom - monitor.bottom, monitor.Width(),
            monitor.Height()};
}

}  // namespace

SaverPlacement PlaceSaverWindow(const DisplayLayout& layout) {
    const ScreenRect primary = PrimaryOf(layout);
    // The virtual screen holds every monitor; the union also covers a system that reports
    // monitors but no virtual screen, or none of either.
    SaverPlacement placement;
    placement.window = Union(layout.virtualScreen, primary);
    for (const Monitor& monitor : layout.monitors) {
        placement.window = Union(placement.window, monitor.rect);
    }
    std::vector<ScreenRect> shown = {primary};
    for (const Monitor& monitor : layout.monitors) {
        const bool overlaps = std::any_of(shown.begin(), shown.end(), [&](const ScreenRect& other) {
            return Overlap(monitor.rect, other);
        });
        if (!monitor.rect.Empty() && !overlaps) {
            shown.push_back(monitor.rect);
        }
    }
    for (const ScreenRect& monitor : shown) {
        placement.viewports.push_back(ViewportIn(placement.window, monitor));
    }
    return placement;
}

std::uint32_t MonitorSeed(std::uint32_t primarySeed, std::size_t index) {
    // Steps of the golden ratio's fraction of 2^32 visit every seed before any repeats.
    return primarySeed + static_cast<std::uint32_t>(index) * 0x9E3779B9u;
}

}  // namespace nuvrel
