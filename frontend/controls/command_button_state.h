#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace nuvrel {

enum class ButtonState : std::uint8_t {
    Normal = 1,           // neither hovered nor focused
    HighLight = 2,        // hovered, not focused
    Selected = 3,         // focused, not hovered
    HighLightSelect = 4,  // focused and hovered
};

// The six state images whose frames make the button's looks.
enum class FaceImage { Normal, HighLight, Selected, HighLightSelect, Pressed, Disable };

enum class MouseButton { Left, Right, Middle };

// The keys a button answers; every other key is Other.
enum class Key { Space, Enter, Other };

// What a button tells the dialog manager about itself (WM_GETDLGCODE): always a push button,
// the dialog's default one or not, and whether it takes the key of the message itself. It
// takes Enter, so that Enter clicks the focused button and not the dialog's default one.
struct DialogCode {
    bool defaultButton = false;
    bool wantsKey = false;
    friend bool operator==(const DialogCode& a, const DialogCode& b) {
        return a.defaultButton == b.defaultButton && a.wantsKey == b.wantsKey;
    }
};
DialogCode CommandDialogCode(bool isDefault, bool enabled, Key keyDown);

enum class BackgroundStyle : std::int16_t { Transparent = 0, Opaque = 1 };

struct Font {
    std::u16string Name = u"ＭＳ Ｐゴシック";
    double Size = 9.75;  // points
    std::int16_t Weight = 400;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    std::int16_t Charset = 128;  // Shift-JIS

    friend bool operator==(const Font& a, const Font& b) {
        return a.Name == b.Name && a.Size == b.Size && a.Weight == b.Weight &&
               a.Italic == b.Italic && a.Underline == b.Underline &&
               a.Strikethrough == b.Strikethrough && a.Charset == b.Charset;
    }
    friend bool operator!=(const Font& a, const Font& b) { return !(a == b); }
};

// The caption label, drawn by the button itself: it has no window of its own, so the
// mouse on the caption is the mouse on the button.
struct CaptionLabel {
    std::u16string Caption = u"Command";
    // Shared: a font object handed to the label stays the label's font, changes included.
    std::shared_ptr<Font> TextFont = std::make_shared<Font>();
    std::uint32_t TextColour = 0;  // 0x00BBGGRR
    bool Enabled = true;
};

// What the button's rules ask of its window and of the dialog that holds it.
class CommandButtonHost {
  public:
    virtual ~CommandButtonHost() = default;
    // Paints gradient and frame with the image, then shows the face; GradientInverted is
    // already set.
    virtual void PaintFace(FaceImage image) = 0;
    virtual void RaiseClick() = 0;
    // The property must be written at the next save of the button's description.
    virtual void PropertyChanged(const char* key) = 0;
};

// One push button: its state, its caption label and its stored properties. While Enabled
// is false none of the mouse, focus and hover rules act.
struct CommandButton {
    ButtonState State = ButtonState::Normal;
    bool GradientInverted = false;
    bool MouseIsDown = false;
    bool SpaceIsDown = false;  // between Space going down on the focused button and its release
    // Which mouse buttons went down on this button and are still held: only a release of
    // one of them belongs to the button. A release of a press that began elsewhere (on the
    // dialog, in another window) is no click.
    std::array<bool, 3> PressedHere{};
    bool Enabled = false;
    std::uint8_t FirstRun = 0;  // 1 once initialised or read from a store
    CaptionLabel Label;
    BackgroundStyle Background = BackgroundStyle::Opaque;

    void GotFocus(CommandButtonHost& host);
    void LostFocus(CommandButtonHost& host);
    void MouseDown(MouseButton button, CommandButtonHost& host);
    void MouseMove(CommandButtonHost& host);
    void MouseUp(MouseButton button, CommandButtonHost& host);
    // The button no longer holds the mouse (another window took it, or a press ended
    // without its release reaching the button): the presses are over without a click.
    void PressesLost(CommandButtonHost& host);
    // The keyboard, as the system's push buttons: Space down shows the pressed look and its
    // release clicks; Enter clicks at once. A key only reaches the focused button, so the
    // keyboard clicks in the focused states too, where a mouse release would not.
    void KeyDown(Key key, CommandButtonHost& host);
    void KeyUp(Key key, CommandButtonHost& host);
    // Each tick of the 100 ms hover timer.
    void HoverTick(bool pointerOverButton, CommandButtonHost& host);

    void EndHover(CommandButtonHost& host);
    void RefreshEnabledLook(CommandButtonHost& host);
    void ResetFace(CommandButtonHost& host);
    void PaintFace(FaceImage image, CommandButtonHost& host);
};

}  // namespace nuvrel
