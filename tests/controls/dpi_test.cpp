// The DPI a control is drawn at, on a real window under Wine.

#include "frontend/controls/dpi.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuvrel {
namespace {

std::vector<HWND> asked;

HMONITOR WINAPI RecordingMonitorFromWindow(HWND window, DWORD) {
    asked.push_back(window);
    return reinterpret_cast<HMONITOR>(window);
}

// Each window's "monitor" has a DPI of its own: 144 for the top-level window, 96 elsewhere.
HWND topLevel = nullptr;
int MonitorDpiOf(HMONITOR monitor) {
    return reinterpret_cast<HWND>(monitor) == topLevel ? 144 : 96;
}

// Without GetDpiForWindow, as on Windows 8.1: a button of a dialog that straddles two monitors
// takes the dialog's monitor, not the one under its own rectangle.
TEST(dpi_test, a_control_without_get_dpi_for_window_takes_its_top_level_window_s_monitor) {
    topLevel = CreateWindowExW(0, L"STATIC", L"dpi", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(topLevel, nullptr);
    const HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 300, 0, 100, 100, topLevel,
                                       nullptr, GetModuleHandleW(nullptr), nullptr);
    const HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD, 10, 10, 80, 30, panel, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    const WindowDpiFunctions older{nullptr, RecordingMonitorFromWindow, MonitorDpiOf};
    EXPECT_EQ(DpiOfWindow(button, older), 144);
    EXPECT_EQ(asked, std::vector<HWND>{topLevel});
    EXPECT_EQ(DpiOfWindow(topLevel, older), 144);
    DestroyWindow(topLevel);
}

}  // namespace
}  // namespace nuvrel
