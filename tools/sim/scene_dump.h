#pragma once

#include <cstdint>
#include <string>

#include "renderer/scene/vortex_scene.h"

namespace nuvrel {

// The whole state of a scene as one line of JSON, every float printed so that it reads back
// to the same value.
std::string SceneDumpJson(const VortexScene& scene, std::uint32_t seed, std::int64_t frames);

}  // namespace nuvrel
