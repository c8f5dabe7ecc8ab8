#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "renderer/scene/vortex_scene.h"

namespace nuvrel {

struct SnapshotOptions {
    std::uint32_t seed = 0;
    int frames = 0;  // the picture is the one left after drawing frames 1..frames
    int width = 0;
    int height = 0;
    std::string picturePath;           // binary PPM, top row first; empty: none
    std::string statePath;             // OpenGL state after set-up, as text; empty: none
    std::optional<View> viewOverride;  // the seed's own view when empty
};

extern const char SnapshotUsage[];

// --seed, --frames and --size are required, and at least one of --out and --state; --out
// needs at least one frame. Nothing else is accepted.
std::optional<SnapshotOptions> ParseSnapshotOptions(int argc, const char* const argv[]);

}  // namespace nuvrel
