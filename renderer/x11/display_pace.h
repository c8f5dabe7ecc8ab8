#pragma once

#include "renderer/x11/x11_surface.h"

namespace nuvrel::x11 {

// The refresh rate of the monitor that shows the most of the surface's window, from
// XRandR; 0 where the server cannot tell.
int ReadRefreshHz(const Surface& surface);

// Asks for XRandR's notice of changed monitors; returns that event's type, or -1 where the
// server has no XRandR 1.3.
int WatchScreenChanges(Display* display);
// Brings Xlib's idea of the screen up to date with such an event.
void NoteScreenChange(XEvent& event);

// Asks GLX to present every interval-th refresh (0: at once), through GLX_EXT_swap_control,
// GLX_MESA_swap_control or GLX_SGI_swap_control, whichever the server and driver offer;
// false where none does.
bool RequestSwapInterval(const Surface& surface, int interval);

}  // namespace nuvrel::x11
