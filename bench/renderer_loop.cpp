// The renderer's own window and frame loop with a chosen pace, for tests and benchmarks:
//   renderer_loop [--refresh HZ | --period-ms MS | --uncapped] [--seed S]
//                 [--frames N | --hold-after N] [--report FILE]
// It draws until input ends it, or N frames (--hold-after: then keeps the last frame on the
// screen until input), and writes the frames drawn and their rate to FILE.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "renderer/arguments/decimal_argument.h"
#include "renderer/windows/saver_window.h"

namespace {

struct Options {
    nuvrel::RendererOptions renderer;
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
        } else if ((std::strcmp(option, "--frames") == 0 ||
                    std::strcmp(option, "--hold-after") == 0) &&
                   number && *number > 0) {
            options.renderer.frameLimit = static_cast<long>(*number);
            options.renderer.holdLastFrame = std::strcmp(option, "--hold-after") == 0;
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
            "[--seed S] [--frames N | --hold-after N] [--report FILE]\n",
            stderr);
        return 2;
    }
    nuvrel::FrameCount count;
    const int exitCode = nuvrel::RunSaverWindow(instance, options.renderer, &count);
    if (!options.report.empty()) {
        std::FILE* file = std::fopen(options.report.c_str(), "w");
        if (file == nullptr) {
            return 1;
        }
        const double seconds = std::chrono::duration<double>(count.drawing).count();
        std::fprintf(file,
                     "frames: %ld\nseconds: %.3f\nframe rate: %.1f frames/s\nswap interval: %d\n",
                     count.frames, seconds, count.frames > 1 ? (count.frames - 1) / seconds : 0.0,
                     count.swapInterval);
        std::fclose(file);
    }
    return exitCode;
}
