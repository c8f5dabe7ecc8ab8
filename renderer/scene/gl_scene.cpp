#include "renderer/scene/gl_scene.h"

#include <ctime>

#include "renderer/host/select_pixel_format.h"
#include "renderer/scene/gl_headers.h"

namespace nuvrel {

void SetUpScene(GlScene& gl, HWND window) {
    // The scene draws all its random numbers here, before any OpenGL state is set: the
    // same sequence as drawing the camera's view between the two.
    std::unique_ptr<VortexScene> scene =
        TryBuildVortexScene(static_cast<std::uint32_t>(std::time(nullptr)));

    gl.deviceContext = GetDC(window);
    SelectPixelFormat(gl.deviceContext);
    gl.renderingContext = wglCreateContext(gl.deviceContext);
    RECT client{};
    GetClientRect(window, &client);
    if (gl.renderingContext == nullptr || !wglMakeCurrent(gl.deviceContext, gl.renderingContext)) {
        return;  // the window stays black; frames draw nothing
    }
    gl.contextCurrent = true;

    const ViewportRect viewport{client.left, client.top, client.right - client.left,
                                client.bottom - client.top};
    SetUpDrawing(viewport, scene ? scene->view : View::Side);
    gl.scene = std::move(scene);
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

void DrawFrame(GlScene& gl) {
    if (!gl.Ready()) {
        return;
    }
    DrawSceneFrame(*gl.scene);
    wglSwapLayerBuffers(gl.deviceContext, WGL_SWAP_MAIN_PLANE);
}

}  // namespace nuvrel
