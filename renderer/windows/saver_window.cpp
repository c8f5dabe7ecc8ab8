// The renderer's window: full screen and topmost, it draws the vortex scene frame after
// frame at the display's pace and ends on input. The front end finds it by its title.

#include "renderer/windows/saver_window.h"

#include "renderer/windows/closing_rules.h"
#include "renderer/windows/display_layout.h"
#include "renderer/windows/display_power_notice.h"
#include "renderer/windows/frame_wait.h"
#include "renderer/windows/gl_scene.h"
#include "renderer/windows/password_dialog.h"
#include "renderer/windows/saver_placement.h"

namespace nuvrel {
namespace {

constexpr char ClassName[] = "WindowsScreenSaverClass";
constexpr char TitleAtCreation[] = "Screensaver";
constexpr char RunningTitle[] = "Nuvrel_VC";

// When the next frame is due.
struct FramePacing {
    FramePacer pacer{TargetRefreshHz};
    int swapInterval = 1;
    PaceClock::time_point nextFrame{};
};

// The one window of the process, for as long as RunSaverWindow runs.
struct RendererHost {
    RendererHost(HINSTANCE instance, const RendererOptions& options)
        : ProgramInstance(instance), options(options) {}

    HINSTANCE ProgramInstance;
    const RendererOptions& options;
    HWND SaverWindow = nullptr;
    bool SceneRunning = false;
    bool holdingLastFrame = false;
    bool displayResting = false;  // the display is off: no frames, no timer resolution held
    SaverPlacement placement;     // every monitor, each with a scene of its own
    SceneSeeds seeds;
    ClosingRules closing;
    GlScene gl;
    FramePacing pacing;
    FineTimerResolution fineTimer;  // held only while the pacer keeps the pace itself
    DisplayPowerNotice displayPower;
};

// The window procedure's way to the host; set only while RunSaverWindow runs.
RendererHost* runningHost = nullptr;

class RunningHost {
  public:
    explicit RunningHost(RendererHost& host) { runningHost = &host; }
    RunningHost(const RunningHost&) = delete;
    RunningHost& operator=(const RunningHost&) = delete;
    ~RunningHost() { runningHost = nullptr; }
};

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
        case WM_DISPLAYCHANGE:
            return ClosingEvent::DisplayChange;
        default:
            return ClosingEvent::Other;
    }
}

// Every message ends here: the closing rules handle it, or the default processing does.
LRESULT ApplyClosingRules(RendererHost& host, HWND window, UINT message, WPARAM wParam,
                          LPARAM lParam) {
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

// The pace of the primary monitor's refresh, or the one the options set.
FramePacing PacingFor(const FramePace& pace) {
    const int refreshHz = pace.refreshHz ? *pace.refreshHz : ReadPrimaryRefreshHz();
    return {pace.period ? FramePacer(*pace.period) : FramePacer(refreshHz),
            pace.uncapped ? 0 : SwapIntervalFor(refreshHz)};
}

void ChoosePace(RendererHost& host) {
    host.pacing = PacingFor(host.options.pace);
    RequestSwapInterval(host.gl, host.pacing.swapInterval);
    if (host.options.observer != nullptr) {
        host.options.observer->PaceChosen(host.pacing.swapInterval);
    }
}

// The scenes of every monitor, built before any OpenGL state is set.
std::vector<MonitorScene> BuildScenes(RendererHost& host) {
    host.seeds = {host.options.seed ? *host.options.seed : SeedFromClock()};
    std::vector<MonitorScene> scenes;
    PlaceScenes(scenes, host.placement, host.seeds);
    return scenes;
}

void StartScene(RendererHost& host, HWND window) {
    POINT cursor{};
    GetCursorPos(&cursor);
    host.closing.ReferencePoint = {cursor.x, cursor.y};
    SetCursor(nullptr);
    // From here on the front end can find the window.
    SetWindowTextA(window, RunningTitle);
    SetThreadPriorityByLevel(ThreadPriorityLevel);
    SetUpScene(host.gl, window, BuildScenes(host));
    ChoosePace(host);
    host.SceneRunning = true;
    host.displayPower.Register(window);
}

void EndScene(RendererHost& host, HWND window) {
    PostQuitMessage(0);
    host.SceneRunning = false;
    host.displayPower.Unregister();
    TearDownScene(host.gl, window);
}

// The display went off: the scene stands still. Back on, it goes on from where it stood
// with a fresh pace schedule, so the time asleep brings no catching up.
void NoteDisplayPower(RendererHost& host, WPARAM event, LPARAM setting) {
    const std::optional<DisplayPower> power = DisplayPowerIn(event, setting);
    if (!power) {
        return;
    }
    const bool rest = FrameDutyWhile(*power) == FrameDuty::Rest;
    if (host.displayResting && !rest) {
        host.pacing.pacer = FramePacer(host.pacing.pacer.Period());
        host.pacing.nextFrame = {};
    }
    host.displayResting = rest;
}

// Monitors plugged in, removed or set to another resolution: the window covers them all
// again, and each keeps or gets its scene.
void PlaceOnMonitors(RendererHost& host, HWND window) {
    host.placement = PlaceSaverWindow(ReadDisplayLayout());
    const ScreenRect& area = host.placement.window;
    SetWindowPos(window, HWND_TOPMOST, area.left, area.top, area.Width(), area.Height(),
                 SWP_NOACTIVATE);
    if (host.gl.Ready()) {
        PlaceScenes(host.gl.scenes, host.placement, host.seeds);
    }
    ChoosePace(host);  // the primary monitor may have a new refresh rate
}

// Compared whole: the low four bits are not masked off.
bool SwallowedCommand(WPARAM command) {
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (runningHost == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    RendererHost& host = *runningHost;
    switch (message) {
        case WM_CREATE:
            StartScene(host, window);
            break;
        case WM_DESTROY:
            EndScene(host, window);
            break;
        case WM_DISPLAYCHANGE:
            PlaceOnMonitors(host, window);
            break;
        case WM_POWERBROADCAST:
            NoteDisplayPower(host, wParam, lParam);
            break;
        case WM_SYSCOMMAND:
            if (SwallowedCommand(wParam)) {
                return 0;
            }
            break;
    }
    return ApplyClosingRules(host, window, message, wParam, lParam);
}

bool SceneDrawable(const RendererHost& host) {
    return host.SceneRunning && !host.closing.PasswordCheckActive && host.gl.Ready() &&
           !host.holdingLastFrame && !host.displayResting;
}

void TellObserver(RendererHost& host, PaceClock::time_point presented) {
    FrameObserver* observer = host.options.observer;
    if (observer == nullptr) {
        return;
    }
    switch (observer->FramePresented(host.SaverWindow, presented)) {
        case AfterFrame::DrawOn:
            break;
        case AfterFrame::HoldLastFrame:
            host.holdingLastFrame = true;
            break;
        case AfterFrame::Close:
            host.closing.CloseRequested = true;
            PostMessageA(host.SaverWindow, WM_CLOSE, 0, 0);
            break;
    }
}

// The loop's work while no message waits: a frame when one is due, else sleep until it is
// due or a message comes. With nothing to draw, sleep until a message comes.
void IdleTurn(RendererHost& host) {
    if (!SceneDrawable(host)) {
        host.fineTimer.Hold(false);
        WaitMessage();
        return;
    }
    FramePacing& pacing = host.pacing;
    const PaceClock::time_point now = PaceClock::now();
    if (now < pacing.nextFrame) {
        WaitForMessageOrTimeout(pacing.nextFrame - now);
        return;
    }
    DrawFrame(host.gl);
    const PaceClock::time_point presented = PaceClock::now();
    TellObserver(host, presented);
    const bool paced = !host.options.pace.uncapped;
    const Microseconds wait = paced ? pacing.pacer.WaitAfterFrame(presented) : Microseconds{0};
    host.fineTimer.Hold(paced && pacing.pacer.Pacing());
    pacing.nextFrame = presented + wait;
    if (wait == Microseconds{0}) {
        Sleep(0);
    }
}

int RunWindowLoop(RendererHost& host) {
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
    MSG message{};
    for (;;) {
        while (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            IdleTurn(host);
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

int RunSaverWindow(HINSTANCE instance, const RendererOptions& options) {
    RendererHost host(instance, options);
    const RunningHost running(host);
    return RunWindowLoop(host);
}

}  // namespace nuvrel
