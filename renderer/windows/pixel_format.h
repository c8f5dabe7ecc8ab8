#pragma once

#include <cstdint>
#include <vector>

namespace nuvrel {

// The fields of a pixel format descriptor that the choice reads.
struct PixelFormatCandidate {
    std::uint32_t flags = 0;
    std::uint8_t pixelType = 0;
    std::uint8_t colourBits = 0;
    std::uint8_t depthBits = 0;
};

namespace pixel_format_flags {
constexpr std::uint32_t DoubleBuffer = 0x1;
constexpr std::uint32_t DrawToWindow = 0x4;
constexpr std::uint32_t SupportOpenGl = 0x20;
constexpr std::uint32_t GenericFormat = 0x40;
constexpr std::uint32_t GenericAccelerated = 0x1000;
}  // namespace pixel_format_flags

constexpr std::uint8_t PixelTypeRgba = 0;

// Hardware acceleration first, then depth-buffer precision, then colour depth; 0 for a
// format that is not a double-buffered RGBA window format for OpenGL.
int ScorePixelFormat(const PixelFormatCandidate& candidate);

// The 1-based index of the best-scoring format, the lowest of equals; 0 when none qualifies.
int BestPixelFormat(const std::vector<PixelFormatCandidate>& candidates);

}  // namespace nuvrel
