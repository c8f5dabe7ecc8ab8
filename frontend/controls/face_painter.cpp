#include "frontend/controls/face_painter.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <string>

#include "frontend/controls/button_face.h"
#include "frontend/controls/dpi_scale.h"

namespace nuvrel {
namespace {

constexpr std::array ImageOrder{FaceImage::Normal,   FaceImage::HighLight,
                                FaceImage::Selected, FaceImage::HighLightSelect,
                                FaceImage::Pressed,  FaceImage::Disable};

HBITMAP BitmapOf(const StateImage& pixels) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = StateImageWidth;
    info.bmiHeader.biHeight = -StateImageHeight;  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        return nullptr;
    }
    // 64 pixels of 3 bytes: rows need no padding.
    auto* bytes = static_cast<std::uint8_t*>(bits);
    for (const Rgb& pixel : pixels) {
        *bytes++ = pixel.B;
        *bytes++ = pixel.G;
        *bytes++ = pixel.R;
    }
    return bitmap;
}

// Drawn once for the whole process and kept until it ends.
HBITMAP StateBitmap(FaceImage image) {
    static const std::array<HBITMAP, ImageOrder.size()> bitmaps = [] {
        std::array<HBITMAP, ImageOrder.size()> made{};
        for (std::size_t i = 0; i < ImageOrder.size(); ++i) {
            made[i] = BitmapOf(DrawStateImage(ImageOrder[i]));
        }
        return made;
    }();
    return bitmaps[static_cast<std::size_t>(image)];
}

TRIVERTEX VertexOf(LONG x, LONG y, Rgb colour) {
    return {x,
            y,
            static_cast<COLOR16>(colour.R << 8),
            static_cast<COLOR16>(colour.G << 8),
            static_cast<COLOR16>(colour.B << 8),
            0};
}

void PaintGradient(HDC dc, SIZE size, bool inverted) {
    const Gradient gradient = FaceGradient(inverted);
    std::array<TRIVERTEX, 2> vertices{VertexOf(0, 0, gradient.Top),
                                      VertexOf(size.cx - 1, size.cy - 1, gradient.Bottom)};
    GRADIENT_RECT mesh{0, 1};
    GradientFill(dc, vertices.data(), vertices.size(), &mesh, 1, GRADIENT_FILL_RECT_V);
}

void CopyFrame(HDC dc, SIZE size, FaceImage image, int dpi) {
    HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ original = SelectObject(source, StateBitmap(image));
    // The default stretch mode would AND away colours when an edge is shrunk.
    SetStretchBltMode(dc, COLORONCOLOR);
    for (const FramePiece& piece : FramePieces(size.cx, size.cy, dpi)) {
        const PixelRect& d = piece.Destination;
        const PixelRect& s = piece.Source;
        if (d.Width > 0 && d.Height > 0) {
            StretchBlt(dc, d.Left, d.Top, d.Width, d.Height, source, s.Left, s.Top, s.Width,
                       s.Height, SRCCOPY);
        }
    }
    SelectObject(source, original);
    DeleteDC(source);
}

void DrawCaptionText(HDC dc, std::wstring& text, RECT rect, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_NOCLIP);
}

}  // namespace

COLORREF ColourRefOf(std::uint32_t colour) {
    if (colour & 0x80000000u) {
        return GetSysColor(static_cast<int>(colour & 0xFFu));
    }
    return static_cast<COLORREF>(colour & 0xFFFFFFu);
}

LOGFONTW LogFontOf(const Font& font, int dpi) {
    LOGFONTW logFont{};
    logFont.lfHeight = -static_cast<LONG>(FontPixelsOfPoints(font.Size, dpi));
    logFont.lfWeight = font.Weight;
    logFont.lfItalic = font.Italic;
    logFont.lfUnderline = font.Underline;
    logFont.lfStrikeOut = font.Strikethrough;
    logFont.lfCharSet = static_cast<BYTE>(font.Charset);
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min<std::size_t>(font.Name.size(), LF_FACESIZE - 1);
    for (std::size_t i = 0; i < length; ++i) {
        logFont.lfFaceName[i] = static_cast<wchar_t>(font.Name[i]);
    }
    return logFont;
}

Font FontOf(const LOGFONTW& logFont, int dpi) {
    Font font;
    font.Name.assign(logFont.lfFaceName,
                     logFont.lfFaceName + wcsnlen(logFont.lfFaceName, LF_FACESIZE));
    const double pixels = std::abs(logFont.lfHeight);
    font.Size = std::round(pixels * 72.0 / dpi * 100) / 100;
    font.Weight = static_cast<std::int16_t>(logFont.lfWeight ? logFont.lfWeight : FW_NORMAL);
    font.Italic = logFont.lfItalic != 0;
    font.Underline = logFont.lfUnderline != 0;
    font.Strikethrough = logFont.lfStrikeOut != 0;
    font.Charset = logFont.lfCharSet;
    return font;
}

FaceBitmap::FaceBitmap() : dc_(CreateCompatibleDC(nullptr)) {
    StateBitmap(FaceImage::Normal);
}

FaceBitmap::~FaceBitmap() {
    if (original_) {
        SelectObject(dc_, original_);
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
    }
    DeleteDC(dc_);
}

void FaceBitmap::Resize(SIZE size) {
    if (size.cx == size_.cx && size.cy == size_.cy) {
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = std::max<LONG>(size.cx, 1);
    info.bmiHeader.biHeight = -std::max<LONG>(size.cy, 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        return;
    }
    const HGDIOBJ previous = SelectObject(dc_, bitmap);
    if (!original_) {
        original_ = previous;
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
    }
    bitmap_ = bitmap;
    size_ = size;
}

void FaceBitmap::Paint(FaceImage image, bool gradientInverted, SIZE size, int dpi) {
    Resize(size);
    const RECT whole{0, 0, size_.cx, size_.cy};
    FillRect(dc_, &whole, GetSysColorBrush(COLOR_BTNFACE));
    PaintGradient(dc_, size_, gradientInverted);
    CopyFrame(dc_, size_, image, dpi);
}

void FaceBitmap::CopyTo(HDC target, SIZE size) const {
    const RECT whole{0, 0, size.cx, size.cy};
    FillRect(target, &whole, GetSysColorBrush(COLOR_BTNFACE));
    if (bitmap_) {
        BitBlt(target, 0, 0, std::min(size.cx, size_.cx), std::min(size.cy, size_.cy), dc_, 0, 0,
               SRCCOPY);
    }
}

CaptionFont::~CaptionFont() {
    if (handle_) {
        DeleteObject(handle_);
    }
}

HFONT CaptionFont::For(const Font& font, int dpi) {
    if (handle_ && font == made_ && dpi == madeDpi_) {
        return handle_;
    }
    const LOGFONTW logFont = LogFontOf(font, dpi);
    if (HFONT made = CreateFontIndirectW(&logFont)) {
        if (handle_) {
            DeleteObject(handle_);
        }
        handle_ = made;
        made_ = font;
        madeDpi_ = dpi;
    }
    return handle_;
}

void DrawCaption(HDC dc, SIZE face, const CaptionLabel& label, HFONT font, int dpi) {
    std::wstring text(label.Caption.begin(), label.Caption.end());
    const HGDIOBJ originalFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT measured{0, 0, face.cx, 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_CENTER | DT_NOCLIP);
    const int height = std::max<int>(measured.bottom - measured.top, metrics.tmHeight);
    const int top = CaptionTop(face.cy, height, dpi);
    const RECT rect{0, top, face.cx, top + height};

    SetBkMode(dc, TRANSPARENT);
    if (label.Enabled) {
        DrawCaptionText(dc, text, rect, ColourRefOf(label.TextColour));
    } else {
        DrawCaptionText(dc, text, {rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1},
                        GetSysColor(COLOR_3DHILIGHT));
        DrawCaptionText(dc, text, rect, GetSysColor(COLOR_GRAYTEXT));
    }
    SelectObject(dc, originalFont);
}

void DrawParentBackground(HWND child, HDC dc) {
    HWND parent = GetParent(child);
    if (!parent) {
        return;
    }
    POINT origin{0, 0};
    MapWindowPoints(child, parent, &origin, 1);
    POINT previous{};
    OffsetWindowOrgEx(dc, origin.x, origin.y, &previous);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetWindowOrgEx(dc, previous.x, previous.y, nullptr);
}

}  // namespace nuvrel
