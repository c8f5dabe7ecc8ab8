#pragma once

#include "renderer/pacing/frame_pacer.h"

namespace nuvrel {

// Sleeps until the time has passed or a message arrives for the thread, whichever comes
// first: input during the wait is handled at once.
void WaitForMessageOrTimeout(PaceClock::duration timeout);

// The system timer's resolution: 1 ms while held, so that waits between frames end on
// time; the system's default, lighter on the machine, while let go. Let go at the end.
class FineTimerResolution {
  public:
    FineTimerResolution() = default;
    FineTimerResolution(const FineTimerResolution&) = delete;
    FineTimerResolution& operator=(const FineTimerResolution&) = delete;
    ~FineTimerResolution() { Hold(false); }

    void Hold(bool fine);

  private:
    bool raised_ = false;
};

}  // namespace nuvrel
