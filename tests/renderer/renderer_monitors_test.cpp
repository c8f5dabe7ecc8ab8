// The renderer on two monitors, as Wine reports an X server with two Xinerama heads at the
// same origin: a primary monitor of 1024 x 600 and a second one of 800 x 768, so that the
// virtual screen is 1024 x 768. Run by two_monitors.sh, which starts that server.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/desktop.h"
#include "tools/snapshot/rgb_image.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

constexpr char Title[] = "Nuvrel_VC";
constexpr int PrimaryWidth = 1024;
constexpr int PrimaryHeight = 600;
constexpr int VirtualHeight = 768;
constexpr int SecondWidth = 800;

bool Lit(const RgbImage& image, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
    return std::max({image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]}) >= 40;
}

std::size_t LitPixelsInRows(const RgbImage& image, int firstRow, int endRow) {
    std::size_t lit = 0;
    for (int y = firstRow; y < endRow; ++y) {
        for (int x = 0; x < image.width; ++x) {
            lit += Lit(image, x, y);
        }
    }
    return lit;
}

// Channels above zero in the rectangle from (left, top) up to (right, bottom).
std::size_t NonBlackChannels(const RgbImage& image, int left, int top, int right, int bottom) {
    std::size_t count = 0;
    for (int y = top; y < bottom; ++y) {
        const auto row = image.rgb.begin() + (static_cast<std::ptrdiff_t>(y) * image.width) * 3;
        count += static_cast<std::size_t>(
            std::count_if(row + left * 3, row + right * 3, [](std::uint8_t c) { return c != 0; }));
    }
    return count;
}

TEST(renderer_monitors_test, covers_both_monitors_and_draws_on_the_primary_alone) {
    ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "the X server does not show two monitors";
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), PrimaryWidth);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), PrimaryHeight);
    ASSERT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), VirtualHeight);
    ASSERT_TRUE(Xdotool("mousemove 300 300"));

    Program renderer(ProgramFolder() + "\\Nuvrel.dll", "/s");
    ASSERT_TRUE(renderer.Started());
    const HWND window = WaitForWindow(Title);
    ASSERT_NE(window, nullptr);
    Pause(8000);

    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, VirtualHeight);
    // The strip below the primary monitor, seen only on the second one, is the window too.
    EXPECT_EQ(WindowFromPoint(POINT{400, 700}), window);
    EXPECT_EQ(WindowFromPoint(POINT{1000, 20}), window);

    const std::string shot = std::string(NUVREL_ARTEFACT_DIR) + "/two-monitors-screenshot";
    ASSERT_EQ(RunUnixCommand("import -window root -depth 8 " + shot + ".ppm"), 0u);
    RunUnixCommand("convert " + shot + ".ppm " + shot + ".png");
    ASSERT_TRUE(Xdotool("key space"));
    EXPECT_EQ(renderer.WaitForExit(10000), std::optional<DWORD>(0));

    const auto image = ReadPpm(WindowsPathOf(shot + ".ppm"));
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, PrimaryWidth);
    ASSERT_EQ(image->height, VirtualHeight);
    const std::size_t primaryArea = std::size_t{PrimaryWidth} * PrimaryHeight;
    EXPECT_GT(LitPixelsInRows(*image, 0, PrimaryHeight), primaryArea / 100)
        << "no vortex on the primary monitor";
    // Below the primary monitor only the second one, 800 pixels wide, shows anything: the
    // X server keeps no picture for the corner that no monitor covers.
    EXPECT_EQ(NonBlackChannels(*image, 0, PrimaryHeight, SecondWidth, VirtualHeight), 0u)
        << "the strip below the primary monitor is not black";
}

}  // namespace
}  // namespace nuvrel
