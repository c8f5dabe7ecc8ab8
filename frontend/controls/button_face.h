#pragma once

// The button's face in pixels: the state images drawn from their ring colours, the eight
// frame pieces copied from them, the gradient and the caption's place.

#include <array>
#include <cstdint>

#include "frontend/controls/command_button_state.h"
#include "frontend/controls/dpi_scale.h"

namespace nuvrel {

struct Rgb {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;

    friend bool operator==(Rgb a, Rgb b) { return a.R == b.R && a.G == b.G && a.B == b.B; }
    friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

constexpr Rgb RgbOf(std::uint32_t hex) {
    return {static_cast<std::uint8_t>(hex >> 16), static_cast<std::uint8_t>(hex >> 8),
            static_cast<std::uint8_t>(hex)};
}

constexpr int TwipsPerPixel = 15;
constexpr int FrameWidth = 4;
constexpr int StateImageWidth = 64;
constexpr int StateImageHeight = 25;

// The four pixel rings of each side, from the outside in, along the middle of the side.
struct FrameRings {
    std::array<Rgb, FrameWidth> Top;
    std::array<Rgb, FrameWidth> Bottom;
    std::array<Rgb, FrameWidth> Left;
    std::array<Rgb, FrameWidth> Right;
};

const FrameRings& RingsOf(FaceImage image);

// A state image, rows from the top. Only the outer FrameWidth pixels are ever shown; the
// corners are rounded, their pixels blended between neighbouring rings and sides.
using StateImage = std::array<Rgb, StateImageWidth * StateImageHeight>;
StateImage DrawStateImage(FaceImage image);

struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

struct FramePiece {
    PixelRect Destination;
    PixelRect Source;  // in the state image
};

// The corners, edges and their copies from the state image, for a face of this size: top
// left corner, top edge, top right corner, right edge, bottom right corner, bottom edge,
// bottom left corner, left edge. A face narrower or lower than two frames gets empty edges.
// At another DPI than 96 the frame keeps its width in inches: the pieces' destinations grow
// with the DPI while their sources stay the image's pixels.
std::array<FramePiece, 8> FramePieces(int width, int height, int dpi = DefaultDpi);

// The frame's width in pixels at the DPI.
int FrameWidthAt(int dpi);

struct Gradient {
    Rgb Top;
    Rgb Bottom;
};

Gradient FaceGradient(bool inverted);

// The caption's top, a little above the middle.
int CaptionTop(int faceHeight, int captionHeight, int dpi = DefaultDpi);

}  // namespace nuvrel
