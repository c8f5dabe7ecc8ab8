#include <windows.h>

#include "frontend/startup/front_end.h"
#include "frontend/startup/resource_ids.h"

namespace nuvrel {
namespace {

constexpr wchar_t ClassName[] = L"NuvrelPreview";
constexpr wchar_t PreviewTitle[] = L"Preview Window";
constexpr UINT ParentCheckInterval = 500;

struct Preview {
    HWND parent = nullptr;
    HBITMAP picture = nullptr;
};

Preview preview;

// The still picture, scaled to the box when the box has another size.
void PaintPicture(HWND window) {
    PAINTSTRUCT paint;
    const HDC target = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    BITMAP info{};
    if (preview.picture != nullptr && GetObjectW(preview.picture, sizeof info, &info) != 0) {
        const HDC source = CreateCompatibleDC(target);
        const HGDIOBJ old = SelectObject(source, preview.picture);
        SetStretchBltMode(target, HALFTONE);
        SetBrushOrgEx(target, 0, 0, nullptr);
        StretchBlt(target, 0, 0, client.right, client.bottom, source, 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    }
    EndPaint(window, &paint);
}

LRESULT CALLBACK PreviewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintPicture(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A box whose window has gone takes the picture with it; on some systems the picture's
// window is then removed without being destroyed, and only this thread timer still runs.
void CALLBACK CheckParent(HWND, UINT, UINT_PTR, DWORD) {
    if (!IsWindow(preview.parent)) {
        ExitProcess(0);
    }
}

}  // namespace

int RunPreview(HWND parent) {
    preview.parent = parent;
    RECT box{};
    GetWindowRect(parent, &box);
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    preview.picture = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(PreviewBitmapId),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PreviewWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, ClassName, PreviewTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                                        nullptr, instance, nullptr);

    // A child window cannot also be a popup: that bit goes, every other one stays.
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, (style & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
    SetParent(window, parent);
    MoveWindow(window, 0, 0, width, height, TRUE);
    ShowWindow(window, SW_SHOW);
    SetTimer(nullptr, 0, ParentCheckInterval, CheckParent);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace nuvrel
