#pragma once

#include <windows.h>

namespace nuvrel {

// Scores every pixel format the device context offers and sets the best one; without any
// double-buffered RGBA OpenGL window format, the nearest to 24-bit colour and depth.
void SelectPixelFormat(HDC deviceContext);

}  // namespace nuvrel
