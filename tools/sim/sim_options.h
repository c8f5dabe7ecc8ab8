#pragma once

#include <cstdint>
#include <optional>

namespace nuvrel {

struct SimOptions {
    std::uint32_t seed = 0;
    std::int64_t frames = 0;
    bool dump = false;
};

extern const char SimUsage[];

// Both --seed and --frames are required; nothing else is accepted.
std::optional<SimOptions> ParseSimOptions(int argc, const char* const argv[]);

}  // namespace nuvrel
