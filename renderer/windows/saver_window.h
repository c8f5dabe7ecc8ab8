#pragma once

#include <windows.h>

#include <cstdint>
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

// What test and benchmark builds may change; the shipped renderer takes the defaults.
struct RendererOptions {
    FramePace pace;
    std::optional<std::uint32_t> seed;  // the calendar time's when not set
    long frameLimit = 0;                // after that many frames: close, or hold the last
    bool holdLastFrame = false;
};

// Opens the renderer's full-screen window, draws frames until input ends it and returns
// the exit code.
int RunSaverWindow(HINSTANCE instance, const RendererOptions& options, FrameCount* count = nullptr);

}  // namespace nuvrel
