#include "tools/snapshot/rgb_image.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace nuvrel {

RgbImage ImageFromBottomUpRows(int width, int height, const std::uint8_t* rows) {
    RgbImage image;
    image.width = width;
    image.height = height;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    image.rgb.resize(rowBytes * height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = rows + rowBytes * (height - 1 - y);
        std::copy(source, source + rowBytes, image.rgb.begin() + rowBytes * y);
    }
    return image;
}

bool WritePpm(const std::string& path, const RgbImage& image) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << "P6\n" << image.width << ' ' << image.height << "\n255\n";
    file.write(reinterpret_cast<const char*>(image.rgb.data()),
               static_cast<std::streamsize>(image.rgb.size()));
    file.close();
    return !file.fail();
}

namespace {

// The next header number, after whitespace and comments; -1 when there is none.
long ReadHeaderNumber(std::istream& in) {
    int c = in.get();
    while (c == '#' || std::isspace(c)) {
        if (c == '#') {
            while (c != '\n' && c != EOF) {
                c = in.get();
            }
        }
        c = in.get();
    }
    if (c < '0' || c > '9') {
        return -1;
    }
    long value = 0;
    while (c >= '0' && c <= '9' && value < 100000) {
        value = value * 10 + (c - '0');
        c = in.get();
    }
    // A single whitespace character ends the number; after the maximum value it is the last
    // byte of the header.
    return std::isspace(c) ? value : -1;
}

}  // namespace

std::optional<RgbImage> ReadPpm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char magic[2] = {};
    if (!file.read(magic, 2) || magic[0] != 'P' || magic[1] != '6') {
        return std::nullopt;
    }
    const long width = ReadHeaderNumber(file);
    const long height = ReadHeaderNumber(file);
    const long maxValue = ReadHeaderNumber(file);
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || maxValue != 255) {
        return std::nullopt;
    }
    RgbImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.rgb.resize(image.PixelCount() * 3);
    if (!file.read(reinterpret_cast<char*>(image.rgb.data()),
                   static_cast<std::streamsize>(image.rgb.size())) ||
        file.peek() != EOF) {
        return std::nullopt;
    }
    return image;
}

ImageDifference CompareImages(const RgbImage& expected, const RgbImage& actual, int tolerance) {
    ImageDifference difference;
    difference.sameSize = expected.width == actual.width && expected.height == actual.height &&
                          expected.rgb.size() == actual.rgb.size();
    if (!difference.sameSize) {
        return difference;
    }
    difference.picture.width = expected.width;
    difference.picture.height = expected.height;
    difference.picture.rgb.assign(expected.rgb.size(), 0);
    for (std::size_t pixel = 0; pixel < expected.PixelCount(); ++pixel) {
        bool differs = false;
        for (std::size_t channel = pixel * 3; channel < pixel * 3 + 3; ++channel) {
            const int delta = std::abs(int{expected.rgb[channel]} - int{actual.rgb[channel]});
            difference.largestChannelDifference =
                std::max(difference.largestChannelDifference, delta);
            differs |= delta > tolerance;
        }
        if (differs) {
            ++difference.differingPixels;
            for (std::size_t channel = pixel * 3; channel < pixel * 3 + 3; ++channel) {
                const int delta = std::abs(int{expected.rgb[channel]} - int{actual.rgb[channel]});
                difference.picture.rgb[channel] =
                    static_cast<std::uint8_t>(std::min(255, 64 + delta));
            }
        }
    }
    return difference;
}

}  // namespace nuvrel
