#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nuvrel::x11 {

// Where the vortex is drawn.
enum class Target {
    OwnWindow,    // a window of the program's own, ended by a key, a click or its close button
    VirtualRoot,  // the screen saver's window when there is one, else the root window
    GivenWindow,  // a window that someone else made, by its id
};

struct Options {
    Target target = Target::OwnWindow;
    // GivenWindow: the window. VirtualRoot: XSCREENSAVER_WINDOW's window, or 0 to look for
    // a virtual root window and else take the real one.
    unsigned long windowId = 0;
    long delayMicroseconds = 0;         // pause added after each frame, on top of the pace
    bool showFrameRate = false;         // a frame-rate figure in the bottom-left corner
    std::optional<std::uint32_t> seed;  // absent: from the clock and the process id

    // For tests and benchmarks.
    long frames = 0;           // end after this many frames; 0 runs until ended
    bool uncapped = false;     // frames back to back: no vsync and no pace
    std::string snapshotPath;  // the last frame as a PPM picture, with frames
    int width = 800;           // size of the program's own window
    int height = 600;
};

enum class Outcome { Run, Help, Version, Bad };

struct CommandLine {
    Outcome outcome = Outcome::Bad;
    Options options;
    std::string error;  // what was wrong, for Bad
};

extern const char Usage[];

// Reads an XScreenSaver display mode's command line. xscreensaverWindow is the value of
// XSCREENSAVER_WINDOW (nullptr when unset): the window to draw into when the command line
// chooses none. Every option is also accepted with two dashes, as Xt programs do.
CommandLine ParseCommandLine(int argc, const char* const argv[], const char* xscreensaverWindow);

// A window id in decimal or 0x hexadecimal; no id is 0.
std::optional<unsigned long> ParseWindowId(const char* text);

}  // namespace nuvrel::x11
