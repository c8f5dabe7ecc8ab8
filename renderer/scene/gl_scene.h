#pragma once

#include <windows.h>

#include <memory>

#include "renderer/scene/vortex_scene.h"

namespace nuvrel {

// The scene on screen: the window's device context, its OpenGL rendering context and the
// animated scene. Without a usable rendering context or memory for the scene it stays
// unready, and frames then draw nothing.
struct GlScene {
    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
    std::unique_ptr<VortexScene> scene;

    bool Ready() const { return scene != nullptr; }
};

// Builds the scene from the calendar time and sets every piece of fixed OpenGL state the
// frames rely on: pixel format, viewport, camera, depth test, culling, light, material and
// the particle shape (display list 1).
void SetUpScene(GlScene& gl, HWND window);
void TearDownScene(GlScene& gl, HWND window);

// Clears, advances each funnel and draws its particles, and presents the frame.
void DrawFrame(GlScene& gl);

// The OpenGL calls of one particle's step.
void DrawParticle(const ParticleDraw& particle);

}  // namespace nuvrel
