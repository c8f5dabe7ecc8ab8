#include "renderer/x11/ppm.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace nuvrel::x11 {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string ScratchFile(const char* name) {
    return ::testing::TempDir() + name;
}

TEST(ppm_test, writes_the_top_row_first) {
    // Two rows of two pixels, as OpenGL reads them: the bottom row first.
    const std::vector<std::uint8_t> bottomUp = {1, 2, 3, 4,  5,  6,  // bottom
                                                7, 8, 9, 10, 11, 12};
    const std::string path = ScratchFile("ppm_test_rows.ppm");
    ASSERT_TRUE(WritePpmFromBottomUp(path, 2, 2, bottomUp));
    const std::string expected = std::string("P6\n2 2\n255\n") +
                                 std::string("\x07\x08\x09\x0a\x0b\x0c\x01\x02\x03\x04\x05\x06");
    EXPECT_EQ(ReadAll(path), expected);
    std::remove(path.c_str());
}

TEST(ppm_test, refuses_pixels_that_do_not_fill_the_picture) {
    const std::string path = ScratchFile("ppm_test_short.ppm");
    EXPECT_FALSE(WritePpmFromBottomUp(path, 2, 2, std::vector<std::uint8_t>(11)));
    EXPECT_FALSE(WritePpmFromBottomUp(path, 0, 2, {}));
}

TEST(ppm_test, a_file_that_cannot_be_made_is_a_failure) {
    EXPECT_FALSE(WritePpmFromBottomUp("/nonexistent-folder/x.ppm", 1, 1, {0, 0, 0}));
}

}  // namespace
}  // namespace nuvrel::x11
