#include "renderer/x11/bitmap_font.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace nuvrel::x11 {
namespace {

bool Lit(const GlyphBitmap& glyph, int x, int yFromBottom) {
    return (glyph[yFromBottom * GlyphBytesPerRow + x / 8] & (0x80u >> (x % 8))) != 0;
}

int LitCount(const GlyphBitmap& glyph) {
    int count = 0;
    for (int y = 0; y < GlyphHeight; ++y) {
        for (int x = 0; x < GlyphWidth; ++x) {
            count += Lit(glyph, x, y) ? 1 : 0;
        }
    }
    return count;
}

TEST(bitmap_font_test, every_character_of_a_frame_rate_has_its_own_glyph) {
    const std::string characters = "0123456789.fps";
    std::set<GlyphBitmap> seen;
    for (char c : characters) {
        EXPECT_GT(LitCount(GlyphFor(c)), 0) << c;
        seen.insert(GlyphFor(c));
    }
    EXPECT_EQ(seen.size(), characters.size());
    EXPECT_EQ(LitCount(GlyphFor(' ')), 0);
    EXPECT_EQ(LitCount(GlyphFor('?')), 0);
}

TEST(bitmap_font_test, glyphs_are_stored_bottom_row_first_at_twice_their_size) {
    // The '.' sits on the base line, two font pixels wide and high from the second column.
    const GlyphBitmap& dot = GlyphFor('.');
    EXPECT_EQ(LitCount(dot), 4 * GlyphScale * GlyphScale);
    EXPECT_TRUE(Lit(dot, 2, 0));
    EXPECT_TRUE(Lit(dot, 5, 3));
    EXPECT_FALSE(Lit(dot, 1, 0));
    EXPECT_FALSE(Lit(dot, 6, 0));
    EXPECT_FALSE(Lit(dot, 2, 4));

    // The top bar of '7' is in the last rows.
    const GlyphBitmap& seven = GlyphFor('7');
    for (int x = 0; x < GlyphWidth; ++x) {
        EXPECT_TRUE(Lit(seven, x, GlyphHeight - 1)) << x;
        EXPECT_TRUE(Lit(seven, x, GlyphHeight - 2)) << x;
    }
    EXPECT_FALSE(Lit(seven, 0, 0));
}

}  // namespace
}  // namespace nuvrel::x11
