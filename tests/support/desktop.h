#pragma once

// Helpers for tests that run the real programs on the (Wine) desktop: starting programs,
// finding their windows by title, and driving the X server's input with xdotool.

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace nuvrel::testing {

// The folder of the running test program, where the programs under test are built.
std::string ProgramFolder();

// A Windows program started with CreateProcess; terminated if still running when destroyed.
class Program {
  public:
    Program(const std::string& path, const std::string& arguments);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    bool Started() const { return process_.hProcess != nullptr; }
    DWORD Id() const { return process_.dwProcessId; }
    // The exit code once the program has ended within the time given.
    std::optional<DWORD> WaitForExit(DWORD milliseconds);

  private:
    PROCESS_INFORMATION process_{};
};

// Runs a shell command of the machine under Wine and returns its exit status, or -1 when
// it did not finish in time.
DWORD RunUnixCommand(const std::string& commandLine, DWORD timeoutMilliseconds = 30000);

// Runs xdotool with the given arguments; true when it succeeded.
bool Xdotool(const std::string& arguments);

// Top-level windows with exactly this title.
std::vector<HWND> WindowsTitled(const char* title);

// Ends the programs that own top-level windows with this title: what a failed test left.
void EndProgramsWithWindowsTitled(const char* title);

// Waits, pumping this thread's messages, until a top-level window with this title exists.
HWND WaitForWindow(const char* title, DWORD milliseconds = 20000);

// Pumps this thread's messages for the time given.
void Pause(DWORD milliseconds);

// A fresh folder of the test's own under the temporary folder, and its removal with all it
// holds.
std::string MakeTestFolder(const std::string& prefix);
void RemoveFolder(const std::string& folder);

// A Unix path as a Windows program sees it.
std::string WindowsPathOf(const std::string& unixPath);

}  // namespace nuvrel::testing

namespace nuvrel::testing {

// The whole X screen as the user sees it, from a screenshot saved as <name>.ppm and
// <name>.png (to look at) in the folder given.
struct ScreenImage {
    struct Colour {
        int red;
        int green;
        int blue;
        friend bool operator==(const Colour& a, const Colour& b) {
            return a.red == b.red && a.green == b.green && a.blue == b.blue;
        }
    };
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool Empty() const { return width == 0; }
    Colour At(int x, int y) const;
    // Pixels in the screen rectangle for which the test holds.
    template <typename Test>
    int CountIn(const RECT& area, Test test) const {
        int count = 0;
        for (int y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height); ++y) {
            for (int x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width); ++x) {
                count += test(At(x, y)) ? 1 : 0;
            }
        }
        return count;
    }
};
ScreenImage CaptureScreen(const std::string& unixFolder, const std::string& name);

// Top-level windows with exactly this (wide) title.
HWND FindWindowTitledW(const wchar_t* title);

// The first descendant window of the given class, depth first.
HWND FindDescendant(HWND parent, const wchar_t* className);

}  // namespace nuvrel::testing
