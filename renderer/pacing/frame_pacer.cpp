#include "renderer/pacing/frame_pacer.h"

#include <algorithm>

namespace nuvrel {
namespace {

// A frame this close to its due time is on time. Vsync holds the pace at a refresh that the
// system may report rounded down: 59.94 Hz as 59 brings each frame 1.6 % of the period
// early, 29.97 Hz as 29 3.3 %. Or the wait would be shorter than a timer can measure.
Microseconds SlackOf(Microseconds period) {
    return std::max(Microseconds{1000}, period / 16);
}

// Frames without a wait after which the pace counts as vsync's rather than the pacer's.
constexpr int FramesToLetGo = 60;

}  // namespace

int KnownRefreshHz(int refreshHz) {
    return refreshHz > 1 ? refreshHz : TargetRefreshHz;
}

int SwapIntervalFor(int refreshHz) {
    const int refresh = KnownRefreshHz(refreshHz);
    return std::max(1, (refresh + TargetRefreshHz / 2) / TargetRefreshHz);
}

Microseconds FramePeriodFor(int refreshHz) {
    const int refresh = KnownRefreshHz(refreshHz);
    const long long microseconds = 1000000LL * SwapIntervalFor(refresh);
    return Microseconds{(microseconds + refresh / 2) / refresh};
}

FramePacer::FramePacer(Microseconds period)
    : period_(period), slack_(SlackOf(period)), framesWithoutWait_(FramesToLetGo) {}

Microseconds FramePacer::WaitAfterFrame(PaceClock::time_point presented) {
    const Microseconds wait = WaitFor(presented);
    framesWithoutWait_ =
        wait > Microseconds{0} ? 0 : std::min(framesWithoutWait_ + 1, FramesToLetGo);
    return wait;
}

bool FramePacer::Pacing() const {
    return framesWithoutWait_ < FramesToLetGo;
}

Microseconds FramePacer::WaitFor(PaceClock::time_point presented) {
    if (!started_) {
        started_ = true;
        due_ = presented;  // the first frame sets the schedule
        return Microseconds{0};
    }
    due_ += period_;
    if (due_ - presented > period_) {
        due_ = presented + period_;  // the clock went back
    }
    const auto wait = std::chrono::duration_cast<Microseconds>(due_ - presented);
    if (wait <= slack_) {
        // On time or late: the schedule starts again from this frame, so that it neither
        // drifts from a refresh it holds nor catches up with a burst.
        due_ = presented;
        return Microseconds{0};
    }
    return wait;
}

}  // namespace nuvrel
