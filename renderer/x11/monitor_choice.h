#pragma once

#include <vector>

namespace nuvrel::x11 {

// A rectangle on the root window, in pixels.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A CRTC that shows part of the screen at a refresh rate.
struct CrtcShown {
    ScreenRect area;
    double refreshHz = 0.0;
};

long long OverlapArea(const ScreenRect& a, const ScreenRect& b);

// The refresh of the CRTC that shows the most of the window, which is the one an X server
// syncs the window's swaps to; the first such CRTC on a tie, and 0 where none shows any of
// the window.
double RefreshUnderWindow(const ScreenRect& window, const std::vector<CrtcShown>& crtcs);

}  // namespace nuvrel::x11
