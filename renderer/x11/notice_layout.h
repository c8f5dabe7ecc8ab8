#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nuvrel::x11 {

struct NoticeLine {
    std::string text;
    int x = 0;         // left end
    int baseline = 0;  // from the window's top
};

struct NoticeFont {
    int ascent = 0;
    int descent = 0;
    std::function<int(std::string_view)> width;  // of a piece of text, in pixels
};

// A short text for a window of the given size: its words broken into lines that fit the
// width (a word wider than the window gets a line of its own), each line centred across,
// the block of lines centred down. A line that does not fit starts at the left edge.
std::vector<NoticeLine> LayOutNotice(std::string_view text, int width, int height,
                                     const NoticeFont& font);

}  // namespace nuvrel::x11
