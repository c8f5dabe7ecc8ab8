// Nuvrel.dll: the renderer program. One full-screen topmost window that draws the vortex
// scene frame after frame and ends on input. The front end finds it by its title.

#include <windows.h>

#include "renderer/windows/closing_rules.h"
#include "renderer/windows/display_layout.h"
#include "renderer/windows/gl_scene.h"
#include "renderer/windows/password_dialog.h"
#include "renderer/windows/saver_placement.h"

namespace nuvrel {
namespace {

constexpr char ClassName[] = "WindowsScreenSaverClass";
constexpr char TitleAtCreation[] = "Screensaver";
constexpr char RunningTitle[] = "Nuvrel_VC";

// One window per process.
struct RendererHost {
    HINSTANCE ProgramInstance = nullptr;
    HWND SaverWindow = nullptr;
    bool SceneRunning = false;
    SaverPlacement placement;  // every monitor; the scene on the primary one
    ClosingRules closing;
    GlScene gl;
};

RendererHost host;

class WindowClosingPlatform final : public ClosingPlatform {
  public:
    explicit WindowClosingPlatform(HWND window) : window_(window) {}

    ScreenPoint CursorPosition() override {
        POINT cursor{};
        GetCursorPos(&cursor);
        return {cursor.x, cursor.y};
    }
    void PostClose() override { PostMessageA(window_, WM_CLOSE, 0, 0); }
    void HideCursor() override { SetCursor(nullptr); }

  private:
    HWND window_;
};

ClosingEvent ClosingEventOf(UINT message) {
    switch (message) {
        case WM_CLOSE:
            return ClosingEvent::Close;
        case WM_SHOWWINDOW:
            return ClosingEvent::ShowWindow;
        case WM_ACTIVATEAPP:
            return ClosingEvent::ActivateApp;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return ClosingEvent::KeyOrButtonDown;
        case WM_SETCURSOR:
            return ClosingEvent::SetCursor;
        case WM_MOUSEMOVE:
            return ClosingEvent::MouseMove;
        default:
            return ClosingEvent::Other;
    }
}

LRESULT CALLBACK ClosingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowClosingPlatform platform(window);
    Win9xPasswordDialog passwords(window);
    switch (host.closing.Handle(ClosingEventOf(message), wParam != 0, platform, passwords)) {
        case ClosingResult::ReturnZero:
            return 0;
        case ClosingResult::ReturnOne:
            return 1;
        case ClosingResult::DefaultProcessing:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void SetThreadPriorityByLevel(int level) {
    constexpr int priorities[] = {THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_BELOW_NORMAL,
                                  THREAD_PRIORITY_NORMAL};
    if (level >= 0 && level < 3) {
        SetThreadPriority(GetCurrentThread(), priorities[level]);
    }
}

LRESULT CALLBACK CreateDestroyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // From here on the front end can find the window.
            SetWindowTextA(window, RunningTitle);
            SetThreadPriorityByLevel(ThreadPriorityLevel);
            SetUpScene(host.gl, window, BuildSceneFromClock(), host.placement.viewport);
            host.SceneRunning = true;
            break;
        case WM_DESTROY:
            host.SceneRunning = false;
            TearDownScene(host.gl, window);
            break;
    }
    return ClosingProc(window, message, wParam, lParam);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            POINT cursor{};
            GetCursorPos(&cursor);
            host.closing.ReferencePoint = {cursor.x, cursor.y};
            SetCursor(nullptr);
            break;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        case WM_SYSCOMMAND:
            // Compared whole: the low four bits are not masked off.
            if (wParam == SC_NEXTWINDOW || wParam == SC_PREVWINDOW || wParam == SC_SCREENSAVE) {
                return 0;
            }
            break;
    }
    return CreateDestroyProc(window, message, wParam, lParam);
}

void IdleFrame() {
    if (host.SceneRunning && !host.closing.PasswordCheckActive) {
        DrawFrame(host.gl);
    }
}

int RunSaverWindow() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = SaverWindowProc;
    windowClass.hInstance = host.ProgramInstance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;
    host.placement = PlaceSaverWindow(ReadDisplayLayout());
    const ScreenRect& area = host.placement.window;

    // A screen saver window still being created: let it have the screen.
    const HWND other = FindWindowA(ClassName, TitleAtCreation);
    if (other != nullptr && IsWindow(other)) {
        SetForegroundWindow(other);
        return 0;
    }

    if (RegisterClassA(&windowClass) != 0) {
        host.SaverWindow = CreateWindowExA(
            WS_EX_TOPMOST, ClassName, TitleAtCreation,
            WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, area.left, area.top,
            area.Width(), area.Height(), nullptr, nullptr, host.ProgramInstance, nullptr);
    }
    if (host.SaverWindow == nullptr) {
        return 1;
    }
    SetForegroundWindow(host.SaverWindow);

    // Frames back to back whenever no message waits, yielding the rest of the time slice.
    MSG message{};
    for (;;) {
        while (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            IdleFrame();
            Sleep(0);
        }
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 1;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace
}  // namespace nuvrel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The command line has no effect: whatever it holds, the renderer runs full screen.
    nuvrel::host.ProgramInstance = instance;
    return nuvrel::RunSaverWindow();
}
