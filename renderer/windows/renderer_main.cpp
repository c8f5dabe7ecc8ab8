// Nuvrel.dll: the renderer program. One full-screen topmost window that draws the vortex
// scene frame after frame and ends on input. The front end finds it by its title.

#include "renderer/windows/saver_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The command line has no effect: whatever it holds, the renderer runs full screen.
    return nuvrel::RunSaverWindow(instance, nuvrel::RendererOptions{});
}
