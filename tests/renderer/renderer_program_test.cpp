// The renderer program as a user meets it: started by its command line, its window found by
// title, ended by real key presses and mouse input from the X server.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "tests/support/desktop.h"

namespace nuvrel {
namespace {

using namespace nuvrel::testing;

constexpr char Title[] = "Nuvrel_VC";
constexpr DWORD ExitWait = 10000;

class renderer_program_test : public ::testing::Test {
  protected:
    void SetUp() override {
        // The pointer rests away from the corner, and no renderer is left from before.
        ASSERT_TRUE(Xdotool("mousemove 200 200"));
        ASSERT_TRUE(WindowsTitled(Title).empty());
    }

    static std::string RendererPath() { return ProgramFolder() + "\\Nuvrel.dll"; }

    // Starts the renderer and waits for its window, then for the first frames.
    std::unique_ptr<Program> StartRenderer(const std::string& arguments = "") {
        auto program = std::make_unique<Program>(RendererPath(), arguments);
        EXPECT_TRUE(program->Started());
        window = WaitForWindow(Title);
        EXPECT_NE(window, nullptr) << "no window titled " << Title;
        Pause(1500);
        return program;
    }

    static void ExpectEndsCleanly(Program& program) {
        EXPECT_EQ(program.WaitForExit(ExitWait), std::optional<DWORD>(0));
        EXPECT_TRUE(WindowsTitled(Title).empty());
    }

    static bool StillRunning(Program& program) { return !program.WaitForExit(0).has_value(); }

    HWND window = nullptr;
};

TEST_F(renderer_program_test, opens_a_full_screen_topmost_window_whatever_the_command_line) {
    for (const char* arguments : {"", "/s", "/p 123", "garbage"}) {
        SCOPED_TRACE(arguments);
        auto renderer = StartRenderer(arguments);
        ASSERT_NE(window, nullptr);
        char className[64] = {};
        GetClassNameA(window, className, sizeof className);
        EXPECT_STREQ(className, "WindowsScreenSaverClass");
        EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        EXPECT_TRUE(IsWindowVisible(window));
        RECT rect{};
        GetWindowRect(window, &rect);
        // The whole virtual screen, here the one monitor.
        EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
        EXPECT_EQ(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
        EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
        EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
        EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYSCREEN));
        ASSERT_TRUE(Xdotool("key space"));
        ExpectEndsCleanly(*renderer);
    }
}

// A binary PPM screenshot of the whole X screen.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

Screenshot ReadPpm(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    Screenshot shot;
    int maxValue = 0;
    file >> magic >> shot.width >> shot.height >> maxValue;
    file.get();
    shot.rgb.assign(std::istreambuf_iterator<char>(file), {});
    if (magic != "P6" || maxValue != 255 ||
        shot.rgb.size() != static_cast<std::size_t>(shot.width) * shot.height * 3) {
        return {};
    }
    return shot;
}

TEST_F(renderer_program_test, shows_coloured_particles_on_black_after_the_fade_in) {
    auto renderer = StartRenderer("/s");
    ASSERT_NE(window, nullptr);
    Pause(8000);
    const std::string shot = std::string(NUVREL_ARTEFACT_DIR) + "/renderer-screenshot";
    ASSERT_EQ(RunUnixCommand("import -window root -depth 8 " + shot + ".ppm"), 0u);
    RunUnixCommand("convert " + shot + ".ppm " + shot + ".png");
    Xdotool("key space");
    ExpectEndsCleanly(*renderer);

    const Screenshot image = ReadPpm(WindowsPathOf(shot + ".ppm"));
    ASSERT_GT(image.width, 0);
    std::size_t lit = 0;
    std::set<int> hues;  // twelve sectors of the colour circle, for strongly coloured pixels
    for (std::size_t i = 0; i < image.rgb.size(); i += 3) {
        const int r = image.rgb[i];
        const int g = image.rgb[i + 1];
        const int b = image.rgb[i + 2];
        const int high = std::max({r, g, b});
        const int low = std::min({r, g, b});
        if (high < 40) {
            continue;
        }
        ++lit;
        if (high - low > 60) {
            double hue = 0;
            if (high == r) {
                hue = std::fmod((g - b) / double(high - low) + 6, 6);
            } else if (high == g) {
                hue = (b - r) / double(high - low) + 2;
            } else {
                hue = (r - g) / double(high - low) + 4;
            }
            hues.insert(static_cast<int>(hue * 2));
        }
    }
    const std::size_t total = image.rgb.size() / 3;
    EXPECT_GT(lit, total / 100) << "too few lit pixels";
    EXPECT_LT(lit, total / 2) << "the background is not black";
    EXPECT_GE(hues.size(), 3u) << "too few hues";
}

TEST_F(renderer_program_test, ignores_a_foreign_close_and_the_screen_saver_command) {
    auto renderer = StartRenderer();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_NEXTWINDOW, 0);
    Pause(1500);
    EXPECT_TRUE(StillRunning(*renderer));
    EXPECT_EQ(FindWindowA(nullptr, Title), window);
    Xdotool("key Escape");
    ExpectEndsCleanly(*renderer);
}

TEST_F(renderer_program_test, ends_on_each_mouse_button) {
    for (int button : {1, 2, 3}) {
        SCOPED_TRACE(button);
        auto renderer = StartRenderer();
        ASSERT_TRUE(Xdotool("click " + std::to_string(button)));
        ExpectEndsCleanly(*renderer);
    }
}

TEST_F(renderer_program_test, small_moves_do_not_end_it_and_five_pixels_do) {
    auto renderer = StartRenderer();
    for (int move = 0; move < 6; ++move) {
        ASSERT_TRUE(Xdotool("mousemove_relative -- 3 1"));  // four pixels of travel each
        Pause(300);
    }
    Xdotool("mousemove_relative -- -4 0");
    Pause(1000);
    EXPECT_TRUE(StillRunning(*renderer));
    ASSERT_TRUE(Xdotool("mousemove_relative -- 5 0"));
    ExpectEndsCleanly(*renderer);
}

TEST_F(renderer_program_test, a_second_copy_opens_a_second_window) {
    auto first = StartRenderer();
    auto second = std::make_unique<Program>(RendererPath(), "");
    const DWORD deadline = GetTickCount() + 20000;
    while (WindowsTitled(Title).size() < 2 && static_cast<LONG>(deadline - GetTickCount()) > 0) {
        Pause(100);
    }
    EXPECT_EQ(WindowsTitled(Title).size(), 2u);
    EXPECT_TRUE(StillRunning(*second));
    Xdotool("key space");
    Pause(2000);
    second.reset();
    first.reset();
}

// Activation needs a window manager: openbox runs for the length of one test.
class WindowManager {
  public:
    WindowManager() {
        RunUnixCommand("setsid -f openbox >/dev/null 2>&1");
        RunUnixCommand(
            "for i in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window && "
            "break; sleep 0.1; done");
    }
    ~WindowManager() {
        RunUnixCommand("openbox --exit");
        Pause(500);
    }
};

TEST_F(renderer_program_test, a_key_during_the_wait_between_frames_ends_it_at_once) {
    // Without a window manager Wine waits two seconds for the window to be withdrawn.
    WindowManager windowManager;
    // The renderer's own loop with three seconds between frames: it spends them waiting.
    auto renderer =
        std::make_unique<Program>(ProgramFolder() + "\\renderer_loop.exe", "--period-ms 3000");
    window = WaitForWindow(Title);
    ASSERT_NE(window, nullptr);
    Pause(1000);
    for (const char* input : {"key space", "mousemove_relative -- 40 0"}) {
        SCOPED_TRACE(input);
        if (window == nullptr) {
            renderer = std::make_unique<Program>(ProgramFolder() + "\\renderer_loop.exe",
                                                 "--period-ms 3000");
            window = WaitForWindow(Title);
            ASSERT_NE(window, nullptr);
            Pause(1000);
        }
        ASSERT_TRUE(Xdotool(input));
        const DWORD sent = GetTickCount();
        while (IsWindow(window) && GetTickCount() - sent < 5000) {
            Sleep(5);
        }
        const DWORD closedAfter = GetTickCount() - sent;
        EXPECT_FALSE(IsWindow(window));
        EXPECT_LT(closedAfter, 200u)
            << "the window closed " << closedAfter << " ms after the input";
        EXPECT_EQ(renderer->WaitForExit(ExitWait), std::optional<DWORD>(0));
        window = nullptr;
    }
}

TEST_F(renderer_program_test, ends_when_another_program_is_activated) {
    WindowManager windowManager;
    const HWND other = CreateWindowExA(0, "STATIC", "Nuvrel test: another program",
                                       WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    Pause(500);
    auto renderer = StartRenderer();
    EXPECT_TRUE(StillRunning(*renderer));
    EXPECT_TRUE(Xdotool("search --name \"^Nuvrel test: another program$\" windowactivate"));
    ExpectEndsCleanly(*renderer);
    DestroyWindow(other);
}

}  // namespace
}  // namespace nuvrel
