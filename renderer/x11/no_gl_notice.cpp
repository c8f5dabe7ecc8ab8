#include "renderer/x11/no_gl_notice.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <cstdio>

#include "renderer/x11/notice_layout.h"
#include "renderer/x11/stop_signals.h"

namespace nuvrel::x11 {

namespace {

struct Notice {
    Surface& surface;
    std::string text;
    GC gc = nullptr;
    XFontStruct* font = nullptr;
    bool fontLoaded = false;  // else the GC's default font, described only
    unsigned long black = 0;
    unsigned long white = 0;
};

unsigned long PixelOf(Display* display, Colormap colormap, unsigned short level,
                      unsigned long fallback) {
    XColor colour{};
    colour.red = colour.green = colour.blue = level;
    colour.flags = DoRed | DoGreen | DoBlue;
    return XAllocColor(display, colormap, &colour) != 0 ? colour.pixel : fallback;
}

// The colours come from the window's own colormap: its visual need not be the screen's.
bool PrepareDrawing(Notice& notice) {
    Display* display = notice.surface.display;
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, notice.surface.window, &attributes) == 0) {
        return false;
    }
    const int screen = XScreenNumberOfScreen(attributes.screen);
    notice.black = PixelOf(display, attributes.colormap, 0, BlackPixel(display, screen));
    notice.white = PixelOf(display, attributes.colormap, 0xFFFF, WhitePixel(display, screen));
    notice.gc = XCreateGC(display, notice.surface.window, 0, nullptr);
    notice.font = XLoadQueryFont(display, "fixed");
    notice.fontLoaded = notice.font != nullptr;
    if (notice.fontLoaded) {
        XSetFont(display, notice.gc, notice.font->fid);
    } else {
        notice.font = XQueryFont(display, XGContextFromGC(notice.gc));
    }
    XSelectInput(display, notice.surface.window,
                 attributes.your_event_mask | ExposureMask | StructureNotifyMask);
    return true;
}

void ReleaseDrawing(Notice& notice) {
    Display* display = notice.surface.display;
    if (notice.fontLoaded) {
        XFreeFont(display, notice.font);
    } else if (notice.font != nullptr) {
        XFreeFontInfo(nullptr, notice.font, 0);
    }
    if (notice.gc != nullptr) {
        XFreeGC(display, notice.gc);
    }
}

void Draw(const Notice& notice) {
    const Surface& surface = notice.surface;
    Display* display = surface.display;
    XSetForeground(display, notice.gc, notice.black);
    XFillRectangle(display, surface.window, notice.gc, 0, 0, static_cast<unsigned>(surface.width),
                   static_cast<unsigned>(surface.height));
    XFontStruct* font = notice.font;
    if (font == nullptr) {
        XFlush(display);
        return;
    }
    const NoticeFont measure{font->ascent, font->descent, [font](std::string_view text) {
                                 return XTextWidth(font, text.data(),
                                                   static_cast<int>(text.size()));
                             }};
    XSetForeground(display, notice.gc, notice.white);
    for (const NoticeLine& line :
         LayOutNotice(notice.text, surface.width, surface.height, measure)) {
        XDrawString(display, surface.window, notice.gc, line.x, line.baseline, line.text.data(),
                    static_cast<int>(line.text.size()));
    }
    XFlush(display);
}

// Redraws on exposure and resizing until a stop signal or the window's end.
bool WaitForStop(Notice& notice) {
    Surface& surface = notice.surface;
    Display* display = surface.display;
    pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {StopSignalFd(), POLLIN, 0}};
    for (;;) {
        bool redraw = false;
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.xany.window != surface.window) {
                continue;
            }
            if (event.type == Expose && event.xexpose.count == 0) {
                redraw = true;
            } else if (event.type == ConfigureNotify) {
                surface.width = event.xconfigure.width;
                surface.height = event.xconfigure.height;
                redraw = true;
            } else if (event.type == DestroyNotify) {
                NoteWindowDestroyed();
            }
        }
        if (StopRequested()) {
            return true;
        }
        if (WindowGone()) {
            return false;
        }
        if (redraw) {
            Draw(notice);
        }
        ppoll(waits, 2, nullptr, nullptr);
    }
}

}  // namespace

int ShowNoOpenGlNotice(Surface& surface, const std::string& reason) {
    std::fprintf(stderr, "nuvrel: %s; showing that on window 0x%lx until stopped\n", reason.c_str(),
                 surface.window);
    Notice notice{surface, "Nuvrel cannot draw here: " + reason + "."};
    bool stopped = false;
    if (PrepareDrawing(notice) && !WindowGone()) {
        Draw(notice);
        stopped = WaitForStop(notice);
    }
    ReleaseDrawing(notice);
    if (!stopped) {
        std::fprintf(stderr, "nuvrel: the window 0x%lx went away\n", surface.window);
    }
    return stopped ? 0 : 1;
}

}  // namespace nuvrel::x11
