// The settings dialog's fonts, pictures, cursor and icons, made for the DPI of its monitor.
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

HFONT MakeFont(const wchar_t* name, int hundredthsOfPoints, BYTE charset) {
    LOGFONTW font{};
    font.lfHeight = -FontPixelsOfPoints(hundredthsOfPoints / 100.0, dialog.dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charset;
    lstrcpynW(font.lfFaceName, name, LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

HICON LoadIconAtSize(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                         MAKEINTRESOURCEW(IconResourceId), IMAGE_ICON, size, size,
                                         LR_DEFAULTCOLOR));
}

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

}  // namespace nuvrel::settings_dialog
