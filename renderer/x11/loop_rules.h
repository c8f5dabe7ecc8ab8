#pragma once

#include <cstdint>

#include "renderer/pacing/frame_pacer.h"

namespace nuvrel::x11 {

// What the frame loop makes of an X event, read from it by the X layer.
enum class EventKind {
    Configure,     // the drawn window's size or place changed
    Map,           // the drawn window is on the screen
    Destroy,       // the drawn window was destroyed
    Key,           // a key or a button pressed in the drawn window
    CloseRequest,  // the window manager's close button: WM_DELETE_WINDOW
    ScreenChange,  // monitors changed (XRandR)
    Other,
};

struct WindowEvent {
    EventKind kind = EventKind::Other;
    int width = 0;  // Configure
    int height = 0;
};

// The drawn window as its events tell it.
struct WindowState {
    bool ownWindow = false;  // the program's own window, which input ends
    int width = 0;
    int height = 0;
    bool mapped = false;
    bool sizeChanged = false;  // the drawing must follow the new size
    bool placeChanged = true;  // the monitor under the window may differ: choose it again
    bool closed = false;       // by a key, a click or the close button
    bool gone = false;
};

WindowState StartingWindowState(bool ownWindow, int width, int height);

void ApplyEvent(WindowState& state, const WindowEvent& event);

enum class Ending { Running, Stopped, Closed, WindowGone };

// Why the program must end now, if it must. A stop signal wins over the window's end.
Ending EndingNow(const WindowState& state, bool stopRequested);

// The program's own window is drawn once it is mapped; a window of someone else's at once.
bool ReadyToDraw(const WindowState& state);

int ExitCode(Ending ending);

// A ClientMessage is the close button only as WM_PROTOCOLS carrying WM_DELETE_WINDOW.
struct ClientMessageFields {
    unsigned long type = 0;
    int format = 0;
    unsigned long first = 0;  // data.l[0]
};
struct ProtocolAtoms {
    unsigned long protocols = 0;  // WM_PROTOCOLS
    unsigned long deleteWindow = 0;
};
EventKind ClientMessageKind(const ClientMessageFields& message, const ProtocolAtoms& atoms);

// X protocol error codes that name a window which no longer exists.
constexpr int BadWindowCode = 3;
constexpr int BadDrawableCode = 9;
constexpr int GlxBadDrawableOffset = 2;  // from GLX's first error code
constexpr int GlxBadWindowOffset = 12;

// An X error means the drawn window went away only when it says that the window named is
// no window; other errors name a window too (BadMatch, BadAccess) or a value that may equal
// its id (BadValue). glxErrorBase is -1 without GLX.
bool ErrorMeansWindowGone(int errorCode, unsigned long resourceId, unsigned long window,
                          int glxErrorBase);

// The wait after each frame: the pace's, then -delay's pause on top of it, as an
// XScreenSaver display mode pauses after each frame. The pacer keeps its schedule on a clock
// that leaves the pauses out, so a pause lengthens every frame instead of being taken out of
// the next frame's wait.
class FrameWaits {
  public:
    FrameWaits(int refreshHz, Microseconds delay, bool paced)
        : pacer_(refreshHz), delay_(delay), paced_(paced) {}

    // The monitor under the window changed.
    void SetRefresh(int refreshHz) { pacer_ = FramePacer(refreshHz); }

    Microseconds AfterFrame(PaceClock::time_point presented);

  private:
    FramePacer pacer_;
    Microseconds delay_;
    bool paced_;
    Microseconds paused_{0};
};

}  // namespace nuvrel::x11
