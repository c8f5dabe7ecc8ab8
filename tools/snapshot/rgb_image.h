#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nuvrel {

// Eight bits per channel, red, green, blue, rows from the top down.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    std::size_t PixelCount() const { return static_cast<std::size_t>(width) * height; }
};

// Rows as OpenGL reads them, bottom row first and tightly packed, turned top row first.
RgbImage ImageFromBottomUpRows(int width, int height, const std::uint8_t* rows);

// Binary PPM (P6, maximum value 255, a single newline after the header). False when the file
// could not be written whole.
bool WritePpm(const std::string& path, const RgbImage& image);

// Reads what WritePpm writes, and the header forms other programs write (comments, any
// whitespace); nothing when the file is missing or is not an 8-bit P6 of the stated size.
std::optional<RgbImage> ReadPpm(const std::string& path);

struct ImageDifference {
    bool sameSize = false;
    std::size_t differingPixels = 0;  // a channel differs by more than the tolerance
    int largestChannelDifference = 0;
    // Black where the pixels agree within the tolerance; elsewhere each channel's difference,
    // raised so that any difference shows.
    RgbImage picture;
};

ImageDifference CompareImages(const RgbImage& expected, const RgbImage& actual, int tolerance);

}  // namespace nuvrel
