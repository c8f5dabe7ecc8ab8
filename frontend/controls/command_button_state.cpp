#include "frontend/controls/command_button_state.h"

namespace nuvrel {

void CommandButton::GotFocus(CommandButtonHost& host) {
    if (!Enabled) {
        return;
    }
    if (State == ButtonState::HighLight) {
        State = ButtonState::HighLightSelect;
        PaintFace(FaceImage::Pressed, host);
    } else {
        State = ButtonState::Selected;
        PaintFace(FaceImage::Selected, host);
    }
}

void CommandButton::LostFocus(CommandButtonHost& host) {
    SpaceIsDown = false;  // its release will not come here: no click
    if (!Enabled || State == ButtonState::Normal) {
        return;
    }
    State = ButtonState::Normal;
    PaintFace(FaceImage::Normal, host);
}

namespace {

std::size_t IndexOf(MouseButton button) {
    return static_cast<std::size_t>(button);
}

FaceImage LookOf(ButtonState state) {
    switch (state) {
        case ButtonState::HighLight:
            return FaceImage::HighLight;
        case ButtonState::Selected:
            return FaceImage::Selected;
        case ButtonState::HighLightSelect:
            return FaceImage::HighLightSelect;
        case ButtonState::Normal:
            break;
    }
    return FaceImage::Normal;
}

}  // namespace

void CommandButton::MouseDown(MouseButton button, CommandButtonHost& host) {
    if (!Enabled) {
        return;
    }
    PressedHere[IndexOf(button)] = true;
    if (button != MouseButton::Left) {
        return;
    }
    MouseIsDown = true;
    PaintFace(FaceImage::Pressed, host);
}

void CommandButton::MouseMove(CommandButtonHost& host) {
    if (!Enabled) {
        return;
    }
    if (State == ButtonState::Normal) {
        State = ButtonState::HighLight;
        PaintFace(FaceImage::HighLight, host);
    } else if (State == ButtonState::Selected && !MouseIsDown) {
        State = ButtonState::HighLightSelect;
        PaintFace(FaceImage::HighLightSelect, host);
    }
}

// A release away from a focused button raises nothing: by then the hover timer has turned
// state 4 into state 3. A release whose press did not begin here is not the button's.
void CommandButton::MouseUp(MouseButton button, CommandButtonHost& host) {
    if (!Enabled || !PressedHere[IndexOf(button)]) {
        return;
    }
    PressedHere[IndexOf(button)] = false;
    if (button == MouseButton::Left) {
        MouseIsDown = false;
        if (State == ButtonState::HighLight) {
            PaintFace(FaceImage::Normal, host);
        } else if (State == ButtonState::HighLightSelect) {
            PaintFace(FaceImage::HighLightSelect, host);
        }
    }
    if (State != ButtonState::Selected) {
        host.RaiseClick();
    }
}

void CommandButton::KeyDown(Key key, CommandButtonHost& host) {
    if (!Enabled) {
        return;
    }
    if (key == Key::Enter) {
        host.RaiseClick();
    } else if (key == Key::Space && !SpaceIsDown) {
        SpaceIsDown = true;
        PaintFace(FaceImage::Pressed, host);
    }
}

void CommandButton::KeyUp(Key key, CommandButtonHost& host) {
    if (!Enabled || key != Key::Space || !SpaceIsDown) {
        return;
    }
    SpaceIsDown = false;
    PaintFace(MouseIsDown ? FaceImage::Pressed : LookOf(State), host);
    host.RaiseClick();
}

void CommandButton::PressesLost(CommandButtonHost& host) {
    PressedHere = {};
    if (!Enabled) {
        return;
    }
    if (MouseIsDown) {
        MouseIsDown = false;
        PaintFace(LookOf(State), host);
    }
}

void CommandButton::HoverTick(bool pointerOverButton, CommandButtonHost& host) {
    if (!pointerOverButton) {
        EndHover(host);
    }
}

void CommandButton::EndHover(CommandButtonHost& host) {
    if (!Enabled) {
        return;
    }
    if (State == ButtonState::HighLight) {
        State = ButtonState::Normal;
        PaintFace(FaceImage::Normal, host);
    } else if (State == ButtonState::HighLightSelect) {
        State = ButtonState::Selected;
        PaintFace(FaceImage::Selected, host);
    }
}

void CommandButton::RefreshEnabledLook(CommandButtonHost& host) {
    // The caption's look goes first: the face is repainted at once, caption and all.
    Label.Enabled = Enabled;
    PaintFace(Enabled ? FaceImage::Normal : FaceImage::Disable, host);
}

void CommandButton::ResetFace(CommandButtonHost& host) {
    if (!Enabled) {
        return;
    }
    Label.Enabled = true;
    if (FirstRun == 0) {
        Label.TextColour = 0;
    }
    PaintFace(FaceImage::Normal, host);
}

// State 4 keeps the gradient of the state it came from: inverted from hover, normal from
// focus.
void CommandButton::PaintFace(FaceImage image, CommandButtonHost& host) {
    switch (State) {
        case ButtonState::Normal:
        case ButtonState::Selected:
            GradientInverted = false;
            break;
        case ButtonState::HighLight:
            GradientInverted = true;
            break;
        case ButtonState::HighLightSelect:
            break;
    }
    host.PaintFace(image);
}

DialogCode CommandDialogCode(bool isDefault, bool enabled, Key keyDown) {
    return {isDefault, enabled && keyDown == Key::Enter};
}

}  // namespace nuvrel
