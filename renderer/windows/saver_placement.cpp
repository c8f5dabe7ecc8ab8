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
MonitorKey PrimaryOf(const DisplayLayout& layout) {
    for (const Monitor& monitor : layout.monitors) {
        if (monitor.primary && !monitor.rect.Empty()) {
            return {monitor.device, monitor.rect};
        }
    }
    return {{}, layout.primaryScreen};
}

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
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

bool SameMonitor(const MonitorKey& a, const MonitorKey& b) {
    if (!a.device.empty() && !b.device.empty()) {
        return a.device == b.device;
    }
    return SameRect(a.rect, b.rect);
}

SaverPlacement PlaceSaverWindow(const DisplayLayout& layout) {
    const MonitorKey primary = PrimaryOf(layout);
    // The virtual screen holds every monitor; the union also covers a system that reports
    // monitors but no virtual screen, or none of either.
    SaverPlacement placement;
    placement.window = Union(layout.virtualScreen, primary.rect);
    for (const Monitor& monitor : layout.monitors) {
        placement.window = Union(placement.window, monitor.rect);
    }
    placement.monitors = {primary};
    for (const Monitor& monitor : layout.monitors) {
        const bool overlaps =
            std::any_of(placement.monitors.begin(), placement.monitors.end(),
                        [&](const MonitorKey& other) { return Overlap(monitor.rect, other.rect); });
        if (!monitor.rect.Empty() && !overlaps) {
            placement.monitors.push_back({monitor.device, monitor.rect});
        }
    }
    for (const MonitorKey& monitor : placement.monitors) {
        placement.viewports.push_back(ViewportIn(placement.window, monitor.rect));
    }
    return placement;
}

std::vector<std::optional<std::size_t>> KeptScenes(const std::vector<MonitorKey>& before,
                                                   const std::vector<MonitorKey>& now) {
    std::vector<bool> taken(before.size(), false);
    std::vector<std::optional<std::size_t>> kept(now.size());
    for (std::size_t i = 0; i < now.size(); ++i) {
        for (std::size_t j = 0; j < before.size(); ++j) {
            if (!taken[j] && SameMonitor(now[i], before[j])) {
                taken[j] = true;
                kept[i] = j;
                break;
            }
        }
    }
    return kept;
}

std::uint32_t MonitorSeed(std::uint32_t primarySeed, std::size_t index) {
    // Steps of the golden ratio's fraction of 2^32 visit every seed before any repeats.
    return primarySeed + static_cast<std::uint32_t>(index) * 0x9E3779B9u;
}

}  // namespace nuvrel
