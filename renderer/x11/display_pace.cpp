#include "renderer/x11/display_pace.h"

#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <cstring>

namespace nuvrel::x11 {
namespace {

double ModeRefreshHz(const XRRModeInfo& mode) {
    if (mode.hTotal == 0 || mode.vTotal == 0) {
        return 0.0;
    }
    double lines = mode.vTotal;
    if ((mode.modeFlags & RR_DoubleScan) != 0) {
        lines *= 2;
    }
    if ((mode.modeFlags & RR_Interlace) != 0) {
        lines /= 2;
    }
    return static_cast<double>(mode.dotClock) / (mode.hTotal * lines);
}

// The window's middle on the root window.
bool WindowMiddle(const Surface& surface, int& x, int& y) {
    Window child = 0;
    return XTranslateCoordinates(surface.display, surface.window,
                                 DefaultRootWindow(surface.display), surface.width / 2,
                                 surface.height / 2, &x, &y, &child) != 0;
}

double RefreshOfCrtcAt(Display* display, XRRScreenResources& resources, int x, int y) {
    for (int c = 0; c < resources.ncrtc; ++c) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, &resources, resources.crtcs[c]);
        if (crtc == nullptr) {
            continue;
        }
        const bool shows = crtc->mode != None && x >= crtc->x && y >= crtc->y &&
                           x < crtc->x + static_cast<int>(crtc->width) &&
                           y < crtc->y + static_cast<int>(crtc->height);
        const RRMode mode = crtc->mode;
        XRRFreeCrtcInfo(crtc);
        if (!shows) {
            continue;
        }
        for (int m = 0; m < resources.nmode; ++m) {
            if (resources.modes[m].id == mode) {
                return ModeRefreshHz(resources.modes[m]);
            }
        }
    }
    return 0.0;
}

bool HasExtension(const char* extensions, const char* name) {
    const std::size_t length = std::strlen(name);
    for (const char* at = extensions; at != nullptr && (at = std::strstr(at, name)) != nullptr;
         at += length) {
        const bool starts = at == extensions || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) {
            return true;
        }
    }
    return false;
}

template <typename Function>
Function GlxFunction(const char* name) {
    return reinterpret_cast<Function>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}

}  // namespace

int ReadRefreshHz(const Surface& surface) {
    Display* display = surface.display;
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
        !XRRQueryVersion(display, &major, &minor) || (major == 1 && minor < 3)) {
        return 0;
    }
    int x = 0;
    int y = 0;
    if (!WindowMiddle(surface, x, y)) {
        return 0;
    }
    XRRScreenResources* resources =
        XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (resources == nullptr) {
        return 0;
    }
    const double refresh = RefreshOfCrtcAt(display, *resources, x, y);
    XRRFreeScreenResources(resources);
    return static_cast<int>(std::lround(refresh));
}

bool RequestSwapInterval(const Surface& surface, int interval) {
    const char* extensions =
        glXQueryExtensionsString(surface.display, DefaultScreen(surface.display));
    if (HasExtension(extensions, "GLX_EXT_swap_control")) {
        using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
        if (const auto swapInterval = GlxFunction<SwapIntervalExt>("glXSwapIntervalEXT")) {
            swapInterval(surface.display, surface.window, interval);
            return true;
        }
    }
    if (HasExtension(extensions, "GLX_MESA_swap_control")) {
        using SwapIntervalMesa = int (*)(unsigned int);
        if (const auto swapInterval = GlxFunction<SwapIntervalMesa>("glXSwapIntervalMESA")) {
            return swapInterval(static_cast<unsigned int>(interval)) == 0;
        }
    }
    // The SGI extension cannot turn vsync off.
    if (interval > 0 && HasExtension(extensions, "GLX_SGI_swap_control")) {
        using SwapIntervalSgi = int (*)(int);
        if (const auto swapInterval = GlxFunction<SwapIntervalSgi>("glXSwapIntervalSGI")) {
            return swapInterval(interval) == 0;
        }
    }
    return false;
}

}  // namespace nuvrel::x11
