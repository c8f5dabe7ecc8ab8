// nuvrel: the vortex as an XScreenSaver display mode, on Xlib and GLX.
//
// Exit codes: 0 when ended by SIGTERM, SIGINT, a key, a click, the close button or the end
// of --frames; 1 for a bad command line, no display, no OpenGL for its own window, a window
// that went away or a snapshot that could not be written. A root or given window without
// OpenGL shows why until stopped.

#include <poll.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "nuvrel_version.h"
#include "renderer/pacing/frame_pacer.h"
#include "renderer/scene/scene_drawing.h"
#include "renderer/x11/command_line.h"
#include "renderer/x11/display_pace.h"
#include "renderer/x11/frame_rate.h"
#include "renderer/x11/loop_rules.h"
#include "renderer/x11/no_gl_notice.h"
#include "renderer/x11/ppm.h"
#include "renderer/x11/seed.h"
#include "renderer/x11/stop_signals.h"
#include "renderer/x11/text_overlay.h"
#include "renderer/x11/x11_surface.h"

namespace nuvrel::x11 {
namespace {

struct Loop {
    Surface& surface;
    const Options& options;
    WindowState window;
    FrameWaits waits;
    int screenChangeEvent = -1;  // XRandR's event type; -1 without it
    bool paceChosen = false;
    int refreshHz = 0;     // 0 where the server cannot tell
    int swapInterval = 0;  // asked of GLX; 0 for none
    bool swapControl = false;
};

double SteadySeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

ViewportRect WholeWindow(const Surface& surface) {
    return ViewportRect{0, 0, surface.width, surface.height};
}

WindowEvent ReadEvent(const Loop& loop, XEvent& event) {
    const Surface& surface = loop.surface;
    if (event.type == loop.screenChangeEvent) {
        NoteScreenChange(event);
        return WindowEvent{EventKind::ScreenChange};
    }
    if (event.xany.window != surface.window) {
        return WindowEvent{};
    }
    switch (event.type) {
        case ConfigureNotify:
            return WindowEvent{EventKind::Configure, event.xconfigure.width,
                               event.xconfigure.height};
        case MapNotify:
            return WindowEvent{EventKind::Map};
        case DestroyNotify:
            return WindowEvent{EventKind::Destroy};
        case KeyPress:
        case ButtonPress:
            return WindowEvent{EventKind::Key};
        case ClientMessage: {
            const XClientMessageEvent& message = event.xclient;
            return WindowEvent{ClientMessageKind({message.message_type, message.format,
                                                  static_cast<unsigned long>(message.data.l[0])},
                                                 {surface.wmProtocols, surface.deleteWindow})};
        }
        default:
            return WindowEvent{};
    }
}

void HandlePendingEvents(Loop& loop) {
    Display* display = loop.surface.display;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        ApplyEvent(loop.window, ReadEvent(loop, event));
    }
    loop.window.gone = loop.window.gone || WindowGone();
}

Ending EndingNow(const Loop& loop) {
    return EndingNow(loop.window, StopRequested());
}

// Sleeps until an event or a stop signal comes, or the timeout ends (none: no limit).
void SleepForEvents(const Loop& loop, const timespec* timeout) {
    pollfd waits[2] = {{ConnectionNumber(loop.surface.display), POLLIN, 0},
                       {StopSignalFd(), POLLIN, 0}};
    ppoll(waits, 2, timeout, nullptr);
}

// Handles events until the window may be drawn or there is an ending.
void WaitUntilReady(Loop& loop) {
    for (HandlePendingEvents(loop); EndingNow(loop) == Ending::Running && !ReadyToDraw(loop.window);
         HandlePendingEvents(loop)) {
        SleepForEvents(loop, nullptr);
    }
}

// Handles events until the deadline or an ending.
void WaitUntil(Loop& loop, double deadline) {
    for (HandlePendingEvents(loop); EndingNow(loop) == Ending::Running; HandlePendingEvents(loop)) {
        const double left = deadline - SteadySeconds();
        if (left <= 0.0) {
            return;
        }
        const timespec timeout{static_cast<time_t>(left),
                               static_cast<long>((left - static_cast<time_t>(left)) * 1e9)};
        SleepForEvents(loop, &timeout);
    }
}

bool SaveSnapshot(const Surface& surface, const std::string& path) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(surface.width) * surface.height * 3);
    glReadBuffer(surface.doubleBuffered ? GL_BACK : GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surface.width, surface.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    errno = 0;
    if (WritePpmFromBottomUp(path, surface.width, surface.height, pixels)) {
        return true;
    }
    std::fprintf(stderr, "nuvrel: cannot write %s: %s\n", path.c_str(),
                 errno != 0 ? std::strerror(errno) : "no picture");
    return false;
}

void WaitAfterFrame(Loop& loop) {
    const double presented = SteadySeconds();
    const Microseconds wait = loop.waits.AfterFrame(PaceClock::now());
    if (wait.count() > 0) {
        WaitUntil(loop, presented + wait.count() * 1e-6);
    }
}

// The pace follows the monitor that shows the most of the window.
void FollowMonitor(Loop& loop) {
    loop.window.placeChanged = false;
    const int refreshHz = ReadRefreshHz(loop.surface);
    if (loop.paceChosen && refreshHz == loop.refreshHz) {
        return;
    }
    loop.paceChosen = true;
    loop.refreshHz = refreshHz;
    loop.waits.SetRefresh(refreshHz);
    loop.swapInterval = loop.options.uncapped ? 0 : SwapIntervalFor(refreshHz);
    loop.swapControl = RequestSwapInterval(loop.surface, loop.swapInterval);
}

void FollowSize(Loop& loop, VortexScene& scene) {
    loop.window.sizeChanged = false;
    loop.surface.width = loop.window.width;
    loop.surface.height = loop.window.height;
    ResizeDrawing(WholeWindow(loop.surface), scene.view);
}

enum class FramesEnd { Ended, Done, SnapshotFailed };

void PrintFigures(const Loop& loop, long frames, double framesPerSecond) {
    std::printf("frames: %ld\nsize: %dx%d\nframe rate: %.1f frames/s\n", frames, loop.surface.width,
                loop.surface.height, framesPerSecond);
    std::printf("refresh: %d Hz\nswap interval: %d%s\n", loop.refreshHz, loop.swapInterval,
                loop.swapControl ? "" : " (no swap control)");
}

FramesEnd RunFrames(Loop& loop, VortexScene& scene) {
    const Options& options = loop.options;
    FrameRateFigure figure;
    const long timedFrom = options.frames / 2;  // the second half: past the fade-in
    double timingStart = SteadySeconds();
    for (long frame = 1;; ++frame) {
        HandlePendingEvents(loop);
        if (EndingNow(loop) != Ending::Running) {
            return FramesEnd::Ended;
        }
        if (loop.window.sizeChanged) {
            FollowSize(loop, scene);
        }
        if (loop.window.placeChanged) {
            FollowMonitor(loop);
        }
        const double frameStart = SteadySeconds();
        DrawSceneFrame(scene);
        if (options.showFrameRate) {
            figure.FrameDrawn(frameStart);
            DrawCornerText(figure.Text(), loop.surface.width, loop.surface.height);
        }
        if (frame == options.frames) {
            const bool saved =
                options.snapshotPath.empty() || SaveSnapshot(loop.surface, options.snapshotPath);
            PresentFrame(loop.surface);
            glFinish();
            PrintFigures(loop, frame, (frame - timedFrom) / (SteadySeconds() - timingStart));
            return saved ? FramesEnd::Done : FramesEnd::SnapshotFailed;
        }
        PresentFrame(loop.surface);
        if (frame == timedFrom) {
            glFinish();
            timingStart = SteadySeconds();
        }
        WaitAfterFrame(loop);
    }
}

// Draws until an ending; returns the exit code.
int Animate(Loop& loop, VortexScene& scene) {
    WaitUntilReady(loop);
    FramesEnd end = FramesEnd::Ended;
    if (EndingNow(loop) == Ending::Running) {
        loop.surface.width = loop.window.width;
        loop.surface.height = loop.window.height;
        loop.window.sizeChanged = false;
        SetUpDrawing(WholeWindow(loop.surface), scene.view);
        end = RunFrames(loop, scene);
        TearDownDrawing();
    }
    if (end != FramesEnd::Ended) {
        return end == FramesEnd::Done ? 0 : 1;
    }
    const Ending ending = EndingNow(loop);
    if (ending == Ending::WindowGone) {
        std::fprintf(stderr, "nuvrel: the window 0x%lx went away\n", loop.surface.window);
    }
    return ExitCode(ending);
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
    Loop loop{
        surface, options, StartingWindowState(surface.ownWindow, surface.width, surface.height),
        FrameWaits(TargetRefreshHz, Microseconds{options.delayMicroseconds}, !options.uncapped)};
    loop.screenChangeEvent = WatchScreenChanges(surface.display);
    const int code = Animate(loop, *scene);
    CloseSurface(surface);
    return code;
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
        case Outcome::Version:
            std::puts("nuvrel " NUVREL_VERSION_TEXT);
            return 0;
        case Outcome::Bad:
            std::fprintf(stderr, "nuvrel: %s\n%s", commandLine.error.c_str(), Usage);
            return 1;
        case Outcome::Run:
            break;
    }
    return Run(commandLine.options);
}
