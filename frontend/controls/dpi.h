#pragma once

// The DPI a window is drawn at. The per-monitor functions exist only on newer systems
// (monitors from Windows 98 and 2000, their DPI from Windows 8.1 and 10), so they are looked
// up when first needed and never imported; without them every window has the screen's DPI.

#include <windows.h>

namespace nuvrel {

// The DPI of the monitor the window is on. A child window is drawn at the DPI of its
// top-level window, wherever its own rectangle lies.
int DpiOfWindow(HWND window);

// The system functions that DpiOfWindow asks, each null where the system lacks it.
struct WindowDpiFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND);
    HMONITOR(WINAPI* monitorFromWindow)(HWND, DWORD);
    int (*monitorDpi)(HMONITOR);  // the screen's DPI for no monitor
};
int DpiOfWindow(HWND window, const WindowDpiFunctions& functions);

// The DPI of the monitor that holds the point (screen pixels).
int DpiAtPoint(POINT point);

// The window rectangle for a client area of this size, at that DPI.
RECT FrameForClient(SIZE client, DWORD style, DWORD exStyle, int dpi);

// A system metric (SM_CXICON, SM_CXSMICON, ...) at that DPI.
int SystemMetricAtDpi(int index, int dpi);

}  // namespace nuvrel
