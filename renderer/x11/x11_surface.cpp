#include "renderer/x11/x11_surface.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

#include "renderer/x11/loop_rules.h"

namespace nuvrel::x11 {

namespace {

Window drawnWindow = 0;
bool windowGone = false;
int glxErrorBase = -1;
// While set, X errors are kept here for the reason of a failure instead of being printed.
std::string* heldErrors = nullptr;

// The window going away under the program shows first as errors about it; they end the
// frame loop instead of the process.
int OnXError(Display* display, XErrorEvent* event) {
    // Once the window has gone, what fails after it (such as the OpenGL driver's teardown
    // of its drawable) is no news.
    if (windowGone ||
        ErrorMeansWindowGone(event->error_code, event->resourceid, drawnWindow, glxErrorBase)) {
        windowGone = true;
        return 0;
    }
    char text[160];
    XGetErrorText(display, event->error_code, text, sizeof text);
    if (heldErrors != nullptr) {
        *heldErrors += std::string(heldErrors->empty() ? " (X error: " : ", ") + text;
        return 0;
    }
    std::fprintf(stderr, "nuvrel: X error: %s (request %d)\n", text, event->request_code);
    return 0;
}

int OnXIoError(Display*) {
    std::fputs("nuvrel: the connection to the X server was lost\n", stderr);
    std::_Exit(1);
}

// A screen saver may cover the root window with a "virtual root" of its own, marked by
// the __SWM_VROOT property; drawing on the root means drawing there.
Window VirtualRootWindow(Display* display) {
    const Window root = DefaultRootWindow(display);
    const Atom vrootAtom = XInternAtom(display, "__SWM_VROOT", False);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = root;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) != 0) {
        for (unsigned int i = 0; i < count && found == root; ++i) {
            Atom type = None;
            int format = 0;
            unsigned long items = 0;
            unsigned long after = 0;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(display, children[i], vrootAtom, 0, 1, False, XA_WINDOW, &type,
                                   &format, &items, &after, &data) == Success &&
                data != nullptr) {
                if (type == XA_WINDOW && items == 1) {
                    found = *reinterpret_cast<Window*>(data);
                }
                XFree(data);
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
    }
    return found;
}

XVisualInfo* ChooseOwnVisual(Display* display) {
    int attributes[] = {
        GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 1,   GLX_GREEN_SIZE, 1, GLX_BLUE_SIZE,
        1,        GLX_DEPTH_SIZE,   16,           None};
    return glXChooseVisual(display, DefaultScreen(display), attributes);
}

// The OpenGL description of a window made by someone else, from its visual.
XVisualInfo* VisualOfWindow(Display* display, const XWindowAttributes& attributes) {
    XVisualInfo wanted{};
    wanted.visualid = XVisualIDFromVisual(attributes.visual);
    wanted.screen = XScreenNumberOfScreen(attributes.screen);
    int count = 0;
    return XGetVisualInfo(display, VisualIDMask | VisualScreenMask, &wanted, &count);
}

bool MakeOwnWindow(const Options& options, Surface& surface, XVisualInfo* visual) {
    Display* display = surface.display;
    const Window root = RootWindow(display, visual->screen);
    surface.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    XSetWindowAttributes attributes{};
    attributes.colormap = surface.colormap;
    attributes.background_pixel = BlackPixel(display, visual->screen);
    attributes.border_pixel = 0;
    attributes.event_mask = KeyPressMask | ButtonPressMask | StructureNotifyMask | ExposureMask;
    surface.window = XCreateWindow(
        display, root, 0, 0, options.width, options.height, 0, visual->depth, InputOutput,
        visual->visual, CWColormap | CWBackPixel | CWBorderPixel | CWEventMask, &attributes);
    if (surface.window == 0) {
        return false;
    }
    surface.ownWindow = true;
    XStoreName(display, surface.window, "Nuvrel");
    XClassHint classHint{};
    char name[] = "nuvrel";
    char className[] = "Nuvrel";
    classHint.res_name = name;
    classHint.res_class = className;
    XSetClassHint(display, surface.window, &classHint);
    surface.deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, surface.window, &surface.deleteWindow, 1);
    surface.wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    // Drawing starts once the window manager has mapped it, at the size it then has.
    XMapRaised(display, surface.window);
    surface.width = options.width;
    surface.height = options.height;
    return true;
}

Opening Fail(Surface& surface, std::string& error, std::string reason) {
    error = std::move(reason);
    CloseSurface(surface);
    return Opening::Failed;
}

// The window stays, without OpenGL, for a notice in core X drawing.
Opening NoOpenGl(std::string& error, std::string reason) {
    error = std::move(reason);
    return Opening::NoOpenGl;
}

bool ServerHasGlx(Display* display) {
    int errorBase = 0;
    int eventBase = 0;
    if (!glXQueryExtension(display, &errorBase, &eventBase)) {
        return false;
    }
    glxErrorBase = errorBase;
    return true;
}

constexpr const char* NoGlxReason = "the X server has no OpenGL (GLX)";

std::string WindowName(Window window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// Makes an OpenGL context current on the window; returns why it could not, or nothing. The
// X errors on the way (a server refusing indirect GLX answers BadValue) join the reason.
std::string StartOpenGl(Surface& surface, XVisualInfo* visual) {
    Display* display = surface.display;
    std::string errors;
    heldErrors = &errors;
    std::string failure;
    surface.context = glXCreateContext(display, visual, nullptr, True);
    if (surface.context == nullptr) {
        failure = "cannot create an OpenGL context";
    } else if (!glXMakeCurrent(display, surface.window, surface.context)) {
        failure = "cannot make the OpenGL context current";
    }
    XSync(display, False);
    heldErrors = nullptr;
    if (failure.empty()) {
        return failure;
    }
    if (surface.context != nullptr) {
        glXDestroyContext(display, surface.context);
        surface.context = nullptr;
    }
    return failure + (errors.empty() ? "" : errors + ")");
}

}  // namespace

Opening OpenSurface(const Options& options, Surface& surface, std::string& error) {
    surface = Surface{};
    surface.display = XOpenDisplay(nullptr);
    if (surface.display == nullptr) {
        error = "cannot open the X display (is DISPLAY set?)";
        return Opening::Failed;
    }
    Display* display = surface.display;
    XSetErrorHandler(OnXError);
    XSetIOErrorHandler(OnXIoError);

    XVisualInfo* visual = nullptr;
    if (options.target == Target::OwnWindow) {
        if (!ServerHasGlx(display)) {
            return Fail(surface, error, NoGlxReason);
        }
        visual = ChooseOwnVisual(display);
        if (visual == nullptr) {
            return Fail(surface, error, "no double-buffered OpenGL visual with a depth buffer");
        }
        if (!MakeOwnWindow(options, surface, visual)) {
            XFree(visual);
            return Fail(surface, error, "cannot make a window");
        }
    } else {
        surface.window = options.target == Target::GivenWindow || options.windowId != 0
                             ? options.windowId
                             : VirtualRootWindow(display);
        XWindowAttributes attributes{};
        windowGone = false;
        drawnWindow = surface.window;
        if (XGetWindowAttributes(display, surface.window, &attributes) == 0 || windowGone) {
            surface.window = 0;
            return Fail(surface, error, "there is no window " + WindowName(drawnWindow));
        }
        // Size changes and the window's end; its input belongs to whoever made it.
        XSelectInput(display, surface.window, attributes.your_event_mask | StructureNotifyMask);
        surface.width = attributes.width;
        surface.height = attributes.height;
        if (!ServerHasGlx(display)) {
            return NoOpenGl(error, NoGlxReason);
        }
        visual = VisualOfWindow(display, attributes);
        int usesGl = 0;
        if (visual == nullptr || glXGetConfig(display, visual, GLX_USE_GL, &usesGl) != 0 ||
            !usesGl) {
            if (visual != nullptr) {
                XFree(visual);
            }
            return NoOpenGl(error, "the visual of window " + WindowName(surface.window) +
                                       " does not support OpenGL");
        }
    }
    drawnWindow = surface.window;
    windowGone = false;

    int doubleBuffered = 0;
    glXGetConfig(display, visual, GLX_DOUBLEBUFFER, &doubleBuffered);
    surface.doubleBuffered = doubleBuffered != 0;
    const std::string failure = StartOpenGl(surface, visual);
    XFree(visual);
    if (windowGone) {
        return Fail(surface, error, "the window " + WindowName(surface.window) + " went away");
    }
    if (!failure.empty()) {
        // On a root or given window the program stays, showing why, as it does without GLX.
        if (surface.ownWindow) {
            return Fail(surface, error, failure);
        }
        return NoOpenGl(error, failure);
    }
    return Opening::Opened;
}

void CloseSurface(Surface& surface) {
    if (surface.display == nullptr) {
        return;
    }
    if (surface.context != nullptr) {
        glXMakeCurrent(surface.display, None, nullptr);
        glXDestroyContext(surface.display, surface.context);
    }
    if (surface.ownWindow && !windowGone) {
        XDestroyWindow(surface.display, surface.window);
    }
    if (surface.colormap != 0) {
        XFreeColormap(surface.display, surface.colormap);
    }
    XCloseDisplay(surface.display);
    surface = Surface{};
    drawnWindow = 0;
}

bool WindowGone() {
    return windowGone;
}

void NoteWindowDestroyed() {
    windowGone = true;
}

void PresentFrame(const Surface& surface) {
    if (surface.doubleBuffered) {
        glXSwapBuffers(surface.display, surface.window);
    } else {
        glFlush();
    }
}

}  // namespace nuvrel::x11
