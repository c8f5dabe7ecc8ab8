#include "frontend/startup/supervisor.h"

namespace nuvrel {

MusicFileType Supervisor::FileType() const {
    return settings_.BgmKind == bgm_kind::File ? MusicFileTypeOf(settings_.BgmFile)
                                               : MusicFileType::Other;
}

// The music first, then the renderer.
void Supervisor::Load() {
    if (settings_.BgmKind == bgm_kind::Cd) {
        music_.CdOpen();
        platform_.StartTimer(SupervisorTimer::Cd);
        cdTimerRunning_ = true;
    }
    switch (FileType()) {
        case MusicFileType::Wav:
            music_.WavPlay();
            break;
        case MusicFileType::Mp3:
            music_.Mp3Play();
            platform_.StartTimer(SupervisorTimer::Mp3);
            break;
        case MusicFileType::Other:
            break;
    }
    RendererSeen = false;
    if (!platform_.StartRenderer()) {
        Close();
        return;
    }
    platform_.StartTimer(SupervisorTimer::RendererWatch);
}

void Supervisor::OnTimer(SupervisorTimer timer) {
    switch (timer) {
        case SupervisorTimer::Mp3:
            music_.Mp3Rewind();
            break;
        case SupervisorTimer::Cd:
            if (!music_.CdWatch()) {
                platform_.StopTimer(SupervisorTimer::Cd);
                cdTimerRunning_ = false;
            }
            break;
        case SupervisorTimer::RendererWatch:
            WatchRenderer();
            break;
    }
}

void Supervisor::WatchRenderer() {
    if (!RendererSeen) {
        if (platform_.RendererWindowExists()) {
            RendererSeen = true;
        } else if (platform_.RendererProcessEnded()) {
            platform_.StopTimer(SupervisorTimer::RendererWatch);
            Close();
        }
        return;
    }
    if (!platform_.RendererWindowExists()) {
        platform_.StopTimer(SupervisorTimer::RendererWatch);
        Close();
    }
}

void Supervisor::Close() {
    if (cdTimerRunning_) {
        platform_.StopTimer(SupervisorTimer::Cd);
        cdTimerRunning_ = false;
        music_.CdStop();
    }
    switch (FileType()) {
        case MusicFileType::Wav:
            music_.WavStop();
            break;
        case MusicFileType::Mp3:
            // The timer goes first, so that no restart reaches a closed device.
            platform_.StopTimer(SupervisorTimer::Mp3);
            music_.Mp3Stop();
            break;
        case MusicFileType::Other:
            break;
    }
    if (cursorHidden_) {
        platform_.ShowCursorAgain();
    }
    platform_.EndProcess();
}

}  // namespace nuvrel
