#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "renderer/scene/scene_drawing.h"
#include "renderer/scene/vortex_scene.h"
#include "renderer/windows/saver_placement.h"

namespace nuvrel {

// One monitor's scene and its place in the window.
struct MonitorScene {
    std::unique_ptr<VortexScene> scene;
    ViewportRect viewport;
    MonitorKey monitor;
};

// The scenes on screen: the window's device context, its OpenGL rendering context and one
// animated scene per monitor, the primary monitor's first. Without a usable rendering
// context or memory for the primary's scene it stays unready, and frames then draw nothing.
struct GlScene {
    HDC deviceContext = nullptr;
    HGLRC renderingContext = nullptr;
    bool contextCurrent = false;
    std::vector<MonitorScene> scenes;

    bool Ready() const { return !scenes.empty(); }
};

// The seed of this run, from the calendar time.
std::uint32_t SeedFromClock();

// The window's whole client area.
ViewportRect ClientViewport(HWND window);

// Chooses the window's pixel format, creates and makes current its rendering context and
// sets up the drawing (SetUpDrawing) into the first viewport with the first scene's view.
// The scenes are built beforehand, so that all their random numbers are drawn before any
// OpenGL state is set.
void SetUpScene(GlScene& gl, HWND window, std::vector<MonitorScene> scenes);
void SetUpScene(GlScene& gl, HWND window, std::unique_ptr<VortexScene> scene,
                const ViewportRect& viewport);

// One scene from the calendar time, over the whole client area.
void SetUpScene(GlScene& gl, HWND window);
void TearDownScene(GlScene& gl, HWND window);

// The scenes for the placement's monitors, in its order, the primary's first: a monitor
// already shown keeps its scene and its state (KeptScenes) in its new viewport, a monitor new
// to the window gets a new scene of the next seed, and scenes of monitors gone are dropped.
// A monitor whose scene cannot be had stays black.
void PlaceScenes(std::vector<MonitorScene>& scenes, const SaverPlacement& placement,
                 SceneSeeds& seeds);

// Asks the driver to present every interval-th refresh (0: at once) where it offers
// WGL_EXT_swap_control; false where it does not or there is no rendering context.
bool RequestSwapInterval(const GlScene& gl, int interval);

// One frame: cleared once, every monitor's scene advanced and drawn in turn, presented.
void DrawFrame(GlScene& gl);

}  // namespace nuvrel
