#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nuvrel::x11 {

// Writes a binary PPM (P6), top row first, from RGB pixels read back from OpenGL, which
// come bottom row first with no padding between rows. Returns false when the file cannot
// be written.
bool WritePpmFromBottomUp(const std::string& path, int width, int height,
                          const std::vector<std::uint8_t>& bottomUpRgb);

}  // namespace nuvrel::x11
