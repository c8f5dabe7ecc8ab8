// nuvrel-sim: runs the vortex scene headless, for tests, benchmarks and curiosity.

#include <chrono>
#include <cstdio>

#include "renderer/scene/vortex_scene.h"
#include "tools/sim/scene_dump.h"
#include "tools/sim/sim_options.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char* argv[]) {
    const auto options = nuvrel::ParseSimOptions(argc, argv);
    if (!options) {
        std::fputs(nuvrel::SimUsage, stderr);
        return 2;
    }
#ifdef _WIN32
    // Byte-for-byte the same output as on other systems: no "\r\n" line ends.
    _setmode(_fileno(stdout), _O_BINARY);
#endif

    nuvrel::VortexScene scene(options->seed);
    const auto start = std::chrono::steady_clock::now();
    for (std::int64_t frame = 0; frame < options->frames; ++frame) {
        scene.AdvanceFrame([](const nuvrel::ParticleDraw&) {});
    }
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;

    if (options->dump) {
        const std::string json = nuvrel::SceneDumpJson(scene, options->seed, options->frames);
        std::fwrite(json.data(), 1, json.size(), stdout);
    } else {
        const double perFrame = options->frames > 0 ? elapsed.count() / options->frames : 0.0;
        std::printf("frames: %lld\nview: %s\nsimulation: %.1f us per frame\n",
                    static_cast<long long>(options->frames),
                    scene.view == nuvrel::View::Top ? "top" : "side", perFrame);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
