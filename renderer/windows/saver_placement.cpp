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

}  // namespace

SaverPlacement PlaceSaverWindow(const DisplayLayout& layout) {
    const ScreenRect primary = PrimaryOf(layout);
    // The virtual screen holds every monitor; the union also covers a system that reports
    // monitors but no virtual screen, or none of either.
    ScreenRect window = Union(layout.virtualScreen, primary);
    for (const Monitor& monitor : layout.monitors) {
        window = Union(window, monitor.rect);
    }
    // OpenGL counts rows from the window's bottom edge.
    const ViewportRect viewport{primary.left - window.left, window.bottom - primary.bottom,
                                primary.Width(), primary.Height()};
    return {window, viewport};
}

}  // namespace nuvrel
