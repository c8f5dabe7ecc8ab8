#include "renderer/x11/bitmap_font.h"

#include <cstddef>

namespace nuvrel::x11 {

namespace {

constexpr char Characters[] = "0123456789. fps";
constexpr int CharacterCount = sizeof Characters - 1;

// Top row first; '#' is a lit pixel.
constexpr const char* Drawings[CharacterCount][GlyphRows] = {
    {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "},  // 0
    {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "},  // 1
    {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"},  // 2
    {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "},  // 3
    {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "},  // 4
    {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "},  // 5
    {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "},  // 6
    {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "},  // 7
    {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "},  // 8
    {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "},  // 9
    {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "},  // .
    {"     ", "     ", "     ", "     ", "     ", "     ", "     "},  // space
    {"  ## ", " #  #", " #   ", "###  ", " #   ", " #   ", " #   "},  // f
    {"     ", "     ", "#### ", "#   #", "#### ", "#    ", "#    "},  // p
    {"     ", "     ", " ####", "#    ", " ### ", "    #", "#### "},  // s
};

GlyphBitmap Scale(const char* const (&drawing)[GlyphRows]) {
    GlyphBitmap bitmap{};
    for (int row = 0; row < GlyphHeight; ++row) {
        const char* line = drawing[GlyphRows - 1 - row / GlyphScale];
        for (int x = 0; x < GlyphWidth; ++x) {
            if (line[x / GlyphScale] == '#') {
                bitmap[row * GlyphBytesPerRow + x / 8] |=
                    static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
        }
    }
    return bitmap;
}

struct Font {
    std::array<GlyphBitmap, CharacterCount> glyphs;
    GlyphBitmap blank{};

    Font() {
        for (int i = 0; i < CharacterCount; ++i) {
            glyphs[i] = Scale(Drawings[i]);
        }
    }
};

}  // namespace

const GlyphBitmap& GlyphFor(char character) {
    static const Font font;
    for (int i = 0; i < CharacterCount; ++i) {
        if (Characters[i] == character) {
            return font.glyphs[i];
        }
    }
    return font.blank;
}

}  // namespace nuvrel::x11
