#include <windows.h>

#include "frontend/music/winmm_system.h"
#include "frontend/startup/front_end.h"
#include "frontend/startup/supervisor.h"

namespace nuvrel {
namespace {

constexpr wchar_t ClassName[] = L"NuvrelSupervisor";

class DesktopSupervisorPlatform final : public SupervisorPlatform {
  public:
    DesktopSupervisorPlatform(FrontEnd& frontEnd, std::u16string rendererPath)
        : frontEnd_(frontEnd), rendererPath_(std::move(rendererPath)) {}
    ~DesktopSupervisorPlatform() override {
        if (renderer_ != nullptr) {
            CloseHandle(renderer_);
        }
    }

    void SetWindow(HWND window) { window_ = window; }

    // The program is named on its own: a command line would be split at the first blank of a
    // folder such as "C:\Program Files".
    bool StartRenderer() override {
        std::u16string commandLine = u"\"" + rendererPath_ + u"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(Wide(rendererPath_), reinterpret_cast<wchar_t*>(commandLine.data()),
                            nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            return false;
        }
        CloseHandle(process.hThread);
        renderer_ = process.hProcess;
        return true;
    }
    bool RendererWindowExists() override { return FindWindowW(nullptr, RendererTitle) != nullptr; }
    bool RendererProcessEnded() override {
        return renderer_ == nullptr || WaitForSingleObject(renderer_, 0) == WAIT_OBJECT_0;
    }
    void StartTimer(SupervisorTimer timer) override {
        SetTimer(window_, static_cast<UINT_PTR>(timer), IntervalOf(timer), nullptr);
    }
    void StopTimer(SupervisorTimer timer) override {
        KillTimer(window_, static_cast<UINT_PTR>(timer));
    }
    void ShowCursorAgain() override { frontEnd_.CursorCount = ShowCursor(TRUE); }
    void EndProcess() override { ExitProcess(0); }

  private:
    FrontEnd& frontEnd_;
    std::u16string rendererPath_;
    HWND window_ = nullptr;
    HANDLE renderer_ = nullptr;
};

Supervisor* activeSupervisor = nullptr;

LRESULT CALLBACK SupervisorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (activeSupervisor != nullptr) {
                activeSupervisor->OnTimer(static_cast<SupervisorTimer>(wParam));
            }
            return 0;
        case WM_ENDSESSION:
            if (wParam == FALSE) {
                return 0;  // the shutdown was cancelled: the screensaver goes on
            }
            [[fallthrough]];
        case WM_CLOSE:
            if (activeSupervisor != nullptr) {
                activeSupervisor->Close();
            }
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int RunSupervisor(FrontEnd& frontEnd, const std::u16string& rendererPath) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = SupervisorWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass);
    // Never shown: its title tells a second copy that run mode is on.
    const HWND window = CreateWindowExW(0, ClassName, SupervisorTitle, WS_OVERLAPPED, 0, 0, 0, 0,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);

    WinmmSystem system;
    Music music(frontEnd.settings, system);
    DesktopSupervisorPlatform platform(frontEnd, rendererPath);
    platform.SetWindow(window);
    Supervisor supervisor(frontEnd.settings, music, platform, frontEnd.cursorHidden);
    activeSupervisor = &supervisor;
    supervisor.Load();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    supervisor.Close();
    return 0;
}

}  // namespace nuvrel
