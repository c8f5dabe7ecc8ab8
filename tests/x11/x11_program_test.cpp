// The Linux program as XScreenSaver and its users run it, on an Xvfb display of the test's
// own with Mesa's software OpenGL.

// GoogleTest first: Xlib's headers define macros (None, Bool) that its names would meet.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
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

std::string IdText(Window window) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%lx", window);
    return text;
}

// Exited by itself with this code (not killed by a signal).
void ExpectExitCode(const std::optional<int>& status, int code) {
    ASSERT_TRUE(status) << "still running";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), code);
}

// Standard error holds one line, with these words.
void ExpectOneLineSaying(const std::string& errors, const std::string& words) {
    EXPECT_NE(errors.find(words), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

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

// Its own window is drawn once the window manager maps it, at the size it then has; until
// then a signal or the window's end still ends the program.
TEST_F(x11_program_test, its_own_window_waits_for_the_window_manager) {
    FakeWindowManager manager;
    {
        Program unmapped(Command({"-window"}));
        ASSERT_NE(manager.WaitForMapRequest(), 0u) << unmapped.Errors();
        Pause(0.5);
        unmapped.Signal(SIGTERM);
        ExpectExitCode(unmapped.WaitForExit(1.0), 0);
    }
    {
        Program destroyed(Command({"-window"}));
        const Window window = manager.WaitForMapRequest();
        ASSERT_NE(window, 0u) << destroyed.Errors();
        Pause(0.5);
        XDestroyWindow(manager.display(), window);
        XSync(manager.display(), False);
        ExpectExitCode(destroyed.WaitForExit(10.0), 1);
        ExpectOneLineSaying(destroyed.Errors(), "went away");
    }
    Program resized(Command({"-window", "--frames", "5"}));
    const Window window = manager.WaitForMapRequest();
    ASSERT_NE(window, 0u) << resized.Errors();
    XResizeWindow(manager.display(), window, 500, 400);
    XMapWindow(manager.display(), window);
    XSync(manager.display(), False);
    ExpectExitCode(resized.WaitForExit(60.0), 0);
    EXPECT_NE(resized.Output().find("size: 500x400"), std::string::npos) << resized.Output();
}

TEST_F(x11_program_test, a_snapshot_that_cannot_be_written_ends_it_with_exit_code_1) {
    const Finished finished =
        RunToEnd(Command({"-window", "--frames", "2", "--snapshot", "/nonexistent/x.ppm"}));
    ExpectExitCode(finished.status, 1);
    EXPECT_NE(finished.errors.find("cannot write /nonexistent/x.ppm: No such file or directory"),
              std::string::npos)
        << finished.errors;
}

// A stock X server refuses indirect GLX (BadValue on the context): as without GLX, the
// program shows why instead of ending and being started again and again.
TEST_F(x11_program_test, root_where_no_context_can_be_made_shows_why_and_stays_until_sigterm) {
    Program nuvrel(Command({"-root"}), {"LIBGL_ALWAYS_INDIRECT=1"});
    const Picture picture = WaitForWhitePixels(display(), DefaultRootWindow(display()), 150, 20.0);
    SavePng(picture, ArtefactPath("x11_indirect_glx_root.png"));
    EXPECT_GE(WhitePixels(picture), 150) << nuvrel.Errors();
    EXPECT_FALSE(nuvrel.WaitForExit(1.0)) << nuvrel.Errors();
    ExpectOneLineSaying(nuvrel.Errors(), "cannot create an OpenGL context");
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
    // The second is well formed, though larger than any id an X server gives out.
    for (const char* id : {"0x1fffff0", "0xdeadbeef"}) {
        const Finished finished = RunToEnd(Command({"-window-id", id}), 20.0);
        ExpectExitCode(finished.status, 1);
        EXPECT_NE(finished.errors.find(std::string("there is no window ") + id), std::string::npos)
            << finished.errors;
        EXPECT_EQ(finished.errors.find("usage"), std::string::npos) << finished.errors;
    }
}

// XScreenSaver's settings tool shows a preview by starting the mode with exactly these
// arguments, its preview window's id in hexadecimal.
TEST_F(x11_program_test, draws_the_preview_of_xscreensavers_settings_tool) {
    const Window preview = MakeWindow(display(), 300, 225);
    Program nuvrel(Command({"-root", "--window-id", IdText(preview)}));

    const Picture picture = WaitForColouredPixels(display(), preview, VortexPixels, VortexSeconds);
    SavePng(picture, ArtefactPath("x11_settings_preview.png"));
    EXPECT_GE(ColouredPixels(picture), VortexPixels) << nuvrel.Errors();
    EXPECT_TRUE(WindowsTitled(display(), Title).empty()) << "made a window of its own";
    // The root window outside the preview stays as it was.
    Picture root = Screenshot(display(), DefaultRootWindow(display()));
    XWindowAttributes placed{};
    XGetWindowAttributes(display(), preview, &placed);
    for (int y = std::max(placed.y, 0); y < std::min(placed.y + 225, root.height); ++y) {
        for (int x = std::max(placed.x, 0); x < std::min(placed.x + 300, root.width); ++x) {
            std::fill_n(root.rgb.begin() + (y * root.width + x) * 3, 3, 0);
        }
    }
    EXPECT_LT(ColouredPixels(root), 50) << "drew on the root window";
    nuvrel.Signal(SIGTERM);
    ExpectExitCode(nuvrel.WaitForExit(1.0), 0);
    EXPECT_EQ(nuvrel.Errors(), "");
}

// The daemon and the configs it reads write options with two dashes; --root means the
// daemon's window, named in XSCREENSAVER_WINDOW.
TEST_F(x11_program_test, the_daemons_double_dash_command_line) {
    const Window saverWindow = MakeWindow(display(), 320, 240);
    const std::vector<std::string> environment = {"XSCREENSAVER_WINDOW=" +
                                                  std::to_string(saverWindow)};
    const std::string plainPath = ArtefactPath("x11_daemon_plain.ppm");
    const std::string figurePath = ArtefactPath("x11_daemon_fps.ppm");
    const std::vector<std::string> common = {"--root", "--delay",  "20000", "--seed",
                                             "3",      "--frames", "60"};
    auto plainCommand = Command(common);
    plainCommand.insert(plainCommand.end(), {"--snapshot", plainPath});
    auto figureCommand = Command(common);
    figureCommand.insert(figureCommand.end(), {"--fps", "--snapshot", figurePath});
    ExpectExitCode(RunToEnd(plainCommand, 120.0, environment).status, 0);
    ExpectExitCode(RunToEnd(figureCommand, 120.0, environment).status, 0);

    const auto plain = ReadPpm(plainPath);
    const auto figure = ReadPpm(figurePath);
    ASSERT_TRUE(plain && figure);
    SavePng(*figure, ArtefactPath("x11_daemon_fps.png"));
    EXPECT_EQ(figure->width, 320) << "not drawn on the daemon's window";
    EXPECT_EQ(figure->height, 240);
    int cornerDifferences = 0;
    for (int y = plain->height - 30; y < plain->height; ++y) {
        for (int x = 0; x < 160; ++x) {
            cornerDifferences += std::memcmp(plain->At(x, y), figure->At(x, y), 3) != 0 ? 1 : 0;
        }
    }
    EXPECT_GT(cornerDifferences, 50) << "--fps drew no figure";

    // A long --delay holds the second frame back until a signal ends the wait.
    Program held(Command({"--root", "--delay", "30000000", "--frames", "2"}), environment);
    EXPECT_FALSE(held.WaitForExit(2.0)) << held.Output() << held.Errors();
    held.Signal(SIGTERM);
    ExpectExitCode(held.WaitForExit(1.0), 0);
    EXPECT_EQ(held.Output(), "") << "ended by --frames, not by the signal";
}

// On a server without OpenGL a screen saver would start the mode again and again if it
// ended; it says why, shows it, and waits to be stopped.
class x11_no_glx_test : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(server_.Name().empty()) << "Xvfb did not start";
        display_.reset(XOpenDisplay(server_.Name().c_str()));
        ASSERT_NE(display_, nullptr);
        int errorBase = 0;
        int eventBase = 0;
        int opcode = 0;
        ASSERT_FALSE(XQueryExtension(display(), "GLX", &opcode, &eventBase, &errorBase));
    }

    Display* display() const { return display_.get(); }
    std::vector<std::string> Environment() const { return {"DISPLAY=" + server_.Name()}; }

    static constexpr const char* Reason = "the X server has no OpenGL (GLX)";
    // The message in the "fixed" font is a few hundred white pixels.
    static constexpr int MessagePixels = 150;

  private:
    OtherXServer server_{{"-extension", "GLX"}};
    std::unique_ptr<Display, DisplayCloser> display_;
};

TEST_F(x11_no_glx_test, root_shows_why_and_stays_until_sigterm) {
    Program nuvrel({ProgramPath, "-root"}, Environment());
    const Picture picture =
        WaitForWhitePixels(display(), DefaultRootWindow(display()), MessagePixels, 20.0);
    SavePng(picture, ArtefactPath("x11_no_glx_root.png"));
    EXPECT_GE(WhitePixels(picture), MessagePixels) << nuvrel.Errors();
    EXPECT_LT(WhitePixels(picture), picture.width * picture.height / 50) << "not a short message";

    EXPECT_FALSE(nuvrel.WaitForExit(3.0)) << nuvrel.Errors();
    ExpectOneLineSaying(nuvrel.Errors(), Reason);
    nuvrel.Signal(SIGTERM);
    ExpectExitCode(nuvrel.WaitForExit(1.0), 0);
}

TEST_F(x11_no_glx_test, the_settings_tools_preview_shows_why_and_stays_until_sigint) {
    const Window preview = MakeWindow(display(), 300, 225);
    Program nuvrel({ProgramPath, "-root", "--window-id", IdText(preview)}, Environment());
    const Picture picture = WaitForWhitePixels(display(), preview, MessagePixels, 20.0);
    SavePng(picture, ArtefactPath("x11_no_glx_preview.png"));
    EXPECT_GE(WhitePixels(picture), MessagePixels) << nuvrel.Errors();

    // Shown again after being covered.
    XClearWindow(display(), preview);
    XSync(display(), False);
    EXPECT_LT(WhitePixels(Screenshot(display(), preview)), MessagePixels);
    XClearArea(display(), preview, 0, 0, 0, 0, True);
    XSync(display(), False);
    EXPECT_GE(WhitePixels(WaitForWhitePixels(display(), preview, MessagePixels, 10.0)),
              MessagePixels);

    EXPECT_FALSE(nuvrel.WaitForExit(1.0)) << nuvrel.Errors();
    ExpectOneLineSaying(nuvrel.Errors(), Reason);
    nuvrel.Signal(SIGINT);
    ExpectExitCode(nuvrel.WaitForExit(1.0), 0);
}

TEST_F(x11_no_glx_test, its_own_window_ends_with_exit_code_1) {
    const Finished finished = RunToEnd({ProgramPath, "-window"}, 20.0, Environment());
    ExpectExitCode(finished.status, 1);
    ExpectOneLineSaying(finished.errors, Reason);
}

TEST_F(x11_no_glx_test, a_window_that_does_not_exist_is_refused_with_exit_code_1) {
    const Finished finished =
        RunToEnd({ProgramPath, "-root", "-window-id", "0xdeadbeef"}, 20.0, Environment());
    ExpectExitCode(finished.status, 1);
    ExpectOneLineSaying(finished.errors, "there is no window 0xdeadbeef");
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

// The figure the program prints after --frames, or a negative number.
double PrintedFrameRate(const std::string& output) {
    const std::size_t at = output.find("frame rate: ");
    return at == std::string::npos ? -1.0 : std::atof(output.c_str() + at + 12);
}

TEST_F(x11_program_test, keeps_the_pace_of_a_60_hz_display_where_frames_come_early) {
    // Xvfb has no vsync, and small frames here come at about 100 a second uncapped: the
    // pace holds them to about 60. A slower build or a busy machine draws fewer uncapped,
    // and the paced figure may then be as low as that, but no lower.
    const Finished uncapped =
        RunToEnd(Command({"-window", "--size", "320x200", "--frames", "240", "--uncapped"}));
    ExpectExitCode(uncapped.status, 0);
    const Finished paced = RunToEnd(Command({"-window", "--size", "320x200", "--frames", "240"}));
    ExpectExitCode(paced.status, 0);
    const double rate = PrintedFrameRate(paced.output);
    EXPECT_GE(rate, std::min(50.0, 0.8 * PrintedFrameRate(uncapped.output)))
        << paced.output << uncapped.output;
    EXPECT_LE(rate, 75.0) << paced.output;
}

TEST_F(x11_program_test, the_delay_pauses_after_each_frame_on_top_of_the_pace) {
    // 10 ms after each frame of about 16.7 ms gives about 37 frames a second instead of 60,
    // and after slower frames still a lower rate. Runs with and without the delay take
    // turns, so that a machine busy for a while slows both alike.
    const std::vector<std::string> common = {"-window", "--size", "320x200", "--frames", "120"};
    auto delayedCommand = Command(common);
    delayedCommand.insert(delayedCommand.end(), {"-delay", "10000"});
    double pacedSeconds = 0.0;
    double delayedSeconds = 0.0;
    std::string outputs;
    for (int round = 0; round < 2; ++round) {
        const Finished paced = RunToEnd(Command(common));
        const Finished delayed = RunToEnd(delayedCommand);
        ExpectExitCode(paced.status, 0);
        ExpectExitCode(delayed.status, 0);
        pacedSeconds += 1.0 / PrintedFrameRate(paced.output);
        delayedSeconds += 1.0 / PrintedFrameRate(delayed.output);
        outputs += paced.output + "with -delay 10000:\n" + delayed.output;
    }
    EXPECT_GT(delayedSeconds, pacedSeconds / 0.9) << outputs;
    EXPECT_GT(pacedSeconds, 0.0) << outputs;
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
