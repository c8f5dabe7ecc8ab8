#include "frontend/controls/button_face.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace nuvrel {

std::ostream& operator<<(std::ostream& out, Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", colour.R, colour.G, colour.B);
    return out << text;
}

namespace {

constexpr std::array AllImages{FaceImage::Normal,   FaceImage::HighLight,
                               FaceImage::Selected, FaceImage::HighLightSelect,
                               FaceImage::Pressed,  FaceImage::Disable};

Rgb At(const StateImage& image, int x, int y) {
    return image[y * StateImageWidth + x];
}

constexpr int MiddleX = StateImageWidth / 2;
constexpr int MiddleY = StateImageHeight / 2;
constexpr int LastX = StateImageWidth - 1;
constexpr int LastY = StateImageHeight - 1;

TEST(button_face_test, enabled_looks_have_a_dark_blue_outline_one_pixel_in) {
    for (FaceImage look : {FaceImage::Normal, FaceImage::HighLight, FaceImage::Selected}) {
        const StateImage image = DrawStateImage(look);
        EXPECT_EQ(At(image, MiddleX, 1), RgbOf(0x003C74));
        EXPECT_EQ(At(image, MiddleX, LastY - 1), RgbOf(0x003C74));
        EXPECT_EQ(At(image, 1, MiddleY), RgbOf(0x003C74));
        EXPECT_EQ(At(image, LastX - 1, MiddleY), RgbOf(0x003C74));
    }
}

TEST(button_face_test, pressed_look_is_sunk_one_pixel_deeper) {
    const StateImage image = DrawStateImage(FaceImage::Pressed);
    EXPECT_EQ(At(image, MiddleX, 0), RgbOf(0xECE9D8));
    EXPECT_EQ(At(image, MiddleX, 2), RgbOf(0x003C74));
    EXPECT_EQ(At(image, 2, MiddleY), RgbOf(0x003C74));
    EXPECT_EQ(At(image, LastX - 2, MiddleY), RgbOf(0x003C74));
    EXPECT_EQ(At(image, MiddleX, LastY - 2), RgbOf(0x003C74));
}

TEST(button_face_test, hover_looks_have_an_orange_ring_and_focus_a_blue_one) {
    const StateImage hover = DrawStateImage(FaceImage::HighLight);
    EXPECT_EQ(At(hover, MiddleX, 2), RgbOf(0xFFF0CF));
    EXPECT_EQ(At(hover, MiddleX, 3), RgbOf(0xFDD889));
    EXPECT_EQ(At(hover, MiddleX, LastY - 2), RgbOf(0xE59700));
    EXPECT_EQ(At(hover, 3, MiddleY), RgbOf(0xFBCA6A));
    EXPECT_EQ(DrawStateImage(FaceImage::HighLightSelect), hover);

    const StateImage focus = DrawStateImage(FaceImage::Selected);
    EXPECT_EQ(At(focus, MiddleX, 2), RgbOf(0xCEE7FF));
    EXPECT_EQ(At(focus, MiddleX, LastY - 3), RgbOf(0x6982EE));
    EXPECT_EQ(At(focus, 3, MiddleY), RgbOf(0xA8C6F0));
    EXPECT_EQ(At(focus, LastX - 3, MiddleY), RgbOf(0xA9C5EF));
}

TEST(button_face_test, disabled_look_has_a_grey_outline_and_no_ring) {
    const StateImage image = DrawStateImage(FaceImage::Disable);
    EXPECT_EQ(At(image, MiddleX, 1), RgbOf(0xC9C7BA));
    EXPECT_EQ(At(image, MiddleX, 2), RgbOf(0xF5F4EA));
    EXPECT_EQ(At(image, MiddleX, 3), RgbOf(0xF5F4EA));
}

TEST(button_face_test, each_side_shows_its_four_rings_along_its_length) {
    for (FaceImage look : AllImages) {
        const FrameRings& rings = RingsOf(look);
        const StateImage image = DrawStateImage(look);
        for (int ring = 0; ring < FrameWidth; ++ring) {
            for (int x = FrameWidth; x <= LastX - FrameWidth; ++x) {
                ASSERT_EQ(At(image, x, ring), rings.Top[ring]);
                ASSERT_EQ(At(image, x, LastY - ring), rings.Bottom[ring]);
            }
            for (int y = FrameWidth; y <= LastY - FrameWidth; ++y) {
                ASSERT_EQ(At(image, ring, y), rings.Left[ring]);
                ASSERT_EQ(At(image, LastX - ring, y), rings.Right[ring]);
            }
        }
    }
}

// The outline bends away from the corner: the corner pixel keeps the outside colour, the
// outline passes diagonally, and some pixels are blends of neighbouring rings.
TEST(button_face_test, corners_are_rounded_and_blended) {
    const StateImage image = DrawStateImage(FaceImage::Disable);
    const Rgb outside = RgbOf(0xECE9D8);
    const Rgb outline = RgbOf(0xC9C7BA);
    for (auto [x, y] : {std::pair{0, 0}, {LastX, 0}, {0, LastY}, {LastX, LastY}}) {
        EXPECT_EQ(At(image, x, y), outside);
    }
    EXPECT_NE(At(image, 1, 1), outline);
    EXPECT_NE(At(image, 1, 1), At(image, 1, MiddleY)) << "the corner is not square";
    int blended = 0;
    const std::vector<Rgb> pure{outside, outline, RgbOf(0xF5F4EA)};
    for (int y = 0; y < FrameWidth; ++y) {
        for (int x = 0; x < FrameWidth; ++x) {
            const Rgb pixel = At(image, x, y);
            if (std::find(pure.begin(), pure.end(), pixel) == pure.end()) {
                ++blended;
            }
            // All four corners of the one-colour frame are mirror images.
            EXPECT_EQ(pixel, At(image, LastX - x, y));
            EXPECT_EQ(pixel, At(image, x, LastY - y));
        }
    }
    EXPECT_GE(blended, 3);
}

TEST(button_face_test, a_face_of_the_image_size_copies_the_frame_unchanged) {
    for (const FramePiece& piece : FramePieces(StateImageWidth, StateImageHeight)) {
        EXPECT_EQ(piece.Destination.Left, piece.Source.Left);
        EXPECT_EQ(piece.Destination.Top, piece.Source.Top);
        EXPECT_EQ(piece.Destination.Width, piece.Source.Width);
        EXPECT_EQ(piece.Destination.Height, piece.Source.Height);
    }
}

// Every pixel within the frame's width of an edge is painted by exactly one piece, at 96 dpi
// and at the larger DPIs, where the frame keeps its width in inches.
TEST(button_face_test, frame_pieces_cover_the_border_once_and_leave_the_inside) {
    for (const int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(dpi);
        const int Width = ScaledPixels(113, dpi);
        const int Height = ScaledPixels(31, dpi);
        const int frame = FrameWidthAt(dpi);
        EXPECT_EQ(frame, FrameWidth * dpi / 96);
        std::vector<int> covered(Width * Height, 0);
        for (const FramePiece& piece : FramePieces(Width, Height, dpi)) {
            const PixelRect& d = piece.Destination;
            for (int y = d.Top; y < d.Top + d.Height; ++y) {
                for (int x = d.Left; x < d.Left + d.Width; ++x) {
                    ASSERT_TRUE(x >= 0 && x < Width && y >= 0 && y < Height);
                    ++covered[y * Width + x];
                }
            }
            const PixelRect& s = piece.Source;
            EXPECT_GE(s.Left, 0);
            EXPECT_GE(s.Top, 0);
            EXPECT_LE(s.Left + s.Width, StateImageWidth);
            EXPECT_LE(s.Top + s.Height, StateImageHeight);
        }
        for (int y = 0; y < Height; ++y) {
            for (int x = 0; x < Width; ++x) {
                const bool border =
                    x < frame || y < frame || x >= Width - frame || y >= Height - frame;
                ASSERT_EQ(covered[y * Width + x], border ? 1 : 0) << x << "," << y;
            }
        }
    }
}

TEST(button_face_test, scaled_pieces_copy_the_same_parts_of_the_image) {
    const auto at96 = FramePieces(77, 25);
    const auto at144 = FramePieces(116, 38, 144);
    for (std::size_t i = 0; i < at96.size(); ++i) {
        EXPECT_EQ(at144[i].Source.Left, at96[i].Source.Left) << i;
        EXPECT_EQ(at144[i].Source.Top, at96[i].Source.Top) << i;
        EXPECT_EQ(at144[i].Source.Width, at96[i].Source.Width) << i;
        EXPECT_EQ(at144[i].Source.Height, at96[i].Source.Height) << i;
    }
    EXPECT_EQ(at144[0].Destination.Width, 6) << "a corner grows by half";
    EXPECT_EQ(at144[1].Destination.Width, 116 - 12) << "the top edge spans the rest";
}

TEST(button_face_test, a_face_smaller_than_two_frames_gets_no_negative_pieces) {
    for (const FramePiece& piece : FramePieces(5, 3)) {
        EXPECT_GE(piece.Destination.Width, 0);
        EXPECT_GE(piece.Destination.Height, 0);
    }
}

TEST(button_face_test, gradient_runs_from_white_to_lavender_unless_inverted) {
    EXPECT_EQ(FaceGradient(false).Top, RgbOf(0xFFFFFF));
    EXPECT_EQ(FaceGradient(false).Bottom, (Rgb{198, 197, 215}));
    EXPECT_EQ(FaceGradient(true).Top, (Rgb{198, 197, 215}));
    EXPECT_EQ(FaceGradient(true).Bottom, RgbOf(0xFFFFFF));
}

TEST(button_face_test, caption_sits_two_thirds_of_a_pixel_above_the_middle) {
    EXPECT_EQ(CaptionTop(25, 13), 5);
    EXPECT_EQ(CaptionTop(26, 13), 6);
    EXPECT_EQ(CaptionTop(33, 16), 8);
    EXPECT_EQ(CaptionTop(13, 13), -1);
    // The caption rises by 20 twips at any DPI.
    EXPECT_EQ(CaptionTop(38, 20, 144), 8);
    EXPECT_EQ(CaptionTop(50, 26, 192), 11);
}

}  // namespace
}  // namespace nuvrel
