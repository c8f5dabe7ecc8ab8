// The file dialog in which the settings dialog's music file is chosen.
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

}  // namespace nuvrel::settings_dialog
