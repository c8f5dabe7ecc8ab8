#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace nuvrel {

// The track list of the settings dialog: 0 to 30 formatted "##", so the first entry is empty.
constexpr int TrackEntryCount = 31;
std::u16string FormatTrack(std::int16_t track);
std::array<std::u16string, TrackEntryCount> TrackEntries();

// The track that Set stores for the text of the track box: a number rounded to the nearest
// integer (halves to the even neighbour); 0 for text that is no number or does not fit.
std::int16_t TrackFromText(std::u16string_view text);

// Which controls a chosen music kind turns on: the kind's radio picture, the track box for
// the CD, the file button for a music file. A kind outside 0..2 turns on nothing.
struct KindControls {
    std::array<bool, 3> radioOn{};
    bool repeatEnabled = false;
    bool fileEnabled = false;
};
KindControls ControlsForKind(std::int16_t kind);

// The shaded background: a grey-blue band, darkest (0, 0, 30) at the top and bottom edges and
// lightest (220, 220, 250) in the middle. Heights in twips.
struct ShadeColour {
    int red;
    int green;
    int blue;
};
ShadeColour ShadeAt(double y, double clientHeight);

// Twips to pixels at the given dots per inch (15 twips to the pixel at 96).
constexpr int PixelsOf(int twips, int dpi) {
    return (twips * dpi + 720) / 1440;
}

}  // namespace nuvrel
