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

// Builds the scene from the calendar time, chooses the window's pixel format, creates and
// makes current its rendering context and sets up the drawing (SetUpDrawing) over the whole
// client area.
void SetUpScene(GlScene& gl, HWND window);
void TearDownScene(GlScene& gl, HWND window);

// One frame of the scene (DrawSceneFrame), presented.
void DrawFrame(GlScene& gl);

}  // namespace nuvrel
