#pragma once

#include <chrono>

namespace nuvrel {

// The scene moves one step a frame, so its speed is the frame rate. The pacer keeps that near
// the pace of a 60 Hz display on any display: vsync every few refreshes where the driver
// honours a swap interval, and a wait after each frame where frames come early (vsync off,
// ignored or absent).

using PaceClock = std::chrono::steady_clock;
using Microseconds = std::chrono::microseconds;

constexpr int TargetRefreshHz = 60;

// The refresh rate to pace by: an unknown one (0 or 1, Windows' "hardware default") counts
// as 60 Hz.
int KnownRefreshHz(int refreshHz);

// Refreshes per frame: max(1, round(refresh / 60)).
int SwapIntervalFor(int refreshHz);

// The time between frames at that swap interval.
Microseconds FramePeriodFor(int refreshHz);

class FramePacer {
  public:
    explicit FramePacer(int refreshHz) : FramePacer(FramePeriodFor(refreshHz)) {}
    explicit FramePacer(Microseconds period);

    Microseconds Period() const { return period_; }

    // Called once a frame has been presented, with the time then: how long to wait before
    // the next frame. Frames are due one period apart; a frame within the slack of its due
    // time or later (vsync holding the pace, even at a refresh reported rounded down)
    // waits for nothing and starts the schedule again from itself, so vsync's frames never
    // get a wait and a late frame causes no burst of catch-up frames.
    Microseconds WaitAfterFrame(PaceClock::time_point presented);

    // True while the pacer keeps the pace itself: it asked for a wait within the last
    // second or so of frames. False while vsync holds the pace, and before the first frame.
    bool Pacing() const;

  private:
    Microseconds WaitFor(PaceClock::time_point presented);

    Microseconds period_;
    Microseconds slack_;
    PaceClock::time_point due_{};
    bool started_ = false;
    int framesWithoutWait_;
};

}  // namespace nuvrel
