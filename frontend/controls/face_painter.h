#pragma once

// GDI drawing of the button: the state images, the face bitmap and the caption.

#include <windows.h>

#include <array>
#include <cstdint>

#include "frontend/controls/command_button_state.h"

namespace nuvrel {

COLORREF ColourRefOf(std::uint32_t colour);  // system colours have the high bit set
// Fonts are sized in points; their pixel heights at the DPI given.
LOGFONTW LogFontOf(const Font& font, int dpi);
Font FontOf(const LOGFONTW& logFont, int dpi);

// The face as last painted, in a bitmap of the control's size.
class FaceBitmap {
  public:
    FaceBitmap();
    FaceBitmap(const FaceBitmap&) = delete;
    FaceBitmap& operator=(const FaceBitmap&) = delete;
    ~FaceBitmap();

    // Clears the face, lays the gradient and copies the frame of the state image on it, the
    // frame as wide as the DPI asks.
    void Paint(FaceImage image, bool gradientInverted, SIZE size, int dpi);
    void CopyTo(HDC target, SIZE size) const;

  private:
    void Resize(SIZE size);

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    SIZE size_{0, 0};
};

// The label's font as a GDI font, made again whenever the font object changes.
class CaptionFont {
  public:
    CaptionFont() = default;
    CaptionFont(const CaptionFont&) = delete;
    CaptionFont& operator=(const CaptionFont&) = delete;
    ~CaptionFont();

    HFONT For(const Font& font, int dpi);
    HFONT Current() const { return handle_; }

  private:
    HFONT handle_ = nullptr;
    Font made_;
    int madeDpi_ = 0;
};

// Draws the caption centred across the face, a little above the middle; a disabled label
// is etched in grey.
void DrawCaption(HDC dc, SIZE face, const CaptionLabel& label, HFONT font, int dpi);

// Paints what the parent shows behind the child window: a transparent face.
void DrawParentBackground(HWND child, HDC dc);

}  // namespace nuvrel
