#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <string>

#include "renderer/x11/command_line.h"

namespace nuvrel::x11 {

// The X connection, the window drawn into and its current OpenGL context.
struct Surface {
    Display* display = nullptr;
    Window window = 0;
    bool ownWindow = false;
    GLXContext context = nullptr;
    Colormap colormap = 0;  // own window only
    bool doubleBuffered = true;
    int width = 0;
    int height = 0;
    Atom wmProtocols = 0;   // the window manager's messages to the own window
    Atom deleteWindow = 0;  // WM_DELETE_WINDOW: its close button
};

enum class Opening {
    Opened,
    // A root or given window exists but OpenGL cannot draw on it (no GLX, no OpenGL
    // visual, or no context); the surface holds the display and that window, without a
    // context.
    NoOpenGl,
    Failed,  // the surface is closed again
};

// Opens the display, finds or makes the window that the options choose and makes an
// OpenGL context current on it; its own window is asked to be mapped, and is drawn once it
// is. Unless opened, error says why.
Opening OpenSurface(const Options& options, Surface& surface, std::string& error);
void CloseSurface(Surface& surface);

// Set by the X error handler once the window has gone: nothing may be drawn into it then.
bool WindowGone();
void NoteWindowDestroyed();

// Presents the frame drawn into the back buffer (or flushes a single-buffered window).
void PresentFrame(const Surface& surface);

}  // namespace nuvrel::x11
