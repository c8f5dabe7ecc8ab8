#include "renderer/windows/display_layout.h"

#include <windows.h>

namespace nuvrel {

namespace {

using EnumDisplayMonitorsFunction = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoFunction = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);  // the wide one

struct MonitorQuery {
    GetMonitorInfoFunction getMonitorInfo;
    DisplayLayout* layout;
};

ScreenRect ScreenRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MonitorQuery& query = *reinterpret_cast<MonitorQuery*>(data);
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (query.getMonitorInfo(monitor, &info)) {
        query.layout->monitors.push_back({ScreenRectOf(info.rcMonitor),
                                          (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
                                          info.szDevice});
    }
    return TRUE;
}

// Windows 95 and NT 4 have no monitor functions: they are looked up, not imported.
void AddMonitors(DisplayLayout& layout) {
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) {
        return;
    }
    const auto enumDisplayMonitors = reinterpret_cast<EnumDisplayMonitorsFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "EnumDisplayMonitors")));
    const auto getMonitorInfo = reinterpret_cast<GetMonitorInfoFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetMonitorInfoW")));
    if (enumDisplayMonitors == nullptr || getMonitorInfo == nullptr) {
        return;
    }
    MonitorQuery query{getMonitorInfo, &layout};
    enumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&query));
}

}  // namespace

DisplayLayout ReadDisplayLayout() {
    DisplayLayout layout;
    // Systems without several-monitor support answer 0 for the virtual screen.
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    layout.virtualScreen = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    layout.primaryScreen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    AddMonitors(layout);
    return layout;
}

int ReadPrimaryRefreshHz() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        return 0;
    }
    return static_cast<int>(mode.dmDisplayFrequency);
}

}  // namespace nuvrel
