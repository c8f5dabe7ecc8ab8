#pragma once

#include <windows.h>

#include <memory>

#include "renderer/scene/scene_drawing.h"
#include "renderer/scene/vortex_scene.h"

namespace nuvrel {

// The scene on screen: the window's device context, its OpenGL rendering context and the
// animated scene. Without a usable rendering context or memory for the scene it stays
// unready, and frames then draw nothing.
struct GlScene {
    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
    bool contextCurrent = false;
    std::unique_ptr<VortexScene> scene;

    bool Ready() const { return scene != nullptr; }
};

// The scene of this run, seeded from the calendar time.
std::unique_ptr<VortexScene> BuildSceneFromClock();

// The window's whole client area.
ViewportRect ClientViewport(HWND window);

// Chooses the window's pixel format, creates and makes current its rendering context and
// sets up the drawing (SetUpDrawing) into the viewport with the scene's view. The scene is
// built beforehand, so that all its random numbers are drawn before any OpenGL state is set.
void SetUpScene(GlScene& gl, HWND window, std::unique_ptr<VortexScene> scene,
                const ViewportRect& viewport);

// The scene from the calendar time, over the whole client area.
void SetUpScene(GlScene& gl, HWND window);
void TearDownScene(GlScene& gl, HWND window);

// Asks the driver to present every interval-th refresh (0: at once) where it offers
// WGL_EXT_swap_control; false where it does not or there is no rendering context.
bool RequestSwapInterval(const GlScene& gl, int interval);

// One frame of the scene (DrawSceneFrame), presented.
void DrawFrame(GlScene& gl);

}  // namespace nuvrel
