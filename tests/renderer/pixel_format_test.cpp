#include "renderer/windows/pixel_format.h"

#include <gtest/gtest.h>

namespace nuvrel {
namespace {

using namespace pixel_format_flags;

constexpr std::uint32_t Usable = SupportOpenGl | DrawToWindow | DoubleBuffer;

PixelFormatCandidate Driver(int colour, int depth) {
    return {Usable, PixelTypeRgba, static_cast<std::uint8_t>(colour),
            static_cast<std::uint8_t>(depth)};
}

PixelFormatCandidate GenericAcceleratedFormat(int colour, int depth) {
    PixelFormatCandidate candidate = Driver(colour, depth);
    candidate.flags |= GenericFormat | GenericAccelerated;
    return candidate;
}

PixelFormatCandidate Software(int colour, int depth) {
    PixelFormatCandidate candidate = Driver(colour, depth);
    candidate.flags |= GenericFormat;
    return candidate;
}

TEST(pixel_format_test, scores_of_common_formats) {
    EXPECT_EQ(ScorePixelFormat(Driver(32, 24)), 2072);
    EXPECT_EQ(ScorePixelFormat(Driver(24, 24)), 2068);
    EXPECT_EQ(ScorePixelFormat(Driver(16, 16)), 2048);
    EXPECT_EQ(ScorePixelFormat(GenericAcceleratedFormat(32, 32)), 1088);
    EXPECT_EQ(ScorePixelFormat(Software(32, 32)), 88);
    EXPECT_EQ(ScorePixelFormat(Driver(17, 0)), 2017);  // (16 - 17) / 2 truncates to 0
}

TEST(pixel_format_test, unusable_formats_never_score) {
    PixelFormatCandidate singleBuffered = Driver(32, 24);
    singleBuffered.flags &= ~DoubleBuffer;
    PixelFormatCandidate palette = Driver(8, 24);
    palette.pixelType = 1;
    PixelFormatCandidate bitmapOnly = Driver(32, 24);
    bitmapOnly.flags = (bitmapOnly.flags & ~DrawToWindow) | 0x8;
    PixelFormatCandidate noOpenGl = Driver(32, 24);
    noOpenGl.flags &= ~SupportOpenGl;
    for (const auto& candidate : {singleBuffered, palette, bitmapOnly, noOpenGl}) {
        EXPECT_EQ(ScorePixelFormat(candidate), 0);
    }
    EXPECT_EQ(BestPixelFormat({singleBuffered, palette, bitmapOnly, noOpenGl}), 0);
    EXPECT_EQ(BestPixelFormat({}), 0);
}

TEST(pixel_format_test, driver_formats_beat_generic_ones_and_depth_beats_colour) {
    EXPECT_EQ(BestPixelFormat({Software(32, 32), GenericAcceleratedFormat(32, 32), Driver(16, 0)}),
              3);
    EXPECT_EQ(BestPixelFormat({Driver(32, 24), Driver(16, 32)}), 2);
}

TEST(pixel_format_test, lowest_index_wins_a_tie) {
    EXPECT_EQ(BestPixelFormat({Software(16, 16), Driver(24, 24), Driver(24, 24)}), 2);
}

}  // namespace
}  // namespace nuvrel
