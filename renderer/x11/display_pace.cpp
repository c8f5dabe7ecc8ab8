#include "renderer/x11/display_pace.h"

#include <X11/extensions/Xrandr.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "renderer/x11/monitor_choice.h"

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

// The window's rectangle on the root window.
bool WindowOnRoot(const Surface& surface, ScreenRect& rect) {
    Window child = 0;
    rect.width = surface.width;
    rect.height = surface.height;
    return XTranslateCoordinates(surface.display, surface.window,
                                 DefaultRootWindow(surface.display), 0, 0, &rect.x, &rect.y,
                                 &child) != 0;
}

double RefreshOfMode(const XRRScreenResources& resources, RRMode mode) {
    for (int m = 0; m < resources.nmode; ++m) {
        if (resources.modes[m].id == mode) {
            return ModeRefreshHz(resources.modes[m]);
        }
    }
    return 0.0;
}

// The CRTCs that show something, with their rates.
std::vector<CrtcShown> ShowingCrtcs(Display* display, XRRScreenResources& resources) {
    std::vector<CrtcShown> shown;
    for (int c = 0; c < resources.ncrtc; ++c) {
        XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, &resources, resources.crtcs[c]);
        if (crtc == nullptr) {
            continue;
        }
        if (crtc->mode != None) {
            shown.push_back(CrtcShown{ScreenRect{crtc->x, crtc->y, static_cast<int>(crtc->width),
                                                 static_cast<int>(crtc->height)},
                                      RefreshOfMode(resources, crtc->mode)});
        }
        XRRFreeCrtcInfo(crtc);
    }
    return shown;
}

bool HasRandr12(Display* display, int& eventBase) {
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    return XRRQueryExtension(display, &eventBase, &errorBase) &&
           XRRQueryVersion(display, &major, &minor) && (major > 1 || minor >= 3);
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
    ScreenRect window;
    if (!HasRandr12(display, eventBase) || !WindowOnRoot(surface, window)) {
        return 0;
    }
    XRRScreenResources* resources =
        XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (resources == nullptr) {
        return 0;
    }
    const double refresh = RefreshUnderWindow(window, ShowingCrtcs(display, *resources));
    XRRFreeScreenResources(resources);
    return static_cast<int>(std::lround(refresh));
}

int WatchScreenChanges(Display* display) {
    int eventBase = 0;
    if (!HasRandr12(display, eventBase)) {
        return -1;
    }
    XRRSelectInput(display, DefaultRootWindow(display), RRScreenChangeNotifyMask);
    return eventBase + RRScreenChangeNotify;
}

void NoteScreenChange(XEvent& event) {
    XRRUpdateConfiguration(&event);
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
