#pragma once

namespace nuvrel {

constexpr int PreviewBitmapId = 101;

}  // namespace nuvrel
