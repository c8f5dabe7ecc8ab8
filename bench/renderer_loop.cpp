// The renderer's own window and frame loop with a chosen pace, for tests and benchmarks:
//   renderer_loop [--refresh HZ | --period-ms MS | --uncapped] [--seed S]
//                 [--frames N | --hold-after N]
//                 [--display-off-after N [--display-on-after-ms MS]] [--report FILE]
// It draws until input ends it, or N frames (--hold-after: then keeps the last frame on the
// screen until input), and writes the frames drawn and their rate to FILE.
// --display-off-after tells the window after N frames that the display went off, as the
// system's notification would; --display-on-after-ms that it came back MS later.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "renderer/arguments/decimal_argument.h"
#include "renderer/windows/display_power_notice.h"
#include "renderer/windows/saver_window.h"

namespace {

// Tells the window the display's power as the system's notification would.
void ReportDisplayPower(HWND window, DWORD state) {
    union {
        POWERBROADCAST_SETTING setting;
        unsigned char bytes[sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD)];
    } notice{};
    notice.setting.PowerSetting = nuvrel::ConsoleDisplayStateSetting();
    notice.setting.DataLength = sizeof state;
    std::memcpy(notice.setting.Data, &state, sizeof state);
    SendMessageA(window, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                 reinterpret_cast<LPARAM>(&notice.setting));
}

constexpr DWORD DisplayOff = 0;
constexpr DWORD DisplayOn = 1;

// Counts the frames, and ends the run or holds its last frame after the limit; turns the
// display off after a number of frames, and on again after a time.
class FrameCounter final : public nuvrel::FrameObserver {
  public:
    void PaceChosen(int swapInterval) override { swapInterval_ = swapInterval; }

    nuvrel::AfterFrame FramePresented(HWND window,
                                      nuvrel::PaceClock::time_point presented) override {
        if (frames_++ == 0) {
            first_ = presented;
        }
        last_ = presented;
        if (displayOn_ && presented - *displayOn_ < std::chrono::seconds{1}) {
            ++framesInFirstSecondOn_;
        }
        if (frames_ == displayOffAfter) {
            TurnDisplayOff(window);
        }
        if (frameLimit == 0 || frames_ < frameLimit) {
            return nuvrel::AfterFrame::DrawOn;
        }
        return holdLastFrame ? nuvrel::AfterFrame::HoldLastFrame : nuvrel::AfterFrame::Close;
    }

    bool WriteReport(const std::string& path) const {
        std::FILE* file = std::fopen(path.c_str(), "w");
        if (file == nullptr) {
            return false;
        }
        const double seconds = std::chrono::duration<double>(last_ - first_).count();
        std::fprintf(file,
                     "frames: %ld\nseconds: %.3f\nframe rate: %.1f frames/s\nswap interval: %d\n",
                     frames_, seconds, frames_ > 1 ? (frames_ - 1) / seconds : 0.0, swapInterval_);
        if (displayOn_) {
            std::fprintf(file, "frames in the first second with the display back on: %ld\n",
                         framesInFirstSecondOn_);
        }
        std::fclose(file);
        return true;
    }

    long frameLimit = 0;  // 0: until input
    bool holdLastFrame = false;
    long displayOffAfter = 0;   // 0: the display stays on
    UINT displayOnAfterMs = 0;  // 0: it stays off

  private:
    void TurnDisplayOff(HWND window) {
        ReportDisplayPower(window, DisplayOff);
        if (displayOnAfterMs > 0) {
            waking_ = this;
            wakingWindow_ = window;
            SetTimer(nullptr, 0, displayOnAfterMs, TurnDisplayOn);
        }
    }

    static void CALLBACK TurnDisplayOn(HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        waking_->displayOn_ = nuvrel::PaceClock::now();
        ReportDisplayPower(wakingWindow_, DisplayOn);
    }

    static FrameCounter* waking_;
    static HWND wakingWindow_;

    long frames_ = 0;
    nuvrel::PaceClock::time_point first_{};
    nuvrel::PaceClock::time_point last_{};
    int swapInterval_ = 0;
    std::optional<nuvrel::PaceClock::time_point> displayOn_;
    long framesInFirstSecondOn_ = 0;
};

FrameCounter* FrameCounter::waking_ = nullptr;
HWND FrameCounter::wakingWindow_ = nullptr;

struct Options {
    nuvrel::RendererOptions renderer;
    FrameCounter counter;
    std::string report;
};

bool ParseOptions(int argc, char* argv[], Options& options) {
    for (int i = 1; i < argc; ++i) {
        const char* option = argv[i];
        if (std::strcmp(option, "--uncapped") == 0) {
            options.renderer.pace.uncapped = true;
            continue;
        }
        if (i + 1 >= argc) {
            return false;
        }
        const char* value = argv[++i];
        const auto number = nuvrel::ParseDecimalArgument(value, 1000000);
        if (std::strcmp(option, "--report") == 0) {
            options.report = value;
        } else if (std::strcmp(option, "--refresh") == 0 && number) {
            options.renderer.pace.refreshHz = static_cast<int>(*number);
        } else if (std::strcmp(option, "--period-ms") == 0 && number && *number > 0) {
            options.renderer.pace.period = nuvrel::Microseconds{*number * 1000};
        } else if (std::strcmp(option, "--seed") == 0 && value != nullptr) {
            const auto seed = nuvrel::ParseDecimalArgument(value, 0xFFFFFFFFu);
            if (!seed) {
                return false;
            }
            options.renderer.seed = static_cast<std::uint32_t>(*seed);
        } else if (std::strcmp(option, "--display-off-after") == 0 && number && *number > 0) {
            options.counter.displayOffAfter = static_cast<long>(*number);
        } else if (std::strcmp(option, "--display-on-after-ms") == 0 && number && *number > 0) {
            options.counter.displayOnAfterMs = static_cast<UINT>(*number);
        } else if ((std::strcmp(option, "--frames") == 0 ||
                    std::strcmp(option, "--hold-after") == 0) &&
                   number && *number > 0) {
            options.counter.frameLimit = static_cast<long>(*number);
            options.counter.holdLastFrame = std::strcmp(option, "--hold-after") == 0;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Options options;
    if (!ParseOptions(__argc, __argv, options)) {
        std::fputs(
            "usage: renderer_loop [--refresh HZ | --period-ms MS | --uncapped] "
            "[--seed S] [--frames N | --hold-after N]\n"
            "                     [--display-off-after N [--display-on-after-ms MS]] "
            "[--report FILE]\n",
            stderr);
        return 2;
    }
    options.renderer.observer = &options.counter;
    const int exitCode = nuvrel::RunSaverWindow(instance, options.renderer);
    if (!options.report.empty() && !options.counter.WriteReport(options.report)) {
        return 1;
    }
    return exitCode;
}
