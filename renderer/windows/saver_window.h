#pragma once

#include <windows.h>

#include <optional>

#include "renderer/pacing/frame_pacer.h"

namespace nuvrel {

// How the frame loop paces its frames. The shipped renderer paces by the primary monitor's
// refresh; test and benchmark builds may set the period or draw frames back to back.
struct FramePace {
    std::optional<int> refreshHz;        // the monitor's when not set
    std::optional<Microseconds> period;  // overrides the refresh's period
    bool uncapped = false;               // no vsync and no wait: frames back to back
};

// What a run drew, for benchmarks.
struct FrameCount {
    long frames = 0;
    PaceClock::duration drawing{};  // from the first frame to the last
    int swapInterval = 0;
};

// Opens the renderer's full-screen window, draws frames until input ends it and returns
// the exit code. With a frame limit, the window closes itself after that many frames.
int RunSaverWindow(HINSTANCE instance, const FramePace& pace, long frameLimit = 0,
                   FrameCount* count = nullptr);

}  // namespace nuvrel
