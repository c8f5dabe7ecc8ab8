// Nuvrel.scr: the screensaver front end. It reads the screensaver command line and shows
// the preview, the settings dialog, or runs the screensaver: the music and the renderer.

#include <windows.h>

#include "frontend/settings/settings_dialog.h"
#include "frontend/settings/settings_win32.h"
#include "frontend/startup/command_line.h"
#include "frontend/startup/front_end.h"

namespace nuvrel {
namespace {

constexpr wchar_t RendererMissing[] = L"Nuvrel.dll が同じﾌｫﾙﾀﾞに見つかりません！";

FrontEnd frontEnd;

bool AnotherCopyRuns() {
    return FindWindowW(nullptr, SupervisorTitle) != nullptr ||
           FindWindowW(nullptr, SettingsDialogTitle) != nullptr;
}

std::u16string Arguments() {
    const auto* commandLine = reinterpret_cast<const char16_t*>(GetCommandLineW());
    return std::u16string(ArgumentsOf(commandLine));
}

HWND PreviewParent(std::int32_t handle) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(handle));
}

int Start() {
    if (AnotherCopyRuns()) {
        return 0;
    }
    const ScreensaverCommand command = ReadCommandLine(Arguments());
    if (command.road == Road::Preview) {
        return RunPreview(PreviewParent(command.previewParent));
    }

    Win32SettingsPlatform platform;
    LoadSettings(frontEnd.settings, platform);
    const std::u16string rendererPath =
        platform.ProgramFolder() + u"\\" + reinterpret_cast<const char16_t*>(RendererFileName);
    if (!platform.FileExists(rendererPath)) {
        MessageBoxW(nullptr, RendererMissing, ProgramName, MB_OK);
        return 0;
    }
    switch (command.road) {
        case Road::Settings:
            ShowSettingsDialog(frontEnd.settings, platform);
            return 0;
        case Road::RunHidden:
            frontEnd.cursorHidden = true;
            frontEnd.CursorCount = ShowCursor(FALSE);
            return RunSupervisor(frontEnd, rendererPath);
        case Road::RunVisible:
            return RunSupervisor(frontEnd, rendererPath);
        case Road::Preview:
        case Road::End:
            break;
    }
    return 0;
}

}  // namespace
}  // namespace nuvrel

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return nuvrel::Start();
}
