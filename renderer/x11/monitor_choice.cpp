#include "renderer/x11/monitor_choice.h"

#include <algorithm>

namespace nuvrel::x11 {

long long OverlapArea(const ScreenRect& a, const ScreenRect& b) {
    const long long left = std::max<long long>(a.x, b.x);
    const long long right = std::min<long long>(static_cast<long long>(a.x) + a.width,
                                                static_cast<long long>(b.x) + b.width);
    const long long top = std::max<long long>(a.y, b.y);
    const long long bottom = std::min<long long>(static_cast<long long>(a.y) + a.height,
                                                 static_cast<long long>(b.y) + b.height);
    return right > left && bottom > top ? (right - left) * (bottom - top) : 0;
}

double RefreshUnderWindow(const ScreenRect& window, const std::vector<CrtcShown>& crtcs) {
    long long largest = 0;
    double refresh = 0.0;
    for (const CrtcShown& crtc : crtcs) {
        const long long overlap = OverlapArea(window, crtc.area);
        if (overlap > largest) {
            largest = overlap;
            refresh = crtc.refreshHz;
        }
    }
    return refresh;
}

}  // namespace nuvrel::x11
