#pragma once

#include <array>
#include <cstdint>

namespace nuvrel::x11 {

// A small bitmap font for the frame-rate figure: digits, '.', ' ', 'f', 'p' and 's' in
// 5x7 cells, drawn twice their size.
constexpr int GlyphColumns = 5;
constexpr int GlyphRows = 7;
constexpr int GlyphScale = 2;
constexpr int GlyphWidth = GlyphColumns * GlyphScale;  // pixels
constexpr int GlyphHeight = GlyphRows * GlyphScale;    // pixels
constexpr int GlyphAdvance = GlyphWidth + GlyphScale;  // one scaled column between glyphs
constexpr int GlyphBytesPerRow = (GlyphWidth + 7) / 8;

// A glyph as glBitmap takes it with an unpack alignment of 1: bottom row first, most
// significant bit leftmost.
using GlyphBitmap = std::array<std::uint8_t, GlyphBytesPerRow * GlyphHeight>;

// The scaled bitmap of a character; characters outside the font come out blank.
const GlyphBitmap& GlyphFor(char character);

}  // namespace nuvrel::x11
