// Where the settings dialog's controls lie at its DPI, and the window's size and place.
#include "frontend/settings/settings_dialog_parts.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "frontend/controls/command_button.h"
#include "frontend/controls/dpi.h"
#include "frontend/controls/dpi_scale.h"
#include "frontend/settings/dialog_rules.h"

namespace nuvrel::settings_dialog {

int Px(int twips) {
    return PixelsOf(twips, dialog.dpi);
}

RECT InDialog(const Twips& t) {
    return {Px(t.left), Px(t.top), Px(t.left + t.width), Px(t.top + t.height)};
}

RECT InPanel(const Twips& t) {
    return InDialog({Panel.left + t.left, Panel.top + t.top, t.width, t.height});
}

PropertyBag ButtonDescription(const wchar_t* caption) {
    PropertyBag stored;
    stored.Write("Caption", std::u16string(reinterpret_cast<const char16_t*>(caption)));
    stored.Write("Font", Font{});
    return stored;
}

HWND AddButton(int id, const RECT& bounds, const wchar_t* caption) {
    const HWND button = CreateCommandButton(dialog.window, id, bounds, ButtonDescription(caption));
    GetCommandEnabled(button);  // the first read of Enabled initialises the button
    return button;
}

void AddRepeatBox() {
    const RECT box = InPanel(RepeatBox);
    dialog.repeatBox = CreateWindowExW(
        0, L"COMBOBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, box.left,
        box.top, box.right - box.left, Px(2400), dialog.window, reinterpret_cast<HMENU>(RepeatId),
        GetModuleHandleW(nullptr), nullptr);
    SendMessageW(dialog.repeatBox, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.made.panelFont),
                 TRUE);
    EnableWindow(dialog.repeatBox, FALSE);
    const std::u16string text = FormatTrack(dialog.settings->BgmRepeat);
    for (const std::u16string& entry : TrackEntries()) {
        SendMessageW(dialog.repeatBox, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(entry.c_str())));
    }
    SetWindowTextW(dialog.repeatBox, reinterpret_cast<const wchar_t*>(text.c_str()));
}

void Place(HWND control, const RECT& bounds) {
    SetWindowPos(control, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The controls at their places in twips for the dialog's DPI, with its fonts and icons.
void LayOutControls() {
    Place(dialog.setButton, InDialog(SetButton));
    Place(dialog.cancelButton, InDialog(CancelButton));
    Place(dialog.fileButton, InPanel(FileButton));
    for (int kind = 0; kind < 3; ++kind) {
        Place(dialog.kindButtons[kind], KindButtonBounds(kind));
    }
    const RECT box = InPanel(RepeatBox);
    SendMessageW(dialog.repeatBox, WM_SETFONT, reinterpret_cast<WPARAM>(dialog.made.panelFont),
                 TRUE);
    Place(dialog.repeatBox, {box.left, box.top, box.right, box.top + Px(2400)});
    SendMessageW(dialog.window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(dialog.made.bigIcon));
    SendMessageW(dialog.window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(dialog.made.smallIcon));
    InvalidateRect(dialog.window, nullptr, FALSE);
}

// The window's size for the client area at the dialog's DPI, its top-left corner as given.
// Where the frame the system draws differs from the one it reported for that DPI, the size
// is corrected by what the client area lacks or has too much.
void SizeWindow(POINT topLeft) {
    const SIZE client{Px(ClientWidth), Px(ClientHeight)};
    const RECT frame = FrameForClient(client, DialogStyle, 0, dialog.dpi);
    SIZE size{frame.right - frame.left, frame.bottom - frame.top};
    SetWindowPos(dialog.window, nullptr, topLeft.x, topLeft.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT actual{};
    GetClientRect(dialog.window, &actual);
    if (actual.right != client.cx || actual.bottom != client.cy) {
        size.cx += client.cx - actual.right;
        size.cy += client.cy - actual.bottom;
        SetWindowPos(dialog.window, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

// Centred across the screen, its top at a third of the free height.
RECT Placement() {
    const RECT frame =
        FrameForClient({Px(ClientWidth), Px(ClientHeight)}, DialogStyle, 0, dialog.dpi);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 3;
    return {left, top, left + width, top + height};
}

}  // namespace nuvrel::settings_dialog
