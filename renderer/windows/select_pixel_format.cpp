#include "renderer/windows/select_pixel_format.h"

#include <vector>

#include "renderer/windows/pixel_format.h"

namespace nuvrel {

void SelectPixelFormat(HDC deviceContext) {
    std::vector<PixelFormatCandidate> candidates;
    PIXELFORMATDESCRIPTOR descriptor{};
    for (int index = 1;
         DescribePixelFormat(deviceContext, index, sizeof descriptor, &descriptor) != 0; ++index) {
        candidates.push_back({descriptor.dwFlags, descriptor.iPixelType, descriptor.cColorBits,
                              descriptor.cDepthBits});
    }

    const int best = BestPixelFormat(candidates);
    if (best != 0) {
        DescribePixelFormat(deviceContext, best, sizeof descriptor, &descriptor);
        SetPixelFormat(deviceContext, best, &descriptor);
        return;
    }
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = sizeof wanted;
    wanted.nVersion = 1;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    wanted.iPixelType = PFD_TYPE_RGBA;
    wanted.cColorBits = 24;
    wanted.cDepthBits = 24;
    SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &wanted), &wanted);
}

}  // namespace nuvrel
