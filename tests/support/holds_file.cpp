// Stands in for another program that holds a file: opens the file named on its command line
// with no sharing, as a virus scanner or an indexer may, then shows a small window titled
// "Nuvrel test box <handle>", the handle in decimal, which serves as the Screen Saver
// Settings' preview box for a "Nuvrel.scr /p <handle>"; once a window has been put into
// the box, the title reads "Nuvrel test box <handle> with a preview". Lives until its
// process is ended.
//   holds_file [FILE]
// Exit code 1: the file could not be opened.
#include <windows.h>

#include <shellapi.h>

#include <cstdint>
#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    HANDLE held = INVALID_HANDLE_VALUE;
    if (arguments != nullptr && count >= 2) {
        held = CreateFileW(arguments[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (held == INVALID_HANDLE_VALUE) {
            return 1;
        }
    }
    HWND box = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 152, 112,
                               nullptr, nullptr, instance, nullptr);
    const std::wstring title =
        L"Nuvrel test box " + std::to_wstring(reinterpret_cast<std::uintptr_t>(box));
    SetWindowTextW(box, title.c_str());
    // A child window, Wine's preview among them, is no X window that xdotool could find.
    SetTimer(nullptr, 0, 100, nullptr);
    bool previewShown = false;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && !previewShown && GetWindow(box, GW_CHILD) != nullptr) {
            previewShown = true;
            SetWindowTextW(box, (title + L" with a preview").c_str());
        }
        DispatchMessageW(&message);
    }
    if (held != INVALID_HANDLE_VALUE) {
        CloseHandle(held);
    }
    return 0;
}
