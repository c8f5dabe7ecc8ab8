#pragma once

#include <array>

namespace nuvrel::x11 {

// The frame-rate figure shown in a corner: frames per second over the last second or so,
// written into a buffer of its own so that no frame allocates.
class FrameRateFigure {
  public:
    // Counts a frame drawn at the given time (seconds on a steady clock).
    void FrameDrawn(double now);

    // "0.0 fps" until a second has passed, then the latest figure.
    const char* Text() const { return text_.data(); }

  private:
    void Write(double framesPerSecond);

    double periodStart_ = -1.0;
    int framesInPeriod_ = 0;
    std::array<char, 24> text_ = {'0', '.', '0', ' ', 'f', 'p', 's', '\0'};
};

}  // namespace nuvrel::x11
