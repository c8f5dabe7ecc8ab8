#include "frontend/controls/command_button_state.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "tests/controls/recording_host.h"

namespace nuvrel {

std::ostream& operator<<(std::ostream& out, ButtonState state) {
    return out << "state " << static_cast<int>(state);
}

namespace {

enum class Event {
    GotFocus,
    LostFocus,
    LeftDown,
    RightDown,
    MiddleDown,
    Move,
    LeftUp,
    RightUp,
    MiddleUp,
    TimerPointerAway,
    TimerPointerOver,
};

constexpr std::array AllEvents{Event::GotFocus,         Event::LostFocus,       Event::LeftDown,
                               Event::RightDown,        Event::MiddleDown,      Event::Move,
                               Event::LeftUp,           Event::RightUp,         Event::MiddleUp,
                               Event::TimerPointerAway, Event::TimerPointerOver};
constexpr std::array AllStates{ButtonState::Normal, ButtonState::HighLight, ButtonState::Selected,
                               ButtonState::HighLightSelect};

using S = ButtonState;
using F = FaceImage;

constexpr FaceImage LookOfState(ButtonState state) {
    return state == S::HighLightSelect ? F::HighLightSelect : F::Selected;
}

class command_button_state_test : public ::testing::Test {
  protected:
    command_button_state_test() { button.Enabled = true; }

    void Send(Event event) {
        switch (event) {
            case Event::GotFocus:
                return button.GotFocus(host);
            case Event::LostFocus:
                return button.LostFocus(host);
            case Event::LeftDown:
                return button.MouseDown(MouseButton::Left, host);
            case Event::RightDown:
                return button.MouseDown(MouseButton::Right, host);
            case Event::MiddleDown:
                return button.MouseDown(MouseButton::Middle, host);
            case Event::Move:
                return button.MouseMove(host);
            case Event::LeftUp:
                return button.MouseUp(MouseButton::Left, host);
            case Event::RightUp:
                return button.MouseUp(MouseButton::Right, host);
            case Event::MiddleUp:
                return button.MouseUp(MouseButton::Middle, host);
            case Event::TimerPointerAway:
                return button.HoverTick(false, host);
            case Event::TimerPointerOver:
                return button.HoverTick(true, host);
        }
    }

    CommandButton button;
    RecordingHost host{button};
};

struct Transition {
    ButtonState From;
    bool MouseIsDown;
    Event On;
    ButtonState To;
    std::optional<FaceImage> Painted;
    bool Click;
    bool MouseIsDownAfter;
    // The right and middle buttons went down on the button before the event.
    bool OtherPressedHere = false;
};

// Every state and event of an enabled button.
constexpr Transition Table[] = {
    {S::Normal, false, Event::GotFocus, S::Selected, F::Selected, false, false},
    {S::HighLight, false, Event::GotFocus, S::HighLightSelect, F::Pressed, false, false},
    {S::Selected, false, Event::GotFocus, S::Selected, F::Selected, false, false},
    {S::HighLightSelect, false, Event::GotFocus, S::Selected, F::Selected, false, false},

    {S::Normal, false, Event::LostFocus, S::Normal, std::nullopt, false, false},
    {S::HighLight, false, Event::LostFocus, S::Normal, F::Normal, false, false},
    {S::Selected, false, Event::LostFocus, S::Normal, F::Normal, false, false},
    {S::HighLightSelect, true, Event::LostFocus, S::Normal, F::Normal, false, true},

    {S::Normal, false, Event::LeftDown, S::Normal, F::Pressed, false, true},
    {S::HighLight, false, Event::LeftDown, S::HighLight, F::Pressed, false, true},
    {S::Selected, false, Event::LeftDown, S::Selected, F::Pressed, false, true},
    {S::HighLightSelect, false, Event::LeftDown, S::HighLightSelect, F::Pressed, false, true},
    {S::HighLight, false, Event::RightDown, S::HighLight, std::nullopt, false, false},
    {S::HighLightSelect, false, Event::MiddleDown, S::HighLightSelect, std::nullopt, false, false},

    {S::Normal, false, Event::Move, S::HighLight, F::HighLight, false, false},
    {S::Normal, true, Event::Move, S::HighLight, F::HighLight, false, true},
    {S::HighLight, false, Event::Move, S::HighLight, std::nullopt, false, false},
    {S::Selected, false, Event::Move, S::HighLightSelect, F::HighLightSelect, false, false},
    {S::Selected, true, Event::Move, S::Selected, std::nullopt, false, true},
    {S::HighLightSelect, false, Event::Move, S::HighLightSelect, std::nullopt, false, false},

    {S::Normal, true, Event::LeftUp, S::Normal, std::nullopt, true, false},
    {S::HighLight, true, Event::LeftUp, S::HighLight, F::Normal, true, false},
    {S::Selected, true, Event::LeftUp, S::Selected, std::nullopt, false, false},
    {S::HighLightSelect, true, Event::LeftUp, S::HighLightSelect, F::HighLightSelect, true, false},

    {S::Normal, false, Event::RightUp, S::Normal, std::nullopt, true, false, true},
    {S::HighLight, true, Event::RightUp, S::HighLight, std::nullopt, true, true, true},
    {S::Selected, false, Event::RightUp, S::Selected, std::nullopt, false, false, true},
    {S::HighLightSelect, false, Event::MiddleUp, S::HighLightSelect, std::nullopt, true, false,
     true},
    {S::Selected, false, Event::MiddleUp, S::Selected, std::nullopt, false, false, true},

    // Releases of presses that began elsewhere: not the button's.
    {S::Normal, false, Event::LeftUp, S::Normal, std::nullopt, false, false},
    {S::HighLight, false, Event::LeftUp, S::HighLight, std::nullopt, false, false},
    {S::HighLightSelect, false, Event::LeftUp, S::HighLightSelect, std::nullopt, false, false},
    {S::HighLight, true, Event::RightUp, S::HighLight, std::nullopt, false, true},
    {S::HighLightSelect, false, Event::MiddleUp, S::HighLightSelect, std::nullopt, false, false},

    {S::Normal, false, Event::TimerPointerAway, S::Normal, std::nullopt, false, false},
    {S::HighLight, false, Event::TimerPointerAway, S::Normal, F::Normal, false, false},
    {S::Selected, false, Event::TimerPointerAway, S::Selected, std::nullopt, false, false},
    {S::HighLightSelect, true, Event::TimerPointerAway, S::Selected, F::Selected, false, true},
    {S::HighLight, false, Event::TimerPointerOver, S::HighLight, std::nullopt, false, false},
    {S::HighLightSelect, false, Event::TimerPointerOver, S::HighLightSelect, std::nullopt, false,
     false},
};

TEST_F(command_button_state_test, follows_the_transition_table) {
    for (const Transition& row : Table) {
        SCOPED_TRACE(::testing::Message()
                     << "from " << row.From << " on event " << static_cast<int>(row.On));
        button.State = row.From;
        button.MouseIsDown = row.MouseIsDown;
        button.PressedHere = {row.MouseIsDown, row.OtherPressedHere, row.OtherPressedHere};
        host.Clear();
        Send(row.On);
        EXPECT_EQ(button.State, row.To);
        if (row.Painted) {
            EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{*row.Painted});
        } else {
            EXPECT_TRUE(host.paints.empty());
        }
        EXPECT_EQ(host.clicks, row.Click ? 1 : 0);
        EXPECT_EQ(button.MouseIsDown, row.MouseIsDownAfter);
    }
}

TEST_F(command_button_state_test, disabled_button_ignores_every_event) {
    button.Enabled = false;
    for (ButtonState state : AllStates) {
        for (bool mouseIsDown : {false, true}) {
            for (Event event : AllEvents) {
                button.State = state;
                button.MouseIsDown = mouseIsDown;
                Send(event);
                EXPECT_EQ(button.State, state);
                EXPECT_EQ(button.MouseIsDown, mouseIsDown);
            }
        }
    }
    button.EndHover(host);
    EXPECT_TRUE(host.paints.empty());
    EXPECT_EQ(host.clicks, 0);
}

TEST_F(command_button_state_test, a_new_button_is_normal_and_disabled) {
    const CommandButton fresh;
    EXPECT_EQ(fresh.State, ButtonState::Normal);
    EXPECT_FALSE(fresh.Enabled);
    EXPECT_EQ(fresh.FirstRun, 0);
    EXPECT_FALSE(fresh.MouseIsDown);
    EXPECT_EQ(fresh.Label.Caption, u"Command");
    EXPECT_EQ(fresh.Label.TextColour, 0u);
    EXPECT_EQ(fresh.Label.TextFont->Name, u"ＭＳ Ｐゴシック");
    EXPECT_EQ(fresh.Label.TextFont->Size, 9.75);
    EXPECT_EQ(fresh.Label.TextFont->Weight, 400);
    EXPECT_EQ(fresh.Label.TextFont->Charset, 128);
    EXPECT_EQ(fresh.Background, BackgroundStyle::Opaque);
}

TEST_F(command_button_state_test, gradient_is_inverted_only_for_hover) {
    button.State = ButtonState::HighLight;
    button.PaintFace(FaceImage::Normal, host);
    button.State = ButtonState::Selected;
    button.PaintFace(FaceImage::Normal, host);
    button.State = ButtonState::HighLight;
    button.PaintFace(FaceImage::Normal, host);
    button.State = ButtonState::Normal;
    button.PaintFace(FaceImage::Normal, host);
    EXPECT_EQ(host.paints,
              (std::vector<FacePaint>{
                  {F::Normal, true}, {F::Normal, false}, {F::Normal, true}, {F::Normal, false}}));
}

TEST_F(command_button_state_test, focus_during_hover_keeps_the_inverted_gradient) {
    Send(Event::Move);
    Send(Event::GotFocus);
    Send(Event::LeftDown);
    Send(Event::LeftUp);
    EXPECT_EQ(button.State, ButtonState::HighLightSelect);
    EXPECT_EQ(host.paints, (std::vector<FacePaint>{{F::HighLight, true},
                                                   {F::Pressed, true},
                                                   {F::Pressed, true},
                                                   {F::HighLightSelect, true}}));
}

TEST_F(command_button_state_test, hover_during_focus_keeps_the_normal_gradient) {
    Send(Event::GotFocus);
    Send(Event::Move);
    EXPECT_EQ(button.State, ButtonState::HighLightSelect);
    EXPECT_EQ(host.paints,
              (std::vector<FacePaint>{{F::Selected, false}, {F::HighLightSelect, false}}));
}

TEST_F(command_button_state_test, click_that_takes_the_focus_shows_pressed_and_ends_focused) {
    Send(Event::Move);
    host.Clear();
    Send(Event::GotFocus);  // the window takes the focus before the press is handled
    Send(Event::LeftDown);
    EXPECT_EQ(host.PaintedImages(), (std::vector<FaceImage>{F::Pressed, F::Pressed}));
    EXPECT_EQ(host.clicks, 0);
    Send(Event::LeftUp);
    EXPECT_EQ(button.State, ButtonState::HighLightSelect);
    EXPECT_EQ(host.paints.back().Image, F::HighLightSelect);
    EXPECT_EQ(host.clicks, 1);
}

TEST_F(command_button_state_test, pressing_and_releasing_off_the_button_raises_nothing) {
    Send(Event::Move);
    Send(Event::GotFocus);
    Send(Event::LeftDown);
    Send(Event::Move);  // dragging across the button while pressed
    Send(Event::TimerPointerAway);
    EXPECT_EQ(button.State, ButtonState::Selected);
    EXPECT_EQ(host.paints.back().Image, F::Selected);
    Send(Event::Move);  // back over the button, still pressed: no hover while down
    EXPECT_EQ(button.State, ButtonState::Selected);
    host.Clear();
    Send(Event::LeftUp);
    EXPECT_EQ(host.clicks, 0);
    EXPECT_TRUE(host.paints.empty());
    EXPECT_FALSE(button.MouseIsDown);
}

TEST_F(command_button_state_test, a_press_that_began_elsewhere_is_no_click) {
    Send(Event::Move);  // dragged in from the dialog with the left button held
    host.Clear();
    Send(Event::LeftUp);
    Send(Event::RightUp);
    Send(Event::MiddleUp);
    EXPECT_EQ(host.clicks, 0);
    EXPECT_TRUE(host.paints.empty());
    EXPECT_EQ(button.State, ButtonState::HighLight);
}

TEST_F(command_button_state_test, each_release_belongs_to_its_own_press) {
    Send(Event::Move);
    Send(Event::RightDown);
    Send(Event::RightUp);
    Send(Event::RightUp);  // a second release without a press
    EXPECT_EQ(host.clicks, 1);
    Send(Event::LeftDown);
    Send(Event::RightUp);  // the right button was not pressed again
    EXPECT_EQ(host.clicks, 1);
    Send(Event::LeftUp);
    EXPECT_EQ(host.clicks, 2);
}

TEST_F(command_button_state_test, lost_presses_end_without_a_click) {
    Send(Event::Move);
    Send(Event::GotFocus);
    Send(Event::LeftDown);
    Send(Event::RightDown);
    host.Clear();
    button.PressesLost(host);
    EXPECT_FALSE(button.MouseIsDown);
    EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{F::HighLightSelect})
        << "the pressed look gives way to the state's own";
    Send(Event::LeftUp);
    Send(Event::RightUp);
    EXPECT_EQ(host.clicks, 0);
    host.Clear();
    button.PressesLost(host);
    EXPECT_TRUE(host.paints.empty()) << "nothing was pressed";
}

TEST_F(command_button_state_test, right_click_over_a_hovered_button_clicks_without_a_face_change) {
    Send(Event::Move);
    host.Clear();
    Send(Event::RightDown);
    EXPECT_TRUE(host.paints.empty());
    Send(Event::RightUp);
    EXPECT_EQ(host.clicks, 1);
    EXPECT_TRUE(host.paints.empty());
    EXPECT_EQ(button.State, ButtonState::HighLight);
}

TEST_F(command_button_state_test, left_release_while_hovered_shows_normal_until_hover_returns) {
    Send(Event::Move);
    Send(Event::LeftDown);
    Send(Event::LeftUp);
    EXPECT_EQ(button.State, ButtonState::HighLight);
    EXPECT_EQ(host.paints.back().Image, F::Normal);
    EXPECT_EQ(host.clicks, 1);
    host.Clear();
    Send(Event::Move);
    Send(Event::TimerPointerOver);
    EXPECT_TRUE(host.paints.empty()) << "the hover look comes back only after leaving";
    Send(Event::TimerPointerAway);
    Send(Event::Move);
    EXPECT_EQ(host.PaintedImages(), (std::vector<FaceImage>{F::Normal, F::HighLight}));
}

TEST_F(command_button_state_test, losing_the_focus_while_pressed_keeps_the_press) {
    Send(Event::GotFocus);
    Send(Event::LeftDown);
    Send(Event::LostFocus);
    EXPECT_EQ(button.State, ButtonState::Normal);
    EXPECT_TRUE(button.MouseIsDown);
    Send(Event::LeftUp);
    EXPECT_EQ(host.clicks, 1);
}

TEST_F(command_button_state_test, refresh_enabled_look_follows_enabled_and_keeps_the_state) {
    button.State = ButtonState::HighLightSelect;
    button.GradientInverted = true;
    button.Enabled = false;
    button.RefreshEnabledLook(host);
    EXPECT_FALSE(button.Label.Enabled);
    button.Enabled = true;
    button.RefreshEnabledLook(host);
    EXPECT_TRUE(button.Label.Enabled);
    EXPECT_EQ(button.State, ButtonState::HighLightSelect);
    EXPECT_EQ(host.paints, (std::vector<FacePaint>{{F::Disable, true}, {F::Normal, true}}));
}

TEST_F(command_button_state_test, reset_face_blackens_the_caption_only_before_first_use) {
    button.Label.TextColour = 0x0000FF;
    button.Label.Enabled = false;
    button.FirstRun = 1;
    button.ResetFace(host);
    EXPECT_EQ(button.Label.TextColour, 0x0000FFu);
    EXPECT_TRUE(button.Label.Enabled);
    button.FirstRun = 0;
    button.ResetFace(host);
    EXPECT_EQ(button.Label.TextColour, 0u);
    EXPECT_EQ(host.PaintedImages(), (std::vector<FaceImage>{F::Normal, F::Normal}));
}

TEST_F(command_button_state_test, reset_face_does_nothing_while_disabled) {
    button.Enabled = false;
    button.Label.TextColour = 0x0000FF;
    button.Label.Enabled = false;
    button.ResetFace(host);
    EXPECT_EQ(button.Label.TextColour, 0x0000FFu);
    EXPECT_FALSE(button.Label.Enabled);
    EXPECT_TRUE(host.paints.empty());
}

TEST_F(command_button_state_test, space_shows_pressed_and_its_release_clicks_in_a_focused_state) {
    for (ButtonState focused : {S::Selected, S::HighLightSelect}) {
        button.State = focused;
        host.Clear();
        button.KeyDown(Key::Space, host);
        button.KeyDown(Key::Space, host);  // the key's repeat
        EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{F::Pressed});
        EXPECT_EQ(host.clicks, 0);
        button.KeyUp(Key::Space, host);
        EXPECT_EQ(host.PaintedImages(), (std::vector<FaceImage>{F::Pressed, LookOfState(focused)}));
        EXPECT_EQ(host.clicks, 1);
        EXPECT_EQ(button.State, focused);
        button.KeyUp(Key::Space, host);
        EXPECT_EQ(host.clicks, 1) << "a release without its press";
    }
}

TEST_F(command_button_state_test, enter_clicks_at_once_and_other_keys_do_nothing) {
    button.State = S::Selected;
    button.KeyDown(Key::Enter, host);
    EXPECT_EQ(host.clicks, 1);
    EXPECT_TRUE(host.paints.empty());
    button.KeyDown(Key::Other, host);
    button.KeyUp(Key::Other, host);
    button.KeyUp(Key::Enter, host);
    EXPECT_EQ(host.clicks, 1);
    EXPECT_TRUE(host.paints.empty());
}

TEST_F(command_button_state_test, losing_the_focus_with_space_held_clicks_nothing) {
    button.State = S::Selected;
    button.KeyDown(Key::Space, host);
    button.LostFocus(host);
    button.KeyUp(Key::Space, host);
    EXPECT_EQ(host.clicks, 0);
    EXPECT_EQ(host.PaintedImages(), (std::vector<FaceImage>{F::Pressed, F::Normal}));
}

TEST_F(command_button_state_test, keys_do_nothing_while_disabled) {
    button.Enabled = false;
    button.State = S::Selected;
    button.KeyDown(Key::Enter, host);
    button.KeyDown(Key::Space, host);
    button.KeyUp(Key::Space, host);
    EXPECT_EQ(host.clicks, 0);
    EXPECT_TRUE(host.paints.empty());
}

TEST(command_dialog_code_test, a_push_button_that_takes_enter_while_enabled) {
    EXPECT_EQ(CommandDialogCode(true, true, Key::Enter), (DialogCode{true, true}));
    EXPECT_EQ(CommandDialogCode(false, true, Key::Enter), (DialogCode{false, true}));
    EXPECT_EQ(CommandDialogCode(false, false, Key::Enter), (DialogCode{false, false}));
    EXPECT_EQ(CommandDialogCode(true, true, Key::Space), (DialogCode{true, false}));
    EXPECT_EQ(CommandDialogCode(false, true, Key::Other), (DialogCode{false, false}));
}

}  // namespace
}  // namespace nuvrel
