#pragma once

// The settings dialog's parts, shared by the files that make it up: its layout, its painting,
// the link cursor's picture, its resources for a DPI, the file dialog, and its window
// procedure. One dialog is open at a time; its state is the one Dialog record.

#include <windows.h>

#include <array>
#include <string>

#include "frontend/controls/dpi_scale.h"
#include "frontend/settings/settings.h"

namespace nuvrel::settings_dialog {

constexpr wchar_t ClassName[] = L"NuvrelSettings";
constexpr wchar_t Title[] = L"<Nuvrel>";
constexpr wchar_t HomePage[] = L"https://nuvrel.example.org/";
constexpr wchar_t LabelFontName[] = L"ＭＳ Ｐゴシック";
constexpr wchar_t PanelFontName[] = L"Tahoma";
constexpr int IconResourceId = 1;

// Layout in twips, as left, top, width, height; the panel's controls relative to the panel.
struct Twips {
    int left, top, width, height;
};
constexpr int ClientWidth = 7440;
constexpr int ClientHeight = 3690;
constexpr Twips Panel{180, 240, 7035, 2475};
constexpr Twips HeadingShape{300, 300, 1695, 315};
constexpr Twips Heading{300, 360, 1665, 195};
constexpr std::array<Twips, 3> KindPictures{
    {{420, 1140, 195, 195}, {420, 840, 195, 195}, {420, 1440, 195, 195}}};
constexpr std::array<Twips, 3> KindLabels{
    {{660, 1140, 330, 195}, {660, 840, 645, 195}, {660, 1440, 900, 195}}};
constexpr std::array<const wchar_t*, 3> KindTexts{L"なし", L"音楽CD", L"MP3、WAV"};
constexpr Twips RepeatBox{1680, 780, 615, 300};
constexpr Twips RepeatLabel{2340, 840, 990, 195};
constexpr Twips FileButton{420, 1740, 615, 315};
constexpr Twips FileLabel{1080, 1740, 5595, 495};
constexpr Twips UrlLabel{180, 3120, 3285, 195};
constexpr Twips FailureLabel{420, 2250, 6435, 195};
constexpr Twips SetButton{4860, 3000, 1155, 375};
constexpr Twips CancelButton{6060, 3000, 1155, 375};

constexpr int SetId = 101;
constexpr int CancelId = 102;
constexpr int FileId = 103;
constexpr int RepeatId = 104;
constexpr int FirstKindId = 110;  // the music kinds' radio buttons: FirstKindId + kind
constexpr wchar_t KindClassName[] = L"NuvrelKind";
// Set does its work after the button has finished with the click that raised it.
constexpr UINT StoreMessage = WM_APP + 1;

constexpr COLORREF PanelColour = RGB(0xE0, 0xE0, 0xE0);
constexpr int StripWidth = 556;
constexpr int StripHeight = 20;

// What MakeDpiResources made for one DPI.
struct DpiResources {
    HFONT labelFont = nullptr;
    HFONT panelFont = nullptr;
    HCURSOR linkCursor = nullptr;
    HBITMAP strip = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
};

struct Dialog {
    Settings* settings = nullptr;
    SettingsPlatform* platform = nullptr;
    HWND window = nullptr;
    HWND repeatBox = nullptr;
    HWND setButton = nullptr;
    HWND cancelButton = nullptr;
    HWND fileButton = nullptr;
    std::array<HWND, 3> kindButtons{};  // by kind
    HWND lastFocus = nullptr;  // the control that had the focus when the dialog went inactive
    // Made for the DPI of the monitor the dialog is on, and made again when it moves to a
    // monitor of another DPI.
    int dpi = DefaultDpi;
    DpiResources made;
    SIZE stripSize{};
    POINT openCursor{};
    bool closing = false;
    bool linkPressed = false;  // the left button went down on the link and is still held
    std::wstring failure;      // why the last Set could not store the settings
};

constexpr DWORD DialogStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

extern Dialog dialog;

int Px(int twips);
RECT InDialog(const Twips& t);
RECT InPanel(const Twips& t);
HWND AddButton(int id, const RECT& bounds, const wchar_t* caption);
void AddRepeatBox();
void Place(HWND control, const RECT& bounds);
void LayOutControls();
void SizeWindow(POINT topLeft);
RECT Placement();
HBITMAP MakeStrip(SIZE size);
std::wstring WideOf(const std::u16string& text);
void Paint(HWND window);
HCURSOR MakeLinkCursor(int dpi);
HFONT MakeFont(const wchar_t* name, int hundredthsOfPoints, BYTE charset);
HICON LoadIconAtSize(int size);
void FreeDpiResources();
void MakeDpiResources();
void ApplyDpi(int dpi, POINT topLeft);
void ChooseFile();
void ChooseKind(std::int16_t kind);
void PaintScene(HDC dc);
void AddKindButtons();
RECT KindButtonBounds(int kind);
void ShowKind();
void OrderTabStops();

}  // namespace nuvrel::settings_dialog
