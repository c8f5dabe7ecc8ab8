#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

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

// The music kinds' radio group from the keyboard, as the system's radio buttons. The kinds in
// the order the dialog shows them, top to bottom: CD, none, file.
constexpr std::array<std::int16_t, 3> KindsInLayoutOrder{1, 0, 2};
enum class Arrow { Up, Down, Left, Right };
// The kind an arrow key moves to from the kind whose radio button has the focus: Down and
// Right to the next one shown, Up and Left to the one before, round the group.
std::int16_t KindAfterArrow(std::int16_t focused, Arrow arrow);
// The group is one Tab stop: the chosen kind's radio button, or the first one shown while
// no kind is chosen.
std::int16_t TabStopKind(std::int16_t chosen);

// The Tab order of controls placed at these boxes: their reading order, row by row from the
// top and left to right within a row. A box lies in the row of the box that began it when
// its top is above that box's bottom. Returns the boxes' indices.
struct Box {
    int left;
    int top;
    int width;
    int height;
};
std::vector<std::size_t> ReadingOrder(const std::vector<Box>& boxes);

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
