#pragma once

#include "renderer/pacing/frame_pacer.h"

namespace nuvrel {

// Sleeps until the time has passed or a message arrives for the thread, whichever comes
// first: input during the wait is handled at once.
void WaitForMessageOrTimeout(PaceClock::duration timeout);

// A 1 ms system timer resolution for as long as it lives, so that waits between frames
// end on time.
class FineTimerResolution {
  public:
    FineTimerResolution();
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
    ~FineTimerResolution();

  private:
    bool raised_ = false;
};

}  // namespace nuvrel
