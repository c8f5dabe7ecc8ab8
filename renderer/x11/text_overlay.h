#pragma once

namespace nuvrel::x11 {

// Draws a line of text in the bottom-left corner of a viewport of the given size, in front
// of the scene, and leaves the scene's OpenGL state as it found it.
void DrawCornerText(const char* text, int viewportWidth, int viewportHeight);

}  // namespace nuvrel::x11
