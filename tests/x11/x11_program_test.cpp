// The Linux program as XScreenSaver and its users run it, on an Xvfb display of the test's
// own with Mesa's software OpenGL.

// GoogleTest first: Xlib's headers define macros (None, Bool) that its names would meet.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "tests/x11/x11_testing.h"

namespace nuvrel::x11::testing {
namespace {

const std::string ProgramPath = NUVREL_PROGRAM;
constexpr const char* Title = "Nuvrel";
// The first passes of the particles are dark; colours come within a few hundred frames.
constexpr int VortexPixels = 200;
constexpr double VortexSeconds = 90.0;

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

class x11_program_test : public ::testing::Test {
  protected:
    void SetUp() override {
        display_.reset(XOpenDisplay(nullptr));
        ASSERT_NE(display_, nullptr) << "no X display";
    }

    Display* display() const { return display_.get(); }

    std::vector<std::string> Command(std::vector<std::string> arguments) const {
        arguments.insert(arguments.begin(), ProgramPath);
        return arguments;
    }

    static std::string IdText(Window window) {
        char text[32];
        std::snprintf(text, sizeof text, "0x%lx", window);
        return text;
    }

    // Exited by itself with this code (not killed by a signal).
    static void ExpectExitCode(const std::optional<int>& status, int code) {
        ASSERT_TRUE(status) << "still running";
        ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
        EXPECT_EQ(WEXITSTATUS(*status), code);
    }

  private:
    std::unique_ptr<Display, DisplayCloser> display_;
};

TEST_F(x11_program_test, its_own_window_shows_the_vortex) {
    Program nuvrel(Command({"-window", "--seed", "7"}));
    const Window window = WaitForWindowTitled(display(), Title);
    ASSERT_NE(window, 0u) << nuvrel.Errors();

    const Picture picture = WaitForColouredPixels(display(), window, VortexPixels, VortexSeconds);
    SavePng(picture, ArtefactPath("x11_own_window.png"));
    EXPECT_EQ(picture.width, 800);
    EXPECT_EQ(picture.height, 600);
    EXPECT_GE(ColouredPixels(picture), VortexPixels);
    // A vortex, not a coloured screen: most of the picture stays black.
    int black = 0;
    for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
        black += picture.rgb[i] + picture.rgb[i + 1] + picture.rgb[i + 2] == 0 ? 1 : 0;
    }
    EXPECT_GT(black, picture.width * picture.height / 2);
}

TEST_F(x11_program_test, draws_into_a_window_given_by_its_id) {
    const Window window = MakeWindow(display(), 400, 300);
    Program nuvrel(Command({"-window-id", IdText(window), "--seed", "7"}));

    const Picture picture = WaitForColouredPixels(display(), window, VortexPixels, VortexSeconds);
    SavePng(picture, ArtefactPath("x11_given_window.png"));
    EXPECT_GE(ColouredPixels(picture), VortexPixels) << nuvrel.Errors();
    EXPECT_TRUE(WindowsTitled(display(), Title).empty()) << "made a window of its own";
}

TEST_F(x11_program_test, draws_into_the_window_named_by_xscreensaver) {
    const Window window = MakeWindow(display(), 320, 240);
    // XScreenSaver starts its display modes with -root and names its window in the
    // environment, in decimal.
    Program nuvrel(Command({"-root", "--seed", "7"}),
                   {"XSCREENSAVER_WINDOW=" + std::to_string(window)});

    const Picture picture = WaitForColouredPixels(display(), window, VortexPixels, VortexSeconds);
    EXPECT_GE(ColouredPixels(picture), VortexPixels) << nuvrel.Errors();
    EXPECT_TRUE(WindowsTitled(display(), Title).empty()) << "made a window of its own";
}

TEST_F(x11_program_test, root_draws_on_the_root_window) {
    Program nuvrel(Command({"-root", "--seed", "7"}));
    const Picture picture =
        WaitForColouredPixels(display(), DefaultRootWindow(display()), VortexPixels, VortexSeconds);
    EXPECT_GE(ColouredPixels(picture), VortexPixels) << nuvrel.Errors();
}

TEST_F(x11_program_test, sigterm_ends_it_within_a_second_with_exit_code_0) {
    Program nuvrel(Command({"-window"}));
    ASSERT_NE(WaitForWindowTitled(display(), Title), 0u) << nuvrel.Errors();
    Pause(0.5);
    nuvrel.Signal(SIGTERM);
    ExpectExitCode(nuvrel.WaitForExit(1.0), 0);
}

TEST_F(x11_program_test, a_signal_ends_the_wait_between_frames) {
    Program terminated(Command({"-window", "-delay", "30000000"}));
    ASSERT_NE(WaitForWindowTitled(display(), Title), 0u) << terminated.Errors();
    Pause(0.5);
    terminated.Signal(SIGTERM);
    ExpectExitCode(terminated.WaitForExit(1.0), 0);

    const Window window = MakeWindow(display(), 200, 150);
    Program interrupted(Command({"-window-id", IdText(window), "-delay", "30000000"}));
    Pause(1.0);
    interrupted.Signal(SIGINT);
    ExpectExitCode(interrupted.WaitForExit(1.0), 0);
}

TEST_F(x11_program_test, a_key_press_ends_its_own_window) {
    Program nuvrel(Command({"-window"}));
    const Window window = WaitForWindowTitled(display(), Title);
    ASSERT_NE(window, 0u);
    Pause(0.5);
    ASSERT_TRUE(Xdotool("mousemove --window " + std::to_string(window) + " 400 300"));
    ASSERT_TRUE(Xdotool("key x"));
    ExpectExitCode(nuvrel.WaitForExit(10.0), 0);
}

TEST_F(x11_program_test, a_click_ends_its_own_window) {
    Program nuvrel(Command({"-window"}));
    const Window window = WaitForWindowTitled(display(), Title);
    ASSERT_NE(window, 0u);
    Pause(0.5);
    ASSERT_TRUE(Xdotool("mousemove --window " + std::to_string(window) + " 100 100"));
    ASSERT_TRUE(Xdotool("click 1"));
    ExpectExitCode(nuvrel.WaitForExit(10.0), 0);
}

// What a window manager sends when the window's close button is pressed.
TEST_F(x11_program_test, the_close_button_ends_its_own_window) {
    Program nuvrel(Command({"-window"}));
    const Window window = WaitForWindowTitled(display(), Title);
    ASSERT_NE(window, 0u);
    Pause(0.5);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display(), window, False, NoEventMask, &event);
    XSync(display(), False);
    ExpectExitCode(nuvrel.WaitForExit(10.0), 0);
}

TEST_F(x11_program_test, input_in_a_given_window_is_left_to_its_owner) {
    const Window window = MakeWindow(display(), 300, 200);
    XSelectInput(display(), window, KeyPressMask | ButtonPressMask);
    XSync(display(), False);
    Program nuvrel(Command({"-window-id", IdText(window)}));
    Pause(1.0);
    ASSERT_TRUE(Xdotool("mousemove --window " + std::to_string(window) + " 50 50"));
    ASSERT_TRUE(Xdotool("click 1"));
    ASSERT_TRUE(Xdotool("key x"));
    EXPECT_FALSE(nuvrel.WaitForExit(2.0)) << nuvrel.Errors();
}

TEST_F(x11_program_test, a_destroyed_window_ends_it_with_a_message_and_exit_code_1) {
    const Window window = MakeWindow(display(), 320, 240);
    Program nuvrel(Command({"-window-id", IdText(window)}));
    Pause(1.5);
    ASSERT_FALSE(nuvrel.WaitForExit(0.0)) << nuvrel.Errors();
    XDestroyWindow(display(), window);
    XSync(display(), False);
    ExpectExitCode(nuvrel.WaitForExit(10.0), 1);
    EXPECT_NE(nuvrel.Errors().find("went away"), std::string::npos) << nuvrel.Errors();
}

TEST_F(x11_program_test, a_window_that_does_not_exist_is_refused_with_exit_code_1) {
    const Finished finished = RunToEnd(Command({"-window-id", "0x1fffff0"}), 20.0);
    ExpectExitCode(finished.status, 1);
    EXPECT_NE(finished.errors.find("no window 0x1fffff0"), std::string::npos) << finished.errors;
}

// The picture after a resize is the one a window of the new size would have shown from the
// start: the viewport fills the window and the aspect follows it.
TEST_F(x11_program_test, a_resize_changes_the_viewport_and_the_aspect) {
    const std::string resizedPath = ArtefactPath("x11_resized.ppm");
    const std::string wholePath = ArtefactPath("x11_whole.ppm");
    std::remove(resizedPath.c_str());
    Program resized(Command({"-window", "--seed", "11", "--size", "320x240", "-delay", "20000",
                             "--frames", "150", "--snapshot", resizedPath}));
    const Window window = WaitForWindowTitled(display(), Title);
    ASSERT_NE(window, 0u);
    XResizeWindow(display(), window, 640, 360);
    XSync(display(), False);
    ExpectExitCode(resized.WaitForExit(120.0), 0);

    const Finished whole = RunToEnd(Command({"-window", "--seed", "11", "--size", "640x360",
                                             "--frames", "150", "--snapshot", wholePath}));
    ExpectExitCode(whole.status, 0);

    const auto after = ReadPpm(resizedPath);
    const auto expected = ReadPpm(wholePath);
    ASSERT_TRUE(after && expected);
    SavePng(*after, ArtefactPath("x11_resized.png"));
    EXPECT_EQ(after->width, 640);
    EXPECT_EQ(after->height, 360);
    EXPECT_GT(ColouredPixels(*expected), 100);
    EXPECT_TRUE(after->rgb == expected->rgb) << "the resized window's picture differs";
}

TEST_F(x11_program_test, fps_draws_the_frame_rate_in_the_bottom_left_corner) {
    const std::string plainPath = ArtefactPath("x11_plain.ppm");
    const std::string figurePath = ArtefactPath("x11_fps.ppm");
    const std::vector<std::string> common = {"-window",  "--seed", "3",      "--size", "320x240",
                                             "--frames", "90",     "-delay", "20000"};
    auto plainCommand = Command(common);
    plainCommand.insert(plainCommand.end(), {"--snapshot", plainPath});
    auto figureCommand = Command(common);
    figureCommand.insert(figureCommand.end(), {"-fps", "--snapshot", figurePath});
    ExpectExitCode(RunToEnd(plainCommand).status, 0);
    ExpectExitCode(RunToEnd(figureCommand).status, 0);

    const auto plain = ReadPpm(plainPath);
    const auto figure = ReadPpm(figurePath);
    ASSERT_TRUE(plain && figure);
    SavePng(*figure, ArtefactPath("x11_fps.png"));
    int insideCorner = 0;
    int outsideCorner = 0;
    for (int y = 0; y < plain->height; ++y) {
        for (int x = 0; x < plain->width; ++x) {
            const bool differs = std::memcmp(plain->At(x, y), figure->At(x, y), 3) != 0;
            const bool corner = x < 160 && y >= plain->height - 30;
            (corner ? insideCorner : outsideCorner) += differs ? 1 : 0;
        }
    }
    EXPECT_GT(insideCorner, 50);
    EXPECT_EQ(outsideCorner, 0);
}

TEST_F(x11_program_test, a_bad_option_prints_the_usage_and_exits_with_1) {
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"-bogus"},
                                                      {"-delay", "soon"},
                                                      {"-window-id"},
                                                      {"-root", "-window"}}) {
        const Finished finished = RunToEnd(Command(arguments), 20.0);
        ExpectExitCode(finished.status, 1);
        EXPECT_NE(finished.errors.find("usage: nuvrel"), std::string::npos) << arguments[0];
        EXPECT_EQ(finished.output, "");
        EXPECT_TRUE(WindowsTitled(display(), Title).empty());
    }
    const Finished help = RunToEnd(Command({"--help"}), 20.0);
    ExpectExitCode(help.status, 0);
    EXPECT_EQ(help.output.rfind("usage: nuvrel", 0), 0u) << help.output;
}

}  // namespace
}  // namespace nuvrel::x11::testing
