#include "renderer/pacing/frame_pacer.h"

#include <algorithm>

namespace nuvrel {
namespace {

// A frame this close to its due time is on time: vsync holds the pace, or the wait would be
// shorter than a timer can measure.
constexpr Microseconds Slack{1000};

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

Microseconds FramePacer::WaitAfterFrame(PaceClock::time_point presented) {
    if (!started_) {
        started_ = true;
        due_ = presented;  // the first frame sets the schedule
        return Microseconds{0};
    }
    due_ += period_;
    if (due_ <= presented) {
        due_ = presented;  // late: no catching up
        return Microseconds{0};
    }
    if (due_ - presented > period_) {
        due_ = presented + period_;  // the clock went back
    }
    const auto wait = std::chrono::duration_cast<Microseconds>(due_ - presented);
    return wait <= Slack ? Microseconds{0} : wait;
}

}  // namespace nuvrel
