#include "frontend/controls/dpi.h"

#include "frontend/controls/dpi_scale.h"

namespace nuvrel {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using MonitorFromWindowFunction = HMONITOR(WINAPI*)(HWND, DWORD);
using MonitorFromPointFunction = HMONITOR(WINAPI*)(POINT, DWORD);

constexpr int MonitorEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

template <typename Function>
Function FromUser32(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

GetDpiForMonitorFunction MonitorDpiFunction() {
    static const GetDpiForMonitorFunction function = [] {
        const HMODULE shcore = LoadLibraryW(L"shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFunction>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    return function;
}

int ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DefaultDpi;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return UsableDpi(dpi);
}

int MonitorDpi(HMONITOR monitor) {
    const GetDpiForMonitorFunction getDpiForMonitor = MonitorDpiFunction();
    UINT x = 0;
    UINT y = 0;
    if (monitor && getDpiForMonitor &&
        SUCCEEDED(getDpiForMonitor(monitor, MonitorEffectiveDpi, &x, &y))) {
        return UsableDpi(static_cast<int>(y));
    }
    return ScreenDpi();
}

}  // namespace

int DpiOfWindow(HWND window, const WindowDpiFunctions& functions) {
    if (functions.getDpiForWindow && window) {
        if (const UINT dpi = functions.getDpiForWindow(window)) {
            return UsableDpi(static_cast<int>(dpi));
        }
    }
    // Without GetDpiForWindow (Windows 8.1, and 10 before 1607) the monitor is the top-level
    // window's: a control's own rectangle may lie on another monitor when the dialog straddles
    // two.
    const HWND topLevel = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return functions.monitorDpi(
        topLevel && functions.monitorFromWindow
            ? functions.monitorFromWindow(topLevel, MONITOR_DEFAULTTONEAREST)
            : nullptr);
}

int DpiOfWindow(HWND window) {
    static const WindowDpiFunctions functions{
        FromUser32<GetDpiForWindowFunction>("GetDpiForWindow"),
        FromUser32<MonitorFromWindowFunction>("MonitorFromWindow"), MonitorDpi};
    return DpiOfWindow(window, functions);
}

int DpiAtPoint(POINT point) {
    static const auto monitorFromPoint = FromUser32<MonitorFromPointFunction>("MonitorFromPoint");
    return MonitorDpi(monitorFromPoint ? monitorFromPoint(point, MONITOR_DEFAULTTONEAREST)
                                       : nullptr);
}

RECT FrameForClient(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        FromUser32<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
        frame = {0, 0, client.cx, client.cy};
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return frame;
}

int SystemMetricAtDpi(int index, int dpi) {
    static const auto metricForDpi =
        FromUser32<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (metricForDpi) {
        return metricForDpi(index, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

}  // namespace nuvrel
