#include "frontend/controls/button_face.h"

#include <algorithm>
#include <cmath>

namespace nuvrel {
namespace {

constexpr std::array<Rgb, 4> Rings(std::uint32_t a, std::uint32_t b, std::uint32_t c,
                                   std::uint32_t d) {
    return {RgbOf(a), RgbOf(b), RgbOf(c), RgbOf(d)};
}

constexpr FrameRings NormalRings{
    Rings(0xDCD6C2, 0x003C74, 0xF3F3EE, 0xF3F3EE), Rings(0xFAFAF6, 0x003C74, 0xD6D0C5, 0xE2DFD6),
    Rings(0xE2DECB, 0x003C74, 0xF4F4F0, 0xF4F4F0), Rings(0xF0EEE0, 0x003C74, 0xE8E5DF, 0xEEEDE7)};
constexpr FrameRings HighLightRings{
    Rings(0xDCD6C2, 0x003C74, 0xFFF0CF, 0xFDD889), Rings(0xFAFAF6, 0x003C74, 0xE59700, 0xF8B330),
    Rings(0xE2DECB, 0x003C74, 0xFCCA69, 0xFBCA6A), Rings(0xF0EEE0, 0x003C74, 0xFCCA69, 0xFBCA6A)};
constexpr FrameRings SelectedRings{
    Rings(0xDCD6C2, 0x003C74, 0xCEE7FF, 0xCEE7FF), Rings(0xFAFAF6, 0x003C74, 0x6982EE, 0x6982EE),
    Rings(0xE2DECB, 0x003C74, 0xA9C5EF, 0xA8C6F0), Rings(0xF0EEE0, 0x003C74, 0xA9C5EF, 0xA9C5EF)};
constexpr FrameRings PressedRings{
    Rings(0xECE9D8, 0xDCD6C2, 0x003C74, 0xD1CCC1), Rings(0xECE9D8, 0xFAFAF6, 0x003C74, 0xF2F1EE),
    Rings(0xECE9D8, 0xE2DECB, 0x003C74, 0xD7D4CB), Rings(0xECE9D8, 0xF0EEE0, 0x003C74, 0xE4E3DC)};
constexpr std::array<Rgb, 4> DisableSide = Rings(0xECE9D8, 0xC9C7BA, 0xF5F4EA, 0xF5F4EA);
constexpr FrameRings DisableRings{DisableSide, DisableSide, DisableSide, DisableSide};

// The frame pieces in twips, as a face of W x H twips takes them from a 960 x 375 twip image.
constexpr int Frame = FrameWidth * TwipsPerPixel;
constexpr int ImageWidth = StateImageWidth * TwipsPerPixel;
constexpr int ImageHeight = StateImageHeight * TwipsPerPixel;
constexpr int EdgeWidth = ImageWidth - 2 * Frame;
constexpr int EdgeHeight = ImageHeight - 2 * Frame;

int PixelsOf(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

PixelRect PixelRectOf(int left, int top, int width, int height) {
    return {PixelsOf(left), PixelsOf(top), std::max(0, PixelsOf(width)),
            std::max(0, PixelsOf(height))};
}

Rgb Mix(Rgb a, Rgb b, double share) {
    const auto channel = [share](int x, int y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * share));
    };
    return {channel(a.R, b.R), channel(a.G, b.G), channel(a.B, b.B)};
}

// The colour at a depth of `depth` pixels from the outer edge; between two rings the
// colour is blended.
Rgb RingColour(const std::array<Rgb, FrameWidth>& rings, double depth) {
    if (depth <= 0) {
        return rings.front();
    }
    if (depth >= FrameWidth - 1) {
        return rings.back();
    }
    const int ring = static_cast<int>(depth);
    return Mix(rings[ring], rings[ring + 1], depth - ring);
}

// Pixels within FrameWidth of two sides lie on a quarter circle about the point FrameWidth
// in from both: their depth is measured along its radius, and their colour turns from one
// side's to the other's with the angle.
Rgb PixelOf(const FrameRings& rings, int x, int y) {
    const int fromLeft = x;
    const int fromRight = StateImageWidth - 1 - x;
    const int fromTop = y;
    const int fromBottom = StateImageHeight - 1 - y;
    const bool left = fromLeft < fromRight;
    const bool top = fromTop < fromBottom;
    const int across = std::min(fromLeft, fromRight);
    const int down = std::min(fromTop, fromBottom);
    const auto& horizontalSide = top ? rings.Top : rings.Bottom;
    const auto& verticalSide = left ? rings.Left : rings.Right;
    if (across < FrameWidth && down < FrameWidth) {
        const double dx = FrameWidth - (across + 0.5);
        const double dy = FrameWidth - (down + 0.5);
        const double depth = FrameWidth - 0.5 - std::hypot(dx, dy);
        const double towardsVertical = dx / (dx + dy);
        return Mix(RingColour(horizontalSide, depth), RingColour(verticalSide, depth),
                   towardsVertical);
    }
    if (down <= across) {
        return RingColour(horizontalSide, down);
    }
    return RingColour(verticalSide, across);
}

}  // namespace

const FrameRings& RingsOf(FaceImage image) {
    switch (image) {
        case FaceImage::Normal:
            return NormalRings;
        case FaceImage::HighLight:
        case FaceImage::HighLightSelect:
            return HighLightRings;
        case FaceImage::Selected:
            return SelectedRings;
        case FaceImage::Pressed:
            return PressedRings;
        case FaceImage::Disable:
            break;
    }
    return DisableRings;
}

StateImage DrawStateImage(FaceImage image) {
    const FrameRings& rings = RingsOf(image);
    StateImage pixels;
    for (int y = 0; y < StateImageHeight; ++y) {
        for (int x = 0; x < StateImageWidth; ++x) {
            pixels[y * StateImageWidth + x] = PixelOf(rings, x, y);
        }
    }
    return pixels;
}

namespace {

// A coordinate across a face of the given size, laid out with a frame of FrameWidth pixels,
// moved so that the frame is `frame` pixels wide: the frame's parts scale from their edge,
// the inside keeps its place from the nearer edge.
int ScaleAcrossFrame(int at, int size, int frame) {
    if (at <= FrameWidth) {
        return (at * frame + FrameWidth / 2) / FrameWidth;
    }
    if (at >= size - FrameWidth) {
        return size - ((size - at) * frame + FrameWidth / 2) / FrameWidth;
    }
    return at;
}

// The pieces at 96 dpi, from the layout in twips.
std::array<FramePiece, 8> FramePiecesAt96(int width, int height) {
    const int w = width * TwipsPerPixel;
    const int h = height * TwipsPerPixel;
    const int right = ImageWidth - Frame;
    const int bottom = ImageHeight - Frame;
    return {{
        {PixelRectOf(1, 1, Frame, Frame), PixelRectOf(0, 0, Frame, Frame)},
        {PixelRectOf(Frame, 1, w - 2 * Frame, Frame), PixelRectOf(Frame, 1, EdgeWidth, Frame)},
        {PixelRectOf(w - Frame, 1, Frame, Frame), PixelRectOf(right, 1, Frame, Frame)},
        {PixelRectOf(w - Frame, Frame, Frame, h - 2 * Frame),
         PixelRectOf(right, Frame, Frame, EdgeHeight)},
        {PixelRectOf(w - Frame, h - Frame, Frame, Frame), PixelRectOf(right, bottom, Frame, Frame)},
        {PixelRectOf(Frame, h - Frame, w - 2 * Frame, Frame),
         PixelRectOf(Frame, bottom, EdgeWidth, Frame)},
        {PixelRectOf(1, h - Frame, Frame, Frame), PixelRectOf(0, bottom, Frame, Frame)},
        {PixelRectOf(1, Frame, Frame, h - 2 * Frame), PixelRectOf(1, Frame, Frame, EdgeHeight)},
    }};
}

}  // namespace

int FrameWidthAt(int dpi) {
    return ScaledPixels(FrameWidth, dpi);
}

std::array<FramePiece, 8> FramePieces(int width, int height, int dpi) {
    std::array<FramePiece, 8> pieces = FramePiecesAt96(width, height);
    const int frame = FrameWidthAt(dpi);
    if (frame == FrameWidth) {
        return pieces;
    }
    for (FramePiece& piece : pieces) {
        PixelRect& d = piece.Destination;
        const int left = ScaleAcrossFrame(d.Left, width, frame);
        const int top = ScaleAcrossFrame(d.Top, height, frame);
        const int right = ScaleAcrossFrame(d.Left + d.Width, width, frame);
        const int bottom = ScaleAcrossFrame(d.Top + d.Height, height, frame);
        d = {left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
    }
    return pieces;
}

Gradient FaceGradient(bool inverted) {
    constexpr Rgb White = RgbOf(0xFFFFFF);
    constexpr Rgb Lavender = RgbOf(0xC6C5D7);
    return inverted ? Gradient{Lavender, White} : Gradient{White, Lavender};
}

int CaptionTop(int faceHeight, int captionHeight, int dpi) {
    constexpr double RaiseTwips = 20;
    const double twipsPerPixel = 1440.0 / dpi;
    const double twips = ((faceHeight - captionHeight) * twipsPerPixel - RaiseTwips) / 2;
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

}  // namespace nuvrel
