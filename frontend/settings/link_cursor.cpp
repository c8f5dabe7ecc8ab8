// The pointing hand shown over the settings dialog's link, drawn at any DPI.
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

}  // namespace nuvrel::settings_dialog
