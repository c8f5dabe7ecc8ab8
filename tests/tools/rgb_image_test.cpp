#include "tools/snapshot/rgb_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace nuvrel {
namespace {

std::string ScratchPath(const char* name) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + test->name() + "-" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

RgbImage TwoByTwo() {
    RgbImage image;
    image.width = 2;
    image.height = 2;
    image.rgb = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    return image;
}

TEST(rgb_image_test, rows_read_bottom_up_come_out_top_row_first) {
    // Three pixels wide, so a row is nine bytes: no padding between the rows.
    const std::uint8_t rows[] = {1, 1, 1, 2, 2, 2, 3, 3, 3,   // bottom row
                                 7, 7, 7, 8, 8, 8, 9, 9, 9};  // top row
    const RgbImage image = ImageFromBottomUpRows(3, 2, rows);
    ASSERT_EQ(image.rgb.size(), 18u);
    EXPECT_EQ(image.rgb[0], 7);
    EXPECT_EQ(image.rgb[8], 9);
    EXPECT_EQ(image.rgb[9], 1);
    EXPECT_EQ(image.rgb[17], 3);
}

TEST(rgb_image_test, writes_a_binary_ppm_that_reads_back_the_same) {
    const std::string path = ScratchPath("a.ppm");
    ASSERT_TRUE(WritePpm(path, TwoByTwo()));
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(bytes.substr(0, 11), "P6\n2 2\n255\n");
    EXPECT_EQ(bytes.size(), 11u + 12u);
    const auto image = ReadPpm(path);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->height, 2);
    EXPECT_EQ(image->rgb, TwoByTwo().rgb);
    std::remove(path.c_str());
}

TEST(rgb_image_test, reads_headers_with_comments_and_refuses_other_files) {
    const std::string path = ScratchPath("b.ppm");
    const std::string pixels(12, '\x05');
    WriteBytes(path, "P6 # made elsewhere\n2\t2\n# depth\n255\n" + pixels);
    const auto commented = ReadPpm(path);
    ASSERT_TRUE(commented);
    EXPECT_EQ(commented->rgb.size(), 12u);

    for (const std::string& bad :
         {std::string("P3\n2 2\n255\n") + pixels, "P6\n2 2\n65535\n" + pixels,
          "P6\n2 2\n255\n" + pixels.substr(1), "P6\n2 2\n255\n" + pixels + "x",
          "P6\n0 2\n255\n" + pixels, std::string("P6\n2 2\n")}) {
        WriteBytes(path, bad);
        EXPECT_FALSE(ReadPpm(path)) << bad.substr(0, 12);
    }
    std::remove(path.c_str());
    EXPECT_FALSE(ReadPpm(path));
}

TEST(rgb_image_test, counts_pixels_beyond_the_tolerance_and_shows_them) {
    const RgbImage expected = TwoByTwo();
    RgbImage actual = expected;
    actual.rgb[0] += 8;     // pixel 0: just within a tolerance of 8
    actual.rgb[5] -= 9;     // pixel 1: one beyond it
    actual.rgb[11] += 100;  // pixel 3
    const ImageDifference difference = CompareImages(expected, actual, 8);
    ASSERT_TRUE(difference.sameSize);
    EXPECT_EQ(difference.differingPixels, 2u);
    EXPECT_EQ(difference.largestChannelDifference, 100);
    ASSERT_EQ(difference.picture.rgb.size(), 12u);
    EXPECT_EQ(difference.picture.rgb[0], 0);  // within the tolerance: black
    EXPECT_GT(difference.picture.rgb[5], 0);
    EXPECT_GT(difference.picture.rgb[3], 0);  // every channel of a differing pixel shows
    EXPECT_EQ(difference.picture.rgb[11], 164);

    EXPECT_EQ(CompareImages(expected, expected, 0).differingPixels, 0u);
    RgbImage wider = expected;
    wider.width = 4;
    wider.height = 1;
    EXPECT_FALSE(CompareImages(expected, wider, 255).sameSize);
}

}  // namespace
}  // namespace nuvrel
