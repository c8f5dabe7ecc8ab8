#include "renderer/x11/loop_rules.h"

namespace nuvrel::x11 {

WindowState StartingWindowState(bool ownWindow, int width, int height) {
    WindowState state;
    state.ownWindow = ownWindow;
    state.width = width;
    state.height = height;
    state.mapped = !ownWindow;
    return state;
}

void ApplyEvent(WindowState& state, const WindowEvent& event) {
    switch (event.kind) {
        case EventKind::Configure:
            if (event.width != state.width || event.height != state.height) {
                state.width = event.width;
                state.height = event.height;
                state.sizeChanged = true;
            }
            state.placeChanged = true;
            break;
        case EventKind::Map:
            state.mapped = true;
            break;
        case EventKind::Destroy:
            state.gone = true;
            break;
        case EventKind::Key:
        case EventKind::CloseRequest:
            // Input in another's window belongs to whoever made it.
            state.closed = state.closed || state.ownWindow;
            break;
        case EventKind::ScreenChange:
            state.placeChanged = true;
            break;
        case EventKind::Other:
            break;
    }
}

Ending EndingNow(const WindowState& state, bool stopRequested) {
    if (stopRequested) {
        return Ending::Stopped;
    }
    if (state.gone) {
        return Ending::WindowGone;
    }
    return state.closed ? Ending::Closed : Ending::Running;
}

bool ReadyToDraw(const WindowState& state) {
    return state.mapped || !state.ownWindow;
}

int ExitCode(Ending ending) {
    return ending == Ending::WindowGone ? 1 : 0;
}

EventKind ClientMessageKind(const ClientMessageFields& message, const ProtocolAtoms& atoms) {
    const bool deleteRequest = message.type == atoms.protocols && message.format == 32 &&
                               atoms.deleteWindow != 0 && message.first == atoms.deleteWindow;
    return deleteRequest ? EventKind::CloseRequest : EventKind::Other;
}

bool ErrorMeansWindowGone(int errorCode, unsigned long resourceId, unsigned long window,
                          int glxErrorBase) {
    if (window == 0 || resourceId != window) {
        return false;
    }
    const bool glxNoWindow =
        glxErrorBase >= 0 && (errorCode == glxErrorBase + GlxBadDrawableOffset ||
                              errorCode == glxErrorBase + GlxBadWindowOffset);
    return errorCode == BadWindowCode || errorCode == BadDrawableCode || glxNoWindow;
}

Microseconds FrameWaits::AfterFrame(PaceClock::time_point presented) {
    Microseconds wait{0};
    if (paced_) {
        wait = pacer_.WaitAfterFrame(presented - paused_);
    }
    paused_ += delay_;
    return wait + delay_;
}

}  // namespace nuvrel::x11
