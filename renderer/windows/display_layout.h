#pragma once

#include "renderer/windows/saver_placement.h"

namespace nuvrel {

// The system's virtual screen, its monitors and its primary screen. Monitors are enumerated
// only where the system has the functions for it; elsewhere the layout holds the primary
// screen alone.
DisplayLayout ReadDisplayLayout();

// The primary monitor's refresh rate in hertz; 0 or 1 where the system does not know it.
int ReadPrimaryRefreshHz();

}  // namespace nuvrel
