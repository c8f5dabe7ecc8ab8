#pragma once

// Helpers for tests that run the Linux program on an X server: starting it, finding and
// making windows, screenshots and input through the X server.

#include <X11/Xlib.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace nuvrel::x11::testing {

// A program started with its arguments and extra environment, which replaces inherited
// variables of the same names; its output goes to files.
// Killed if still running when destroyed.
class Program {
  public:
    Program(const std::vector<std::string>& arguments,
            const std::vector<std::string>& environment = {});
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    pid_t Id() const { return pid_; }
    void Signal(int signal) const;
    // The wait status once the program has ended within the time given.
    std::optional<int> WaitForExit(double seconds);
    std::string Output() const;
    std::string Errors() const;

  private:
    pid_t pid_ = -1;
    std::string outputPath_;
    std::string errorPath_;
};

// An Xvfb server of its own beside the test's display, started with extra arguments (such
// as "-extension GLX" for a server without OpenGL); ended when destroyed.
class OtherXServer {
  public:
    explicit OtherXServer(const std::vector<std::string>& extraArguments);
    OtherXServer(const OtherXServer&) = delete;
    OtherXServer& operator=(const OtherXServer&) = delete;
    ~OtherXServer();

    // ":N", or empty when it did not start.
    const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

// A window manager of the test's own, on a connection of its own: it takes the requests to
// map top-level windows and does with them only what the test says.
class FakeWindowManager {
  public:
    FakeWindowManager();
    FakeWindowManager(const FakeWindowManager&) = delete;
    FakeWindowManager& operator=(const FakeWindowManager&) = delete;
    ~FakeWindowManager();

    // The window whose map request came within the time given, or 0.
    Window WaitForMapRequest(double seconds = 20.0);
    Display* display() const { return display_; }

  private:
    Display* display_ = nullptr;
};

// The wait status of a program run to its end (given up on after the time given).
struct Finished {
    std::optional<int> status;
    std::string output;
    std::string errors;
};
Finished RunToEnd(const std::vector<std::string>& arguments, double seconds = 120.0,
                  const std::vector<std::string>& environment = {});

// Waits up to the given time until a top-level window with this title exists.
Window WaitForWindowTitled(Display* display, const char* title, double seconds = 20.0);
std::vector<Window> WindowsTitled(Display* display, const char* title);

// A plain mapped window of the default visual, made by the test.
Window MakeWindow(Display* display, int width, int height);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // top row first

    const unsigned char* At(int x, int y) const { return rgb.data() + (y * width + x) * 3; }
};

// What the X server shows in a window (or the root window).
Picture Screenshot(Display* display, Window window);
// A PPM file as the program's --snapshot writes it.
std::optional<Picture> ReadPpm(const std::string& path);
// Saves a picture as PNG (through PPM and ImageMagick) for a person to look at.
void SavePng(const Picture& picture, const std::string& path);

// Pixels near white, as text drawn in core X shows.
int WhitePixels(const Picture& picture);

// Waits up to the given time until the window shows at least the given number of white
// pixels; returns the last screenshot.
Picture WaitForWhitePixels(Display* display, Window window, int atLeast, double seconds);

// Pixels of clear colour, as the lit, coloured particles of the vortex give, not the grey
// highlights of its first, dark passes.
int ColouredPixels(const Picture& picture);

// Waits up to the given time until the window shows at least the given number of coloured
// pixels; returns the last screenshot.
Picture WaitForColouredPixels(Display* display, Window window, int atLeast, double seconds);

// Runs xdotool; true when it succeeded.
bool Xdotool(const std::string& arguments);

void Pause(double seconds);

// The folder for pictures the tests leave behind.
std::string ArtefactPath(const std::string& name);

}  // namespace nuvrel::x11::testing
