#pragma once

#include <string>

#include "renderer/x11/x11_surface.h"

namespace nuvrel::x11 {

// For a root or given window that OpenGL cannot draw on (OpenSurface gave NoOpenGl): says
// why once on standard error, writes it on the window in core X drawing, again whenever the
// window is exposed or resized, and waits. Run by a screen saver, the program thus stays
// until it is stopped instead of ending at once and being started again and again.
// Returns the exit code: 0 for SIGTERM or SIGINT, 1 when the window goes away.
int ShowNoOpenGlNotice(Surface& surface, const std::string& reason);

}  // namespace nuvrel::x11
