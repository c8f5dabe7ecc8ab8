#pragma once

#include "renderer/scene/particle.h"
#include "renderer/scene/vortex_scene.h"

namespace nuvrel {

// A rectangle in OpenGL window coordinates: the origin is the window's bottom-left corner.
struct ViewportRect {
    int x;
    int y;
    int width;
    int height;
};

// With a current OpenGL context: viewport, depth test, culling, clear colour, camera (its
// aspect is the viewport's width over its height, 1 when the height is 0), the particle shape
// (display list 1), light and material.
void SetUpDrawing(const ViewportRect& viewport, View view);

// A new window size: the viewport and the camera only.
void ResizeDrawing(const ViewportRect& viewport, View view);

// Clears the whole framebuffer, advances every funnel and draws its particles; does not
// present the frame.
void DrawSceneFrame(VortexScene& scene);

// For several scenes in one window: the frame is cleared once, then each scene advances and
// is drawn in its viewport with its own camera.
void ClearFrame();
void DrawSceneIn(VortexScene& scene, const ViewportRect& viewport);

// The OpenGL calls of one particle's step.
void DrawParticle(const ParticleDraw& particle);

// Deletes the particle shape.
void TearDownDrawing();

}  // namespace nuvrel
