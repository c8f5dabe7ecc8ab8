// Painting the settings dialog: its shade, the panel's strip, the radio pictures and texts.
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

// The decoration strip across the panel's top: a soft band with fine diagonal lines.
COLORREF StripColour(int x, int y) {
    const double fade = std::sin(3.14159 * (y + 0.5) / StripHeight);
    const bool line = (x + y) % 8 == 0;
    const int base = static_cast<int>(150 + 70 * fade);
    return line ? RGB(base - 40, base - 30, base)
                : RGB(base - 10, base, base + 5 > 255 ? 255 : base + 5);
}

// The strip at the dialog's DPI: each pixel takes the colour of the 96-dpi strip under it.
HBITMAP MakeStrip(SIZE size) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        return nullptr;
    }
    auto* pixel = static_cast<DWORD*>(bits);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x) {
            const COLORREF colour =
                StripColour(x * StripWidth / size.cx, y * StripHeight / size.cy);
            *pixel++ = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
        }
    }
    return bitmap;
}

void PaintStrip(HDC dc, const RECT& panel) {
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ original = SelectObject(source, dialog.made.strip);
    BitBlt(dc, panel.left, panel.top, std::min<LONG>(dialog.stripSize.cx, panel.right - panel.left),
           std::min<LONG>(dialog.stripSize.cy, panel.bottom - panel.top), source, 0, 0, SRCCOPY);
    SelectObject(source, original);
    DeleteDC(source);
}

void PaintShade(HDC dc, const RECT& client) {
    const double heightTwips = ClientHeight;
    for (int y = client.top; y < client.bottom; ++y) {
        const ShadeColour shade = ShadeAt(y * 1440.0 / dialog.dpi, heightTwips);
        const HBRUSH brush = CreateSolidBrush(RGB(shade.red, shade.green, shade.blue));
        const RECT line{client.left, y, client.right, y + 1};
        FillRect(dc, &line, brush);
        DeleteObject(brush);
    }
}

void PaintRadio(HDC dc, const RECT& box, bool on) {
    const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    const HPEN rim = CreatePen(PS_SOLID, ScaledPixels(1, dialog.dpi), RGB(0x1C, 0x51, 0x80));
    const HGDIOBJ oldBrush = SelectObject(dc, white);
    const HGDIOBJ oldPen = SelectObject(dc, rim);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (on) {
        const HBRUSH dot = CreateSolidBrush(RGB(0x21, 0xA1, 0x21));
        SelectObject(dc, dot);
        SelectObject(dc, GetStockObject(NULL_PEN));
        const int inset = (box.right - box.left) / 4 + 1;
        Ellipse(dc, box.left + inset, box.top + inset, box.right - inset + 1,
                box.bottom - inset + 1);
        SelectObject(dc, white);
        DeleteObject(dot);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(white);
    DeleteObject(rim);
}

void PaintText(HDC dc, const RECT& box, const std::wstring& text, COLORREF colour, UINT format) {
    RECT r = box;
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
}

std::wstring WideOf(const std::u16string& text) {
    return std::wstring(text.begin(), text.end());
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    PaintScene(dc);
    EndPaint(window, &paint);
}

// The dialog's whole picture in its client coordinates.
void PaintScene(HDC dc) {
    RECT client{};
    GetClientRect(dialog.window, &client);
    PaintShade(dc, client);

    const RECT panel = InDialog(Panel);
    const HBRUSH panelBrush = CreateSolidBrush(PanelColour);
    FillRect(dc, &panel, panelBrush);
    DeleteObject(panelBrush);
    PaintStrip(dc, panel);

    const RECT shape = InPanel(HeadingShape);
    FrameRect(dc, &shape, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    const HGDIOBJ oldFont = SelectObject(dc, dialog.made.labelFont);
    PaintText(dc, InPanel(Heading), L"BGM", RGB(0, 0, 0), DT_LEFT | DT_SINGLELINE | DT_NOCLIP);

    const KindControls controls = ControlsForKind(dialog.settings->BgmKind);
    for (int kind = 0; kind < 3; ++kind) {
        PaintRadio(dc, InPanel(KindPictures[kind]), controls.radioOn[kind]);
        PaintText(dc, InPanel(KindLabels[kind]), KindTexts[kind], RGB(0, 0, 0),
                  DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    }
    PaintText(dc, InPanel(RepeatLabel), L"曲目をﾘﾋﾟｰﾄ", RGB(0, 0, 0),
              DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    PaintText(dc, InPanel(FileLabel), WideOf(dialog.settings->BgmFile), RGB(0, 0, 0),
              DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL);
    PaintText(dc, InPanel(FailureLabel), dialog.failure, RGB(0xC0, 0, 0),
              DT_LEFT | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    PaintText(dc, InDialog(UrlLabel), HomePage, RGB(255, 255, 255),
              DT_LEFT | DT_SINGLELINE | DT_NOCLIP);
    SelectObject(dc, oldFont);
}

}  // namespace nuvrel::settings_dialog
