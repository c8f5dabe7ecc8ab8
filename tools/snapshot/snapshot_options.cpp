#include "tools/snapshot/snapshot_options.h"

#include <cstring>
#include <limits>

#include "renderer/arguments/decimal_argument.h"

namespace nuvrel {

const char SnapshotUsage[] =
    "usage: scene_snapshot --seed S --frames N --size WxH [--out FILE.ppm]\n"
    "                      [--state FILE.txt] [--view side|top]\n"
    "  Builds the vortex scene from seed S on an OpenGL window of W by H pixels, draws\n"
    "  frames 1..N and writes the picture as a binary PPM (top row first); --state writes\n"
    "  the OpenGL state right after set-up; --view overrides the view the seed chose.\n";

namespace {

constexpr int MaxSide = 8192;

bool ParseSize(const char* text, SnapshotOptions& options) {
    const char* end = nullptr;
    const auto width = ParseLeadingDecimal(text, MaxSide, &end);
    if (!width || *width == 0 || *end != 'x') {
        return false;
    }
    const auto height = ParseDecimalArgument(end + 1, MaxSide);
    if (!height || *height == 0) {
        return false;
    }
    options.width = static_cast<int>(*width);
    options.height = static_cast<int>(*height);
    return true;
}

std::optional<View> ParseView(const char* text) {
    if (text != nullptr && std::strcmp(text, "side") == 0) {
        return View::Side;
    }
    if (text != nullptr && std::strcmp(text, "top") == 0) {
        return View::Top;
    }
    return std::nullopt;
}

bool NonEmpty(const char* text) {
    return text != nullptr && *text != '\0';
}

}  // namespace

std::optional<SnapshotOptions> ParseSnapshotOptions(int argc, const char* const argv[]) {
    SnapshotOptions options;
    bool haveSeed = false;
    bool haveFrames = false;
    bool haveSize = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        bool accepted = false;
        if (std::strcmp(argument, "--seed") == 0 && !haveSeed) {
            const auto seed =
                ParseDecimalArgument(value, std::numeric_limits<std::uint32_t>::max());
            accepted = haveSeed = seed.has_value();
            options.seed = static_cast<std::uint32_t>(seed.value_or(0));
        } else if (std::strcmp(argument, "--frames") == 0 && !haveFrames) {
            const auto frames = ParseDecimalArgument(value, std::numeric_limits<int>::max());
            accepted = haveFrames = frames.has_value();
            options.frames = static_cast<int>(frames.value_or(0));
        } else if (std::strcmp(argument, "--size") == 0 && !haveSize) {
            accepted = haveSize = ParseSize(value, options);
        } else if (std::strcmp(argument, "--out") == 0 && options.picturePath.empty()) {
            accepted = NonEmpty(value);
            options.picturePath = accepted ? value : "";
        } else if (std::strcmp(argument, "--state") == 0 && options.statePath.empty()) {
            accepted = NonEmpty(value);
            options.statePath = accepted ? value : "";
        } else if (std::strcmp(argument, "--view") == 0 && !options.viewOverride) {
            options.viewOverride = ParseView(value);
            accepted = options.viewOverride.has_value();
        }
        if (!accepted) {
            return std::nullopt;
        }
        ++i;
    }
    const bool wantsSomething = !options.picturePath.empty() || !options.statePath.empty();
    const bool pictureHasFrames = options.picturePath.empty() || options.frames > 0;
    if (!haveSeed || !haveFrames || !haveSize || !wantsSomething || !pictureHasFrames) {
        return std::nullopt;
    }
    return options;
}

}  // namespace nuvrel
