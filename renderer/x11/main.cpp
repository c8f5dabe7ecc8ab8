// nuvrel: the vortex as an XScreenSaver display mode, on Xlib and GLX.
//
// Exit codes: 0 when ended by SIGTERM, SIGINT, a key, a click, the close button or the end
// of --frames; 1 for a bad command line, no display, no OpenGL for its own window, or a
// window that went away. A root or given window without OpenGL shows why until stopped.

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "renderer/pacing/frame_pacer.h"
#include "renderer/scene/scene_drawing.h"
#include "renderer/x11/command_line.h"
#include "renderer/x11/display_pace.h"
#include "renderer/x11/frame_rate.h"
#include "renderer/x11/no_gl_notice.h"
#include "renderer/x11/ppm.h"
#include "renderer/x11/seed.h"
#include "renderer/x11/stop_signals.h"
#include "renderer/x11/text_overlay.h"
#include "renderer/x11/x11_surface.h"

namespace nuvrel::x11 {
namespace {

enum class Ending { Stopped, Closed, WindowGone, FramesDone };

struct Loop {
    Surface& surface;
    const Options& options;
    VortexScene& scene;
    FramePacer pacer;
    int refreshHz = 0;     // 0 where the server cannot tell
    int swapInterval = 0;  // asked of GLX; 0 for none
    bool swapControl = false;
    bool sizeChanged = false;
    bool closed = false;
};

double SteadySeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

ViewportRect WholeWindow(const Surface& surface) {
    return ViewportRect{0, 0, surface.width, surface.height};
}

void HandleEvent(Loop& loop, const XEvent& event) {
    Surface& surface = loop.surface;
    if (event.xany.window != surface.window) {
        return;
    }
    switch (event.type) {
        case ConfigureNotify:
            if (event.xconfigure.width != surface.width ||
                event.xconfigure.height != surface.height) {
                surface.width = event.xconfigure.width;
                surface.height = event.xconfigure.height;
                loop.sizeChanged = true;
            }
            break;
        case DestroyNotify:
            NoteWindowDestroyed();
            break;
        case KeyPress:
        case ButtonPress:
            loop.closed = surface.ownWindow;
            break;
        case ClientMessage:
            if (surface.ownWindow &&
                static_cast<Atom>(event.xclient.data.l[0]) == surface.deleteWindow) {
                loop.closed = true;
            }
            break;
        default:
            break;
    }
}

void HandlePendingEvents(Loop& loop) {
    Display* display = loop.surface.display;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        HandleEvent(loop, event);
    }
}

// Waits until the deadline while handling events; a stop signal ends the wait at once.
void WaitUntil(Loop& loop, double deadline) {
    pollfd waits[2] = {{ConnectionNumber(loop.surface.display), POLLIN, 0},
                       {StopSignalFd(), POLLIN, 0}};
    for (;;) {
        HandlePendingEvents(loop);
        const double left = deadline - SteadySeconds();
        if (left <= 0.0 || StopRequested() || loop.closed || WindowGone()) {
            return;
        }
        const timespec timeout{static_cast<time_t>(left),
                               static_cast<long>((left - static_cast<time_t>(left)) * 1e9)};
        ppoll(waits, 2, &timeout, nullptr);
    }
}

bool SaveSnapshot(const Surface& surface, const std::string& path) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(surface.width) * surface.height * 3);
    glReadBuffer(surface.doubleBuffered ? GL_BACK : GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surface.width, surface.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return WritePpmFromBottomUp(path, surface.width, surface.height, pixels);
}

// The pause after a frame: -delay's, and at least the rest of the frame's period.
void WaitAfterFrame(Loop& loop) {
    const Options& options = loop.options;
    const double presented = SteadySeconds();
    double wait = options.delayMicroseconds * 1e-6;
    if (!options.uncapped) {
        const Microseconds paced = loop.pacer.WaitAfterFrame(PaceClock::now());
        wait = std::max(wait, paced.count() * 1e-6);
    }
    if (wait > 0.0) {
        WaitUntil(loop, presented + wait);
    }
}

Ending RunFrames(Loop& loop) {
    const Options& options = loop.options;
    FrameRateFigure figure;
    const long timedFrom = options.frames / 2;  // the second half: past the fade-in
    double timingStart = SteadySeconds();
    for (long frame = 1;; ++frame) {
        HandlePendingEvents(loop);
        if (StopRequested()) {
            return Ending::Stopped;
        }
        if (WindowGone()) {
            return Ending::WindowGone;
        }
        if (loop.closed) {
            return Ending::Closed;
        }
        if (loop.sizeChanged) {
            ResizeDrawing(WholeWindow(loop.surface), loop.scene.view);
            loop.sizeChanged = false;
        }
        const double frameStart = SteadySeconds();
        DrawSceneFrame(loop.scene);
        if (options.showFrameRate) {
            figure.FrameDrawn(frameStart);
            DrawCornerText(figure.Text(), loop.surface.width, loop.surface.height);
        }
        if (frame == options.frames) {
            if (!options.snapshotPath.empty() &&
                !SaveSnapshot(loop.surface, options.snapshotPath)) {
                std::fprintf(stderr, "nuvrel: cannot write %s\n", options.snapshotPath.c_str());
            }
            PresentFrame(loop.surface);
            glFinish();
            const double seconds = SteadySeconds() - timingStart;
            std::printf("frames: %ld\nsize: %dx%d\nframe rate: %.1f frames/s\n", frame,
                        loop.surface.width, loop.surface.height, (frame - timedFrom) / seconds);
            std::printf("refresh: %d Hz\nswap interval: %d%s\n", loop.refreshHz, loop.swapInterval,
                        loop.swapControl ? "" : " (no swap control)");
            return Ending::FramesDone;
        }
        PresentFrame(loop.surface);
        if (frame == timedFrom) {
            glFinish();
            timingStart = SteadySeconds();
        }
        WaitAfterFrame(loop);
    }
}

int Run(const Options& options) {
    if (!CatchStopSignals()) {
        std::perror("nuvrel: signals");
        return 1;
    }
    Surface surface;
    std::string error;
    switch (OpenSurface(options, surface, error)) {
        case Opening::Opened:
            break;
        case Opening::NoOpenGl: {
            const int code = ShowNoOpenGlNotice(surface, error);
            CloseSurface(surface);
            return code;
        }
        case Opening::Failed:
            std::fprintf(stderr, "nuvrel: %s\n", error.c_str());
            return 1;
    }
    const std::uint32_t seed = options.seed ? *options.seed : SeedFromClockAndProcess();
    std::unique_ptr<VortexScene> scene = TryBuildVortexScene(seed);
    if (!scene) {
        std::fputs("nuvrel: not enough memory for the scene\n", stderr);
        CloseSurface(surface);
        return 1;
    }
    SetUpDrawing(WholeWindow(surface), scene->view);
    Loop loop{surface, options, *scene, FramePacer(TargetRefreshHz)};
    loop.refreshHz = ReadRefreshHz(surface);
    loop.pacer = FramePacer(loop.refreshHz);
    loop.swapInterval = options.uncapped ? 0 : SwapIntervalFor(loop.refreshHz);
    loop.swapControl = RequestSwapInterval(surface, loop.swapInterval);
    const Ending ending = RunFrames(loop);
    if (ending == Ending::WindowGone) {
        std::fprintf(stderr, "nuvrel: the window 0x%lx went away\n", surface.window);
    }
    TearDownDrawing();
    CloseSurface(surface);
    return ending == Ending::WindowGone ? 1 : 0;
}

}  // namespace
}  // namespace nuvrel::x11

int main(int argc, char* argv[]) {
    using namespace nuvrel::x11;
    const CommandLine commandLine =
        ParseCommandLine(argc, argv, std::getenv("XSCREENSAVER_WINDOW"));
    switch (commandLine.outcome) {
        case Outcome::Help:
            std::fputs(Usage, stdout);
            return 0;
        case Outcome::Bad:
            std::fprintf(stderr, "nuvrel: %s\n%s", commandLine.error.c_str(), Usage);
            return 1;
        case Outcome::Run:
            break;
    }
    return Run(commandLine.options);
}
