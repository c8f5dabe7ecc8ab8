// The renderer's window: full screen and topmost, it draws the vortex scene frame after
// frame at the display's pace and ends on input. The front end finds it by its title.

#include "renderer/windows/saver_window.h"

#include "renderer/windows/closing_rules.h"
#include "renderer/windows/display_layout.h"
#include "renderer/windows/frame_wait.h"
#include "renderer/windows/gl_scene.h"
#include "renderer/windows/password_dialog.h"
#include "renderer/windows/saver_placement.h"

namespace nuvrel {
namespace {

constexpr char ClassName[] = "WindowsScreenSaverClass";
constexpr char TitleAtCreation[] = "Screensaver";
constexpr char RunningTitle[] = "Nuvrel_VC";

// When the next frame is due, and how many have been drawn.
struct FramePacing {
    FramePacer pacer{TargetRefreshHz};
    bool uncapped = false;
    int swapInterval = 1;
    PaceClock::time_point nextFrame{};
    long frameLimit = 0;  // 0: until input
    bool holdLastFrame = false;
    long framesDrawn = 0;
    PaceClock::time_point firstFrame{};
    PaceClock::time_point lastFrame{};
};

// One window per process.
struct RendererHost {
    HINSTANCE ProgramInstance = nullptr;
    HWND SaverWindow = nullptr;
    bool SceneRunning = false;
    SaverPlacement placement;  // every monitor, each with a scene of its own
    RendererOptions options;
    std::uint32_t primarySeed = 0;
    ClosingRules closing;
    GlScene gl;
    FramePacing pacing;
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

void ChoosePace() {
    const RendererOptions& options = host.options;
    const FramePace& pace = options.pace;
    FramePacing& pacing = host.pacing;
    const int refreshHz = pace.refreshHz ? *pace.refreshHz : ReadPrimaryRefreshHz();
    pacing.pacer = pace.period ? FramePacer(*pace.period) : FramePacer(refreshHz);
    pacing.uncapped = pace.uncapped;
    pacing.swapInterval = pace.uncapped ? 0 : SwapIntervalFor(refreshHz);
    pacing.frameLimit = options.frameLimit;
    pacing.holdLastFrame = options.holdLastFrame;
}

// The scenes of every monitor, built before any OpenGL state is set.
std::vector<MonitorScene> BuildScenes() {
    host.primarySeed = host.options.seed ? *host.options.seed : SeedFromClock();
    std::vector<MonitorScene> scenes;
    PlaceScenes(scenes, host.placement.viewports, host.primarySeed);
    return scenes;
}

// Monitors plugged in, removed or set to another resolution: the window covers them all
// again, and each keeps or gets its scene.
void PlaceOnMonitors(HWND window) {
    host.placement = PlaceSaverWindow(ReadDisplayLayout());
    const ScreenRect& area = host.placement.window;
    SetWindowPos(window, HWND_TOPMOST, area.left, area.top, area.Width(), area.Height(),
                 SWP_NOACTIVATE);
    if (host.gl.Ready()) {
        PlaceScenes(host.gl.scenes, host.placement.viewports, host.primarySeed);
    }
    ChoosePace();  // the primary monitor may have a new refresh rate
    RequestSwapInterval(host.gl, host.pacing.swapInterval);
}

LRESULT CALLBACK CreateDestroyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            // From here on the front end can find the window.
            SetWindowTextA(window, RunningTitle);
            SetThreadPriorityByLevel(ThreadPriorityLevel);
            SetUpScene(host.gl, window, BuildScenes());
            RequestSwapInterval(host.gl, host.pacing.swapInterval);
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
        case WM_DISPLAYCHANGE:
            PlaceOnMonitors(window);
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

bool SceneDrawable() {
    const FramePacing& pacing = host.pacing;
    const bool held = pacing.holdLastFrame && pacing.framesDrawn == pacing.frameLimit;
    return host.SceneRunning && !host.closing.PasswordCheckActive && host.gl.Ready() && !held;
}

void CountFrame(PaceClock::time_point presented) {
    FramePacing& pacing = host.pacing;
    if (pacing.framesDrawn++ == 0) {
        pacing.firstFrame = presented;
    }
    pacing.lastFrame = presented;
    if (pacing.frameLimit > 0 && pacing.framesDrawn == pacing.frameLimit && !pacing.holdLastFrame) {
        host.closing.CloseRequested = true;
        PostMessageA(host.SaverWindow, WM_CLOSE, 0, 0);
    }
}

// The loop's work while no message waits: a frame when one is due, else sleep until it is
// due or a message comes. With nothing to draw, sleep until a message comes.
void IdleTurn() {
    if (!SceneDrawable()) {
        WaitMessage();
        return;
    }
    FramePacing& pacing = host.pacing;
    const PaceClock::time_point now = PaceClock::now();
    if (now < pacing.nextFrame) {
        WaitForMessageOrTimeout(pacing.nextFrame - now);
        return;
    }
    IdleFrame();
    const PaceClock::time_point presented = PaceClock::now();
    CountFrame(presented);
    const Microseconds wait =
        pacing.uncapped ? Microseconds{0} : pacing.pacer.WaitAfterFrame(presented);
    pacing.nextFrame = presented + wait;
    if (wait == Microseconds{0}) {
        Sleep(0);
    }
}

int RunWindowLoop() {
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

    // Frames at the display's pace whenever no message waits.
    const FineTimerResolution fineTimer;
    MSG message{};
    for (;;) {
        while (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            IdleTurn();
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

int RunSaverWindow(HINSTANCE instance, const RendererOptions& options, FrameCount* count) {
    host.ProgramInstance = instance;
    host.options = options;
    ChoosePace();
    const int exitCode = RunWindowLoop();
    if (count != nullptr) {
        count->frames = host.pacing.framesDrawn;
        count->drawing = host.pacing.lastFrame - host.pacing.firstFrame;
        count->swapInterval = host.pacing.swapInterval;
    }
    return exitCode;
}

}  // namespace nuvrel
