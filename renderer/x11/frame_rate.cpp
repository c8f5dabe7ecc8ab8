#include "renderer/x11/frame_rate.h"

#include <cstdio>

namespace nuvrel::x11 {

namespace {
constexpr double Period = 1.0;
}  // namespace

void FrameRateFigure::FrameDrawn(double now) {
    if (periodStart_ < 0.0) {
        periodStart_ = now;
        return;
    }
    ++framesInPeriod_;
    const double elapsed = now - periodStart_;
    if (elapsed >= Period) {
        Write(framesInPeriod_ / elapsed);
        periodStart_ = now;
        framesInPeriod_ = 0;
    }
}

void FrameRateFigure::Write(double framesPerSecond) {
    std::snprintf(text_.data(), text_.size(), "%.1f fps", framesPerSecond);
}

}  // namespace nuvrel::x11
