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

// What the loop does after a frame that a test or benchmark build watches.
enum class AfterFrame { DrawOn, HoldLastFrame, Close };

// What test and benchmark builds watch of the frame loop; the shipped renderer has none.
class FrameObserver {
  public:
    virtual ~FrameObserver() = default;
    virtual void PaceChosen(int swapInterval) = 0;
    virtual AfterFrame FramePresented(HWND window, PaceClock::time_point presented) = 0;
};

// What test and benchmark builds may change; the shipped renderer takes the defaults.
struct RendererOptions {
    FramePace pace;
    std::optional<std::uint32_t> seed;  // the calendar time's when not set
    FrameObserver* observer = nullptr;
};

// Opens the renderer's full-screen window, draws frames until input ends it and returns
// the exit code.
int RunSaverWindow(HINSTANCE instance, const RendererOptions& options);

}  // namespace nuvrel
