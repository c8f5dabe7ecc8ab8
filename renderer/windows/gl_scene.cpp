#include "renderer/windows/gl_scene.h"

#include <ctime>

#include "renderer/scene/gl_headers.h"
#include "renderer/windows/select_pixel_format.h"

namespace nuvrel {

std::unique_ptr<VortexScene> BuildSceneFromClock() {
    return TryBuildVortexScene(static_cast<std::uint32_t>(std::time(nullptr)));
}

ViewportRect ClientViewport(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.left, client.top, client.right - client.left, client.bottom - client.top};
}

void SetUpScene(GlScene& gl, HWND window, std::unique_ptr<VortexScene> scene,
                const ViewportRect& viewport) {
    gl.deviceContext = GetDC(window);
    SelectPixelFormat(gl.deviceContext);
    gl.renderingContext = wglCreateContext(gl.deviceContext);
    if (gl.renderingContext == nullptr || !wglMakeCurrent(gl.deviceContext, gl.renderingContext)) {
        return;  // the window stays black; frames draw nothing
    }
    gl.contextCurrent = true;
    SetUpDrawing(viewport, scene ? scene->view : View::Side);
    gl.scene = std::move(scene);
}

void SetUpScene(GlScene& gl, HWND window) {
    // The scene draws all its random numbers first: the same sequence as drawing the
    // camera's view between them and the OpenGL state.
    std::unique_ptr<VortexScene> scene = BuildSceneFromClock();
    SetUpScene(gl, window, std::move(scene), ClientViewport(window));
}

void TearDownScene(GlScene& gl, HWND window) {
    gl.scene.reset();
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
    DrawSceneFrame(*gl.scene);
    wglSwapLayerBuffers(gl.deviceContext, WGL_SWAP_MAIN_PLANE);
}

}  // namespace nuvrel
