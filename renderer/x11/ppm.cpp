#include "renderer/x11/ppm.h"

#include <cstdio>

namespace nuvrel::x11 {

bool WritePpmFromBottomUp(const std::string& path, int width, int height,
                          const std::vector<std::uint8_t>& bottomUpRgb) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (width <= 0 || height <= 0 || bottomUpRgb.size() != rowBytes * height) {
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fprintf(file, "P6\n%d %d\n255\n", width, height) > 0;
    for (int row = height - 1; row >= 0 && written; --row) {
        written = std::fwrite(bottomUpRgb.data() + row * rowBytes, 1, rowBytes, file) == rowBytes;
    }
    return std::fclose(file) == 0 && written;
}

}  // namespace nuvrel::x11
