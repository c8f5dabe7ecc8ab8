// The music kinds as a radio group for the keyboard and for screen readers: one small window
// over each radio picture and its label. Each shows the dialog's own picture beneath it, so
// the dialog looks as it does without them, and lets the mouse through to the dialog, whose
// mouse rules choose the kinds. A window is a radio button named by its label's text; the
// group is one Tab stop, and the arrow keys move the choice.
#include "frontend/settings/settings_dialog_parts.h"

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "frontend/controls/accessibility.h"
#include "frontend/controls/dpi_scale.h"
#include "frontend/settings/dialog_rules.h"

namespace nuvrel::settings_dialog {
namespace {

std::int16_t KindOf(HWND window) {
    return static_cast<std::int16_t>(GetDlgCtrlID(window) - FirstKindId);
}

bool ShowsFocusCues(HWND window) {
    return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// Where the label's text lies: it may reach beyond the label's box.
RECT LabelText(HDC dc, int kind) {
    RECT text = InPanel(KindLabels[kind]);
    const HGDIOBJ oldFont = SelectObject(dc, dialog.made.labelFont);
    DrawTextW(dc, KindTexts[kind], -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    SelectObject(dc, oldFont);
    return text;
}

// Around the label's text, while the window has the focus and the user has used the keyboard.
void PaintFocus(HDC dc, int kind) {
    RECT focus = LabelText(dc, kind);
    const int margin = ScaledPixels(1, dialog.dpi);
    InflateRect(&focus, margin, margin);
    DrawFocusRect(dc, &focus);
}

void PaintKind(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    POINT origin{0, 0};
    MapWindowPoints(window, dialog.window, &origin, 1);
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    PaintScene(dc);
    if (GetFocus() == window && ShowsFocusCues(window)) {
        PaintFocus(dc, KindOf(window));
    }
    EndPaint(window, &paint);
}

// What a screen reader hears besides the label (the window's text): whether the kind is chosen.
void Announce(HWND window) {
    const bool chosen = dialog.settings->BgmKind == KindOf(window);
    AnnotateState(window, STATE_SYSTEM_FOCUSABLE | (chosen ? STATE_SYSTEM_CHECKED : 0) |
                              (GetFocus() == window ? STATE_SYSTEM_FOCUSED : 0));
}

std::optional<Arrow> ArrowOf(WPARAM key) {
    switch (key) {
        case VK_UP:
            return Arrow::Up;
        case VK_DOWN:
            return Arrow::Down;
        case VK_LEFT:
            return Arrow::Left;
        case VK_RIGHT:
            return Arrow::Right;
    }
    return std::nullopt;
}

void OnKeyDown(HWND window, WPARAM key) {
    if (const std::optional<Arrow> arrow = ArrowOf(key)) {
        ChooseKind(KindAfterArrow(KindOf(window), *arrow));
    } else if (key == VK_SPACE) {
        ChooseKind(KindOf(window));
    }
}

LRESULT CALLBACK KindProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the mouse is the dialog's
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintKind(window);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_BUTTON | DLGC_RADIOBUTTON | DLGC_WANTARROWS;
        case WM_KEYDOWN:
            OnKeyDown(window, wParam);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(window, nullptr, FALSE);
            Announce(window);
            return 0;
        case WM_UPDATEUISTATE:
            InvalidateRect(window, nullptr, FALSE);
            break;
        case WM_DESTROY:
            ClearAnnotations(window);
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

// The radio picture and the label, with room for the focus rectangle around the label's text.
RECT KindButtonBounds(int kind) {
    const HDC screen = GetDC(nullptr);
    const RECT text = LabelText(screen, kind);
    ReleaseDC(nullptr, screen);
    RECT bounds{};
    const RECT picture = InPanel(KindPictures[kind]);
    const RECT label = InPanel(KindLabels[kind]);
    UnionRect(&bounds, &picture, &label);
    UnionRect(&bounds, &bounds, &text);
    const int margin = ScaledPixels(2, dialog.dpi);
    InflateRect(&bounds, margin, margin);
    return bounds;
}

void AddKindButtons() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = KindProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = KindClassName;
    RegisterClassW(&windowClass);
    for (int kind = 0; kind < 3; ++kind) {
        const RECT bounds = KindButtonBounds(kind);
        const HWND button = CreateWindowExW(
            0, KindClassName, KindTexts[kind], WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
            bounds.right - bounds.left, bounds.bottom - bounds.top, dialog.window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(FirstKindId + kind)), instance, nullptr);
        AnnotateRole(button, AccessibleRole::RadioButton, L"Check");
        dialog.kindButtons[kind] = button;
    }
}

// After the kind changed, by the mouse or the keyboard: the chosen radio button is the group's
// Tab stop and, while the group has the focus, has it.
void ShowKind() {
    const std::int16_t stop = TabStopKind(dialog.settings->BgmKind);
    const HWND focus = GetFocus();
    const bool groupFocused = std::find(dialog.kindButtons.begin(), dialog.kindButtons.end(),
                                        focus) != dialog.kindButtons.end();
    for (int kind = 0; kind < 3; ++kind) {
        const HWND button = dialog.kindButtons[kind];
        const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
        SetWindowLongPtrW(button, GWL_STYLE,
                          kind == stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        InvalidateRect(button, nullptr, FALSE);
        Announce(button);
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, button, OBJID_CLIENT, CHILDID_SELF);
    }
    if (groupFocused && focus != dialog.kindButtons[stop]) {
        SetFocus(dialog.kindButtons[stop]);
    }
}

// The Tab order follows the layout: the controls in reading order, the group where its first
// radio button lies.
void OrderTabStops() {
    const auto inPanel = [](const Twips& t) {
        return Box{Panel.left + t.left, Panel.top + t.top, t.width, t.height};
    };
    const auto inDialog = [](const Twips& t) { return Box{t.left, t.top, t.width, t.height}; };
    std::vector<HWND> group;
    for (std::int16_t kind : KindsInLayoutOrder) {
        group.push_back(dialog.kindButtons[kind]);
    }
    const std::vector<std::vector<HWND>> controls{
        group, {dialog.repeatBox}, {dialog.fileButton}, {dialog.setButton}, {dialog.cancelButton}};
    const std::vector<Box> boxes{inPanel(KindPictures[KindsInLayoutOrder.front()]),
                                 inPanel(RepeatBox), inPanel(FileButton), inDialog(SetButton),
                                 inDialog(CancelButton)};
    HWND after = HWND_TOP;
    for (std::size_t index : ReadingOrder(boxes)) {
        for (HWND control : controls[index]) {
            SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = control;
        }
    }
}

}  // namespace nuvrel::settings_dialog
