// scene_snapshot: the vortex scene of a chosen seed drawn on an OpenGL window the way the
// renderer draws it, written out as a picture and as the OpenGL state after set-up. A test
// tool: the renderer itself always seeds from the clock.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "renderer/windows/gl_scene.h"
#include "tests/support/scene_window.h"
#include "tools/snapshot/gl_readback.h"
#include "tools/snapshot/snapshot_options.h"

namespace nuvrel {
namespace {

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    return !file.fail();
}

bool ClientIsOfSize(HWND window, int width, int height) {
    const ViewportRect client = ClientViewport(window);
    return client.width == width && client.height == height;
}

int Run(const SnapshotOptions& options) {
    std::unique_ptr<VortexScene> scene = TryBuildVortexScene(options.seed);
    if (!scene) {
        std::fputs("scene_snapshot: no memory for the scene\n", stderr);
        return 1;
    }
    if (options.viewOverride) {
        scene->view = *options.viewOverride;
    }
    testing::SceneWindow window(options.width, options.height);
    if (window.Handle() == nullptr ||
        !ClientIsOfSize(window.Handle(), options.width, options.height)) {
        std::fputs("scene_snapshot: no window of that size\n", stderr);
        return 1;
    }

    GlScene gl;
    SetUpScene(gl, window.Handle(), std::move(scene), {0, 0, options.width, options.height});
    int status = 0;
    if (!gl.Ready()) {
        std::fputs("scene_snapshot: no OpenGL rendering context\n", stderr);
        status = 1;
    } else {
        if (!options.statePath.empty() && !WriteText(options.statePath, DescribeGlState())) {
            std::fprintf(stderr, "scene_snapshot: cannot write %s\n", options.statePath.c_str());
            status = 1;
        }
        for (int frame = 1; frame <= options.frames; ++frame) {
            DrawSceneFrame(*gl.scenes.front().scene);
        }
        if (!options.picturePath.empty() &&
            !WritePpm(options.picturePath, ReadBackBuffer(options.width, options.height))) {
            std::fprintf(stderr, "scene_snapshot: cannot write %s\n", options.picturePath.c_str());
            status = 1;
        }
    }
    TearDownScene(gl, window.Handle());
    return status;
}

}  // namespace
}  // namespace nuvrel

int main(int argc, char** argv) {
    const auto options = nuvrel::ParseSnapshotOptions(argc, argv);
    if (!options) {
        std::fputs(nuvrel::SnapshotUsage, stderr);
        return 2;
    }
    return nuvrel::Run(*options);
}
