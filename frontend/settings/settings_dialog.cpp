#include "frontend/settings/settings_dialog.h"

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

namespace nuvrel {
namespace {

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

Dialog dialog;

int Px(int twips) {
    return PixelsOf(twips, dialog.dpi);
}

RECT InDialog(const Twips& t) {
    return {Px(t.left), Px(t.top), Px(t.left + t.width), Px(t.top + t.height)};
}

RECT InPanel(const Twips& t) {
    return InDialog({Panel.left + t.left, Panel.top + t.top, t.width, t.height});
}

HFONT MakeFont(const wchar_t* name, int hundredthsOfPoints, BYTE charset) {
    LOGFONTW font{};
    font.lfHeight = -FontPixelsOfPoints(hundredthsOfPoints / 100.0, dialog.dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    lstrcpynW(font.lfFaceName, name, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

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
    RECT client{};
    GetClientRect(window, &client);
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
    EndPaint(window, &paint);
}

void ApplyKind() {
    const KindControls controls = ControlsForKind(dialog.settings->BgmKind);
    EnableWindow(dialog.repeatBox, controls.repeatEnabled);
    SetCommandEnabled(dialog.fileButton, controls.fileEnabled);
    const RECT panel = InDialog(Panel);
    InvalidateRect(dialog.window, &panel, FALSE);
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
            dialog.settings->BgmKind = static_cast<std::int16_t>(kind);
            ApplyKind();
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

void ChooseFile() {
    std::vector<wchar_t> file(256, L'\0');
    std::vector<wchar_t> title(256, L'\0');
    std::wstring folder = WideOf(dialog.settings->BgmFolder);
    if (folder.size() == 2 && folder[1] == L':') {
        folder += L'\\';  // "E:" alone would be the drive's current folder, not its root
    }
    static const wchar_t filter[] = L"BGMﾌｧｲﾙ (MP3 WAV)\0*.MP3;*.WAV\0";
    OPENFILENAMEW open{};
    open.lStructSize = sizeof open;
    open.hwndOwner = dialog.window;
    open.hInstance = GetModuleHandleW(nullptr);
    open.lpstrFilter = filter;
    open.lpstrFile = file.data();
    open.nMaxFile = 255;
    open.lpstrFileTitle = title.data();
    open.nMaxFileTitle = 255;
    open.lpstrInitialDir = folder.c_str();
    open.lpstrTitle = L"ﾌｧｲﾙを開く";
    const BOOL chosen = GetOpenFileNameW(&open);
    dialog.settings->ApiResult = chosen;
    if (chosen) {
        dialog.settings->BgmFile = reinterpret_cast<const char16_t*>(file.data());
        dialog.settings->BgmFolder = FolderOf(dialog.settings->BgmFile);
        const RECT label = InPanel(FileLabel);
        InvalidateRect(dialog.window, &label, FALSE);
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

// A pointing hand drawn for the link on a 32 x 32 grid, hot spot at (12, 10), made as large
// as the DPI asks: finger from (11, 2) to (14, 12), hand from (8, 12) to (22, 24), outlined
// in black, white inside.
enum class CursorPixel { Clear, Black, White };

CursorPixel LinkCursorPixel(int x, int y) {
    if (y < 2 || y > 24) {
        return CursorPixel::Clear;
    }
    const int left = y < 12 ? 11 : 8;
    const int right = y < 12 ? 14 : 22;
    if (x < left || x > right) {
        return CursorPixel::Clear;
    }
    const bool edge =
        x == left || x == right || y == 2 || y == 24 || (y == 12 && (x < 11 || x > 14));
    return edge ? CursorPixel::Black : CursorPixel::White;
}

HCURSOR MakeLinkCursor(int dpi) {
    const int size = ScaledPixels(32, dpi);
    const int stride = (size + 15) / 16 * 2;  // mask rows are whole words
    std::vector<BYTE> andMask(static_cast<std::size_t>(stride) * size, 0xFF);
    std::vector<BYTE> xorMask(andMask.size(), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const CursorPixel pixel = LinkCursorPixel(x * 32 / size, y * 32 / size);
            if (pixel == CursorPixel::Clear) {
                continue;
            }
            const std::size_t byte = static_cast<std::size_t>(y) * stride + x / 8;
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            andMask[byte] &= static_cast<BYTE>(~bit);
            if (pixel == CursorPixel::White) {
                xorMask[byte] |= bit;
            }
        }
    }
    return CreateCursor(GetModuleHandleW(nullptr), ScaledPixels(12, dpi), ScaledPixels(10, dpi),
                        size, size, andMask.data(), xorMask.data());
}

HICON LoadIconAtSize(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(IconResourceId), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR));
}

constexpr DWORD DialogStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

void Free(const DpiResources& made) {
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(made.labelFont), static_cast<HGDIOBJ>(made.panelFont),
          static_cast<HGDIOBJ>(made.strip)}) {
        if (object != nullptr) {
            DeleteObject(object);
        }
    }
    if (made.linkCursor != nullptr) {
        DestroyCursor(made.linkCursor);
    }
    for (HICON icon : {made.bigIcon, made.smallIcon}) {
        if (icon != nullptr) {
            DestroyIcon(icon);
        }
    }
}

void FreeDpiResources() {
    Free(dialog.made);
}

// Fonts, pictures, the link cursor and the icons for the dialog's DPI.
void MakeDpiResources() {
    dialog.made.labelFont = MakeFont(LabelFontName, 975, SHIFTJIS_CHARSET);
    dialog.made.panelFont = MakeFont(PanelFontName, 825, DEFAULT_CHARSET);
    dialog.made.linkCursor = MakeLinkCursor(dialog.dpi);
    dialog.stripSize = {ScaledPixels(StripWidth, dialog.dpi),
                        ScaledPixels(StripHeight, dialog.dpi)};
    dialog.made.strip = MakeStrip(dialog.stripSize);
    dialog.made.bigIcon = LoadIconAtSize(SystemMetricAtDpi(SM_CXICON, dialog.dpi));
    dialog.made.smallIcon = LoadIconAtSize(SystemMetricAtDpi(SM_CXSMICON, dialog.dpi));
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

// The dialog is on a monitor of another DPI: everything is made and laid out again at the
// new DPI. The old fonts and pictures go only once nothing uses them.
void ApplyDpi(int dpi, POINT topLeft) {
    const DpiResources old = dialog.made;
    dialog.dpi = dpi;
    MakeDpiResources();
    SizeWindow(topLeft);
    LayOutControls();
    Free(old);
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
            switch (LOWORD(wParam)) {
                case SetId:
                    PostMessageW(window, StoreMessage, 0, 0);
                    return 0;
                case CancelId:
                    Close();
                    return 0;
                case FileId:
                    ChooseFile();
                    return 0;
            }
            break;
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

}  // namespace

void ShowSettingsDialog(Settings& settings, SettingsPlatform& platform) {
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
    ShowWindow(dialog.window, SW_SHOW);
    SetForegroundWindow(dialog.window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(dialog.window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    FreeDpiResources();
}

}  // namespace nuvrel
