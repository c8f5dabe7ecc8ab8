#include "frontend/settings/settings_dialog.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "frontend/controls/accessibility.h"
#include "frontend/controls/command_button.h"
#include "frontend/controls/dpi.h"
#include "frontend/controls/dpi_scale.h"
#include "frontend/settings/dialog_rules.h"

#include "frontend/settings/settings_dialog_parts.h"

namespace nuvrel {
namespace settings_dialog {

Dialog dialog;

void ApplyKind() {
    const KindControls controls = ControlsForKind(dialog.settings->BgmKind);
    EnableWindow(dialog.repeatBox, controls.repeatEnabled);
    SetCommandEnabled(dialog.fileButton, controls.fileEnabled);
    const RECT panel = InDialog(Panel);
    InvalidateRect(dialog.window, &panel, FALSE);
    ShowKind();
}

// By a click on a radio picture or its label, or from the keyboard: the same effects.
void ChooseKind(std::int16_t kind) {
    dialog.settings->BgmKind = kind;
    ApplyKind();
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

bool Inside(const RECT& r, POINT p) {
    return PtInRect(&r, p) != FALSE;
}

// The radio picture or the label of a kind chooses it, whatever mouse button went down.
void ChooseKindAt(POINT point) {
    for (int kind = 0; kind < 3; ++kind) {
        if (Inside(InPanel(KindPictures[kind]), point) ||
            Inside(InPanel(KindLabels[kind]), point)) {
            ChooseKind(static_cast<std::int16_t>(kind));
            return;
        }
    }
}

constexpr WPARAM AnyMouseButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

// The dialog keeps the mouse from a press on it until the last button is released, as any
// window does: a release over one of its buttons is then the dialog's, not a click there.
void HoldMouse() {
    if (GetCapture() != dialog.window) {
        SetCapture(dialog.window);
    }
}

void LetMouseGo(WPARAM held) {
    if ((held & AnyMouseButton) == 0 && GetCapture() == dialog.window) {
        ReleaseCapture();
    }
}

void OpenHomePage() {
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
    ShellExecuteW(dialog.window, L"open", HomePage, L"", L"", SW_SHOWNORMAL);
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
}

void OnMouseDown(UINT message, POINT point) {
    HoldMouse();
    if (message == WM_LBUTTONDOWN) {
        // The link is a click: pressed and released on it.
        dialog.linkPressed = Inside(InDialog(UrlLabel), point);
    }
    ChooseKindAt(point);
}

void OnMouseUp(UINT message, WPARAM held, POINT point) {
    const bool linkClicked =
        message == WM_LBUTTONUP && dialog.linkPressed && Inside(InDialog(UrlLabel), point);
    if (message == WM_LBUTTONUP) {
        dialog.linkPressed = false;
    }
    LetMouseGo(held);
    if (linkClicked) {
        OpenHomePage();
    }
}
void ZoomBetweenCursorAndWindow(bool toWindow) {
    RECT window{};
    GetWindowRect(dialog.window, &window);
    const RECT point{dialog.openCursor.x, dialog.openCursor.y, dialog.openCursor.x,
                     dialog.openCursor.y};
    DrawAnimatedRects(dialog.window, IDANI_CAPTION, toWindow ? &point : &window,
                      toWindow ? &window : &point);
}

void Close() {
    if (dialog.closing) {
        return;
    }
    dialog.closing = true;
    ZoomBetweenCursorAndWindow(false);
    DestroyWindow(dialog.window);
}

std::u16string RepeatText() {
    const int length = GetWindowTextLengthW(dialog.repeatBox);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(dialog.repeatBox, text.data(), length + 1);
    return reinterpret_cast<const char16_t*>(text.data());
}

// A settings file that cannot be written must not lose the user's choice without a word:
// the dialog says so in the panel and stays open, so that Set can be pressed again.
void Store() {
    dialog.settings->BgmRepeat = TrackFromText(RepeatText());
    if (SaveSettings(*dialog.settings, *dialog.platform)) {
        Close();
        return;
    }
    dialog.failure = L"設定を保存できません： " + WideOf(SettingsFilePath(*dialog.platform));
    MessageBeep(MB_ICONWARNING);
    const RECT label = InPanel(FailureLabel);
    InvalidateRect(dialog.window, &label, FALSE);
}

// As the system's dialogs: the control that had the focus when the dialog went inactive has it
// again when the dialog comes back, and the first control in the Tab order when it opens.
void KeepFocus(HWND window, bool active) {
    if (!active) {
        const HWND focus = GetFocus();
        dialog.lastFocus = IsChild(window, focus) ? focus : nullptr;
        return;
    }
    HWND focus = dialog.lastFocus;
    if (!IsWindow(focus) || !IsChild(window, focus) || !IsWindowVisible(focus) ||
        !IsWindowEnabled(focus)) {
        focus = GetNextDlgTabItem(window, nullptr, FALSE);
    }
    SetFocus(focus != nullptr ? focus : window);
}

// Focus rectangles show once the user has used the keyboard in the dialog, as in the
// system's dialogs; a dialog opened with the mouse shows none until then, unless the system
// is set to show keyboard cues always.
void HideFocusCues() {
    SendMessageW(dialog.window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

void ShowFocusCues() {
    if (SendMessageW(dialog.window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) {
        SendMessageW(dialog.window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnMouseDown(message, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            OnMouseUp(message, wParam, PointOf(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            dialog.linkPressed = false;
            return 0;
        case WM_SETCURSOR: {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(window, &cursor);
            if (reinterpret_cast<HWND>(wParam) == window && Inside(InDialog(UrlLabel), cursor)) {
                SetCursor(dialog.made.linkCursor);
                return TRUE;
            }
            break;
        }
        case WM_COMMAND:
            // The dialog manager (IsDialogMessage) sends IDOK for Enter where the dialog has no
            // default button, and IDCANCEL for Esc.
            switch (LOWORD(wParam)) {
                case SetId:
                case IDOK:
                    PostMessageW(window, StoreMessage, 0, 0);
                    return 0;
                case CancelId:
                case IDCANCEL:
                    Close();
                    return 0;
                case FileId:
                    ChooseFile();
                    return 0;
            }
            break;
        case DM_GETDEFID:
            return MAKELRESULT(SetId, DC_HASDEFID);  // Enter is Set
        case WM_ACTIVATE:
            KeepFocus(window, LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            ApplyDpi(UsableDpi(HIWORD(wParam)), {suggested->left, suggested->top});
            return 0;
        }
        case StoreMessage:
            Store();
            return 0;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace settings_dialog

using namespace settings_dialog;

namespace {

void RunSettingsDialog(Settings& settings, SettingsPlatform& platform) {
    dialog = Dialog{};
    dialog.settings = &settings;
    dialog.platform = &platform;
    // The dialog opens on the primary monitor: it is made at that monitor's DPI.
    dialog.dpi = DpiAtPoint({0, 0});
    MakeDpiResources();

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterCommandClass();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DialogProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IconResourceId));
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.lpszClassName = ClassName;
    RegisterClassW(&windowClass);

    const RECT placement = Placement();
    dialog.window =
        CreateWindowExW(0, ClassName, Title, DialogStyle, placement.left, placement.top,
                        placement.right - placement.left, placement.bottom - placement.top, nullptr,
                        nullptr, instance, nullptr);
    if (dialog.window == nullptr) {
        FreeDpiResources();
        return;
    }
    dialog.setButton = AddButton(SetId, InDialog(SetButton), L"設定");
    dialog.cancelButton = AddButton(CancelId, InDialog(CancelButton), L"ｷｬﾝｾﾙ");
    dialog.fileButton = AddButton(FileId, InPanel(FileButton), L"...");
    AddRepeatBox();
    AddKindButtons();
    OrderTabStops();
    const int windowDpi = DpiOfWindow(dialog.window);
    if (windowDpi != dialog.dpi) {
        ApplyDpi(windowDpi, {placement.left, placement.top});
    } else {
        SizeWindow({placement.left, placement.top});
        LayOutControls();
    }
    ApplyKind();

    // Both zooms start or end where the mouse was at this moment.
    dialog.settings->ApiResult = GetCursorPos(&dialog.openCursor);
    if (dialog.settings->ApiResult == 0) {
        dialog.openCursor = {0, 0};
    }
    ZoomBetweenCursorAndWindow(true);
    HideFocusCues();
    ShowWindow(dialog.window, SW_SHOW);
    SetForegroundWindow(dialog.window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
            ShowFocusCues();
        }
        if (!IsDialogMessageW(dialog.window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    FreeDpiResources();
}

}  // namespace

void ShowSettingsDialog(Settings& settings, SettingsPlatform& platform) {
    // For the screen readers' annotations of the controls; the file dialog wants it too.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    RunSettingsDialog(settings, platform);
    ReleaseAnnotations();
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
}

}  // namespace nuvrel
