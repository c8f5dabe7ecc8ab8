#include "tests/support/scene_window.h"

namespace nuvrel::testing {

namespace {

constexpr char ClassName[] = "NuvrelSceneWindow";

ATOM RegisterSceneWindowClass() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;
    return RegisterClassA(&windowClass);
}

}  // namespace

SceneWindow::SceneWindow(int width, int height) {
    static const ATOM registered = RegisterSceneWindowClass();
    (void)registered;
    window_ = CreateWindowExA(0, ClassName, "Nuvrel scene", WS_POPUP | WS_VISIBLE, 0, 0, width,
                              height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

SceneWindow::~SceneWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

}  // namespace nuvrel::testing
