#pragma once

#include <string>

#include "tools/snapshot/rgb_image.h"

namespace nuvrel {

// With a current OpenGL context: the back buffer's lower-left width by height pixels.
RgbImage ReadBackBuffer(int width, int height);

// With a current OpenGL context: the fixed state the scene's set-up leaves, one item a line,
// its name and then its numbers ("viewport 0 0 320 200"): viewport, projection and modelview
// matrices (column by column, as OpenGL returns them), the enabled switches, front face,
// clear colour, light 0, the front material, the colour-material mode and display list 1.
std::string DescribeGlState();

}  // namespace nuvrel
