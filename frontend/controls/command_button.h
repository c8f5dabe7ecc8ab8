#pragma once

// The Command push button as a child window of class "NuvrelCommand". It paints its own
// face, follows the mouse and the focus, and tells its dialog of a click with WM_COMMAND:
// BN_CLICKED in the high word of wParam, its id in the low word, its window in lParam.
//
// A dialog creates it with CreateCommandButton, or with CreateWindowExW and this class,
// lpParam pointing to its stored description (a const PropertyBag*), or null for a button
// that has never been stored: such a button stays disabled until Enabled is first read.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "frontend/controls/command_button_properties.h"

namespace nuvrel {

inline constexpr wchar_t CommandClassName[] = L"NuvrelCommand";

// Registers the class in this process once; true when it is registered.
bool RegisterCommandClass();

// A visible tab-stop button at `bounds` (pixels, in the dialog's client area).
HWND CreateCommandButton(HWND dialog, int id, const RECT& bounds, const PropertyBag& stored);

bool GetCommandEnabled(HWND button);
void SetCommandEnabled(HWND button, bool enabled);
std::u16string GetCommandCaption(HWND button);
void SetCommandCaption(HWND button, std::u16string caption);
std::shared_ptr<Font> GetCommandFont(HWND button);
void SetCommandFont(HWND button, std::shared_ptr<Font> font);
std::uint32_t GetCommandFontColour(HWND button);
void SetCommandFontColour(HWND button, std::uint32_t colour);  // 0x00BBGGRR
bool GetCommandVisible(HWND button);
void SetCommandVisible(HWND button, bool visible);

// The button's description, as its dialog saves it.
void SaveCommandProperties(HWND button, PropertyBag& store);

// What the button shows now, for tests and diagnostics.
struct CommandLook {
    ButtonState State = ButtonState::Normal;
    FaceImage Face = FaceImage::Normal;  // the image of the last painting
    bool Painted = false;
    bool GradientInverted = false;
    bool Enabled = false;
    bool MouseIsDown = false;
};
std::optional<CommandLook> InspectCommand(HWND button);

}  // namespace nuvrel
