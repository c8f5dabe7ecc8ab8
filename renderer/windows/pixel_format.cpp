#include "renderer/windows/pixel_format.h"

namespace nuvrel {

namespace {

constexpr int DriverOwnBonus = 2000;
constexpr int GenericAcceleratedBonus = 1000;

}  // namespace

int ScorePixelFormat(const PixelFormatCandidate& candidate) {
    using namespace pixel_format_flags;
    constexpr std::uint32_t required = SupportOpenGl | DrawToWindow | DoubleBuffer;
    if ((candidate.flags & required) != required || candidate.pixelType != PixelTypeRgba) {
        return 0;
    }
    int score = candidate.colourBits + 2 * candidate.depthBits;
    if (candidate.colourBits > 16) {
        score += (16 - candidate.colourBits) / 2;  // colour bits above 16 count half
    }
    if ((candidate.flags & GenericFormat) == 0) {
        score += DriverOwnBonus;
    } else if ((candidate.flags & GenericAccelerated) != 0) {
        score += GenericAcceleratedBonus;
    }
    return score;
}

int BestPixelFormat(const std::vector<PixelFormatCandidate>& candidates) {
    int bestScore = 0;
    int bestIndex = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const int score = ScorePixelFormat(candidates[i]);
        if (score > bestScore) {
            bestScore = score;
            bestIndex = static_cast<int>(i) + 1;
        }
    }
    return bestIndex;
}

}  // namespace nuvrel
