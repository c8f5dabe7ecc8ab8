#pragma once

#include "frontend/music/music.h"
#include "frontend/settings/settings.h"

namespace nuvrel {

// The supervisor's three window timers.
enum class SupervisorTimer { Mp3 = 1, Cd = 2, RendererWatch = 3 };

constexpr unsigned IntervalOf(SupervisorTimer timer) {
    switch (timer) {
        case SupervisorTimer::Mp3:
            return 1000;  // restart an MP3 that has ended
        case SupervisorTimer::Cd:
            return 200;  // keep the CD playing
        case SupervisorTimer::RendererWatch:
            return 500;
    }
    return 0;
}

// What the supervisor asks of the system.
class SupervisorPlatform {
  public:
    virtual ~SupervisorPlatform() = default;
    // Starts the renderer program beside the front end; false when it cannot be started.
    virtual bool StartRenderer() = 0;
    virtual bool RendererWindowExists() = 0;  // a top-level window titled "Nuvrel_VC"
    virtual bool RendererProcessEnded() = 0;
    virtual void StartTimer(SupervisorTimer timer) = 0;
    virtual void StopTimer(SupervisorTimer timer) = 0;
    virtual void ShowCursorAgain() = 0;
    virtual void EndProcess() = 0;
};

// Run mode: starts the music and the renderer, keeps the music going, and watches by title
// for the renderer's window to come and go; then stops the music, shows the cursor again if
// start-up hid it, and ends the front end. A renderer that cannot be started, or that ends
// before its window was ever seen, ends run mode the same way.
class Supervisor {
  public:
    Supervisor(Settings& settings, Music& music, SupervisorPlatform& platform, bool cursorHidden)
        : settings_(settings), music_(music), platform_(platform), cursorHidden_(cursorHidden) {}

    void Load();
    void OnTimer(SupervisorTimer timer);
    // The closing step, whatever asked the window to close.
    void Close();

    bool RendererSeen = false;

  private:
    void WatchRenderer();
    MusicFileType FileType() const;

    Settings& settings_;
    Music& music_;
    SupervisorPlatform& platform_;
    bool cursorHidden_;
    bool cdTimerRunning_ = false;
};

}  // namespace nuvrel
