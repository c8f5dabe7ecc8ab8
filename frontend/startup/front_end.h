#pragma once

#include <windows.h>

#include <string>

#include "frontend/settings/settings.h"

namespace nuvrel {

constexpr wchar_t ProgramName[] = L"Nuvrel";
constexpr wchar_t SupervisorTitle[] = L"Nuvrel_Main";
constexpr wchar_t SettingsDialogTitle[] = L"<Nuvrel>";
constexpr wchar_t RendererTitle[] = L"Nuvrel_VC";
constexpr wchar_t RendererFileName[] = L"Nuvrel.dll";

// The front end's process-wide state: its settings and the cursor count that run mode
// restores.
struct FrontEnd {
    Settings settings;
    int CursorCount = 0;
    bool cursorHidden = false;
};

// Run mode: the hidden supervisor window. Returns when the process is to end.
int RunSupervisor(FrontEnd& frontEnd, const std::u16string& rendererPath);

// The still picture inside the preview box. Returns when the picture has gone.
int RunPreview(HWND parent);

inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

}  // namespace nuvrel
