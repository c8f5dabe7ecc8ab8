#pragma once

#include <windows.h>

namespace nuvrel::testing {

// A plain popup window of the given size for drawing the scene into, outside the renderer
// program; destroyed with the object.
class SceneWindow {
  public:
    SceneWindow(int width, int height);
    SceneWindow(const SceneWindow&) = delete;
    SceneWindow& operator=(const SceneWindow&) = delete;
    ~SceneWindow();

    HWND Handle() const { return window_; }

  private:
    HWND window_ = nullptr;
};

}  // namespace nuvrel::testing
