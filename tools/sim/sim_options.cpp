#include "tools/sim/sim_options.h"

#include <cstring>
#include <limits>

#include "renderer/arguments/decimal_argument.h"

namespace nuvrel {

const char SimUsage[] =
    "usage: nuvrel-sim --seed S --frames N [--dump]\n"
    "  Builds the vortex scene from seed S (0..4294967295), runs N frames of its\n"
    "  simulation without drawing and prints a summary, or with --dump the whole\n"
    "  state as JSON.\n";

namespace {}  // namespace

std::optional<SimOptions> ParseSimOptions(int argc, const char* const argv[]) {
    SimOptions options;
    bool haveSeed = false;
    bool haveFrames = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(argument, "--dump") == 0 && !options.dump) {
            options.dump = true;
        } else if (std::strcmp(argument, "--seed") == 0 && !haveSeed) {
            const auto seed =
                ParseDecimalArgument(value, std::numeric_limits<std::uint32_t>::max());
            if (!seed) {
                return std::nullopt;
            }
            options.seed = static_cast<std::uint32_t>(*seed);
            haveSeed = true;
            ++i;
        } else if (std::strcmp(argument, "--frames") == 0 && !haveFrames) {
            const auto frames =
                ParseDecimalArgument(value, std::numeric_limits<std::int64_t>::max());
            if (!frames) {
                return std::nullopt;
            }
            options.frames = static_cast<std::int64_t>(*frames);
            haveFrames = true;
            ++i;
        } else {
            return std::nullopt;
        }
    }
    if (!haveSeed || !haveFrames) {
        return std::nullopt;
    }
    return options;
}

}  // namespace nuvrel
