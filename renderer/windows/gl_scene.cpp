#include "renderer/windows/gl_scene.h"

#include <ctime>

#include "renderer/scene/gl_headers.h"
#include "renderer/windows/select_pixel_format.h"

namespace nuvrel {

std::uint32_t SeedFromClock() {
    return static_cast<std::uint32_t>(std::time(nullptr));
}

ViewportRect ClientViewport(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.left, client.top, client.right - client.left, client.bottom - client.top};
}

void SetUpScene(GlScene& gl, HWND window, std::vector<MonitorScene> scenes) {
    gl.deviceContext = GetDC(window);
    SelectPixelFormat(gl.deviceContext);
    gl.renderingContext = wglCreateContext(gl.deviceContext);
    if (gl.renderingContext == nullptr || !wglMakeCurrent(gl.deviceContext, gl.renderingContext)) {
        return;  // the window stays black; frames draw nothing
    }
    gl.contextCurrent = true;
    const bool primaryBuilt = !scenes.empty() && scenes.front().scene != nullptr;
    SetUpDrawing(scenes.empty() ? ClientViewport(window) : scenes.front().viewport,
                 primaryBuilt ? scenes.front().scene->view : View::Side);
    if (primaryBuilt) {
        gl.scenes = std::move(scenes);
    }
}

void SetUpScene(GlScene& gl, HWND window, std::unique_ptr<VortexScene> scene,
                const ViewportRect& viewport) {
    std::vector<MonitorScene> scenes;
    scenes.push_back({std::move(scene), viewport, MonitorKey{}});
    SetUpScene(gl, window, std::move(scenes));
}

void SetUpScene(GlScene& gl, HWND window) {
    // The scene draws all its random numbers first: the same sequence as drawing the
    // camera's view between them and the OpenGL state.
    std::unique_ptr<VortexScene> scene = TryBuildVortexScene(SeedFromClock());
    SetUpScene(gl, window, std::move(scene), ClientViewport(window));
}

void PlaceScenes(std::vector<MonitorScene>& scenes, const SaverPlacement& placement,
                 SceneSeeds& seeds) {
    std::vector<MonitorKey> before;
    for (const MonitorScene& placed : scenes) {
        before.push_back(placed.monitor);
    }
    const std::vector<std::optional<std::size_t>> kept = KeptScenes(before, placement.monitors);
    std::vector<MonitorScene> placedNow;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        MonitorScene placed = kept[i] ? std::move(scenes[*kept[i]])
                                      : MonitorScene{TryBuildVortexScene(seeds.Next()), {}, {}};
        placed.viewport = placement.viewports[i];
        placed.monitor = placement.monitors[i];
        placedNow.push_back(std::move(placed));
    }
    scenes = std::move(placedNow);
}

void TearDownScene(GlScene& gl, HWND window) {
    gl.scenes.clear();
    if (gl.contextCurrent) {
        TearDownDrawing();
    }
    ReleaseDC(window, gl.deviceContext);
    wglMakeCurrent(nullptr, nullptr);
    if (gl.renderingContext != nullptr) {
        wglDeleteContext(gl.renderingContext);
    }
    gl.deviceContext = nullptr;
    gl.renderingContext = nullptr;
    gl.contextCurrent = false;
}

bool RequestSwapInterval(const GlScene& gl, int interval) {
    if (!gl.contextCurrent) {
        return false;
    }
    using SwapIntervalFunction = BOOL(WINAPI*)(int);
    const auto swapInterval = reinterpret_cast<SwapIntervalFunction>(
        reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
    return swapInterval != nullptr && swapInterval(interval) != FALSE;
}

void DrawFrame(GlScene& gl) {
    if (!gl.Ready()) {
        return;
    }
    ClearFrame();
    for (MonitorScene& placed : gl.scenes) {
        if (placed.scene != nullptr) {
            DrawSceneIn(*placed.scene, placed.viewport);
        }
    }
    wglSwapLayerBuffers(gl.deviceContext, WGL_SWAP_MAIN_PLANE);
}

}  // namespace nuvrel
