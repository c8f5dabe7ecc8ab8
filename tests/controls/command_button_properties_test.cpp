#include "frontend/controls/command_button_properties.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/controls/recording_host.h"

namespace nuvrel {
namespace {

using F = FaceImage;

Font DialogFont() {
    Font font;
    font.Name = u"Tahoma";
    font.Size = 8.25;
    font.Charset = 0;
    return font;
}

Font JapaneseBold() {
    Font font;
    font.Weight = 700;
    font.Size = 12;
    return font;
}

std::vector<std::string> KeysOf(const PropertyBag& store) {
    std::vector<std::string> keys;
    for (const auto& entry : store.Entries()) {
        keys.push_back(entry.first);
    }
    return keys;
}

class command_button_properties_test : public ::testing::Test {
  protected:
    void Read(const PropertyBag& store) { ReadProperties(button, store, DialogFont(), host); }
    PropertyBag Written() {
        PropertyBag store;
        WriteProperties(button, store, DialogFont(), host);
        return store;
    }

    CommandButton button;
    RecordingHost host{button};
};

TEST_F(command_button_properties_test, a_dialog_button_stores_only_caption_and_font) {
    PropertyBag store;
    store.Write("Caption", std::u16string(u"設定"));
    store.Write("Font", JapaneseBold());
    button.Label.TextColour = 0x123456;
    button.Background = BackgroundStyle::Transparent;
    Read(store);
    EXPECT_TRUE(button.Enabled);
    EXPECT_EQ(button.FirstRun, 1);
    EXPECT_EQ(button.Label.Caption, u"設定");
    EXPECT_EQ(*button.Label.TextFont, JapaneseBold());
    EXPECT_EQ(button.Label.TextColour, 0u);
    EXPECT_EQ(button.Background, BackgroundStyle::Opaque);
    EXPECT_TRUE(button.Label.Enabled);
    EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{F::Normal});
    EXPECT_TRUE(host.changed.empty());
}

TEST_F(command_button_properties_test, an_empty_store_gives_the_dialog_font_and_caption_command1) {
    Read(PropertyBag{});
    EXPECT_EQ(button.Label.Caption, u"Command1");
    EXPECT_EQ(*button.Label.TextFont, DialogFont());
    EXPECT_TRUE(button.Enabled);
}

TEST_F(command_button_properties_test, caption_command_is_not_stored_and_reads_back_as_command1) {
    Read(PropertyBag{});
    button.Label.Caption = u"Command";
    const PropertyBag saved = Written();
    EXPECT_FALSE(saved.Find("Caption").has_value());
    CommandButton restored;
    RecordingHost restoredHost{restored};
    ReadProperties(restored, saved, DialogFont(), restoredHost);
    EXPECT_EQ(restored.Label.Caption, u"Command1");
}

TEST_F(command_button_properties_test, values_equal_to_their_defaults_are_not_written) {
    Read(PropertyBag{});
    button.Label.Caption = u"Command";
    host.Clear();
    EXPECT_TRUE(Written().Entries().empty());
    EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{F::Normal}) << "saving resets the face";
}

TEST_F(command_button_properties_test, writes_every_changed_value_in_its_order) {
    button.Enabled = false;
    button.Label.Caption = u"参照...";
    button.FirstRun = 0;
    button.Label.TextFont = std::make_shared<Font>(JapaneseBold());
    button.Label.TextColour = 0x80000012;
    button.Background = BackgroundStyle::Transparent;
    const PropertyBag saved = Written();
    EXPECT_EQ(KeysOf(saved), (std::vector<std::string>{"Enabled", "Caption", "FirstRun", "Font",
                                                       "FontColour", "Visible"}));
    EXPECT_EQ(saved.Find("Enabled"), PropertyValue{false});
    EXPECT_EQ(saved.Find("Caption"), PropertyValue{std::u16string(u"参照...")});
    EXPECT_EQ(saved.Find("FirstRun"), PropertyValue{std::uint8_t{0}});
    EXPECT_EQ(saved.Find("Font"), PropertyValue{JapaneseBold()});
    EXPECT_EQ(saved.Find("FontColour"), PropertyValue{static_cast<std::int32_t>(0x80000012)});
    EXPECT_EQ(saved.Find("Visible"), PropertyValue{std::int16_t{0}});
    EXPECT_TRUE(host.paints.empty()) << "a disabled button's face is left alone";
}

TEST_F(command_button_properties_test, a_saved_button_reads_back_the_same) {
    button.Enabled = true;
    button.FirstRun = 1;
    button.Label.Caption = u"キャンセル";
    button.Label.TextFont = std::make_shared<Font>(JapaneseBold());
    button.Label.TextColour = 0x00FF00;
    button.Background = BackgroundStyle::Transparent;
    const PropertyBag saved = Written();
    CommandButton restored;
    RecordingHost restoredHost{restored};
    ReadProperties(restored, saved, DialogFont(), restoredHost);
    EXPECT_TRUE(restored.Enabled);
    EXPECT_EQ(restored.Label.Caption, u"キャンセル");
    EXPECT_EQ(*restored.Label.TextFont, JapaneseBold());
    EXPECT_EQ(restored.Label.TextColour, 0x00FF00u);
    EXPECT_EQ(restored.Background, BackgroundStyle::Transparent);
}

TEST_F(command_button_properties_test, saving_a_default_again_drops_its_old_value) {
    button.Enabled = false;
    button.Label.TextColour = 0x00FF00;
    PropertyBag store;
    WriteProperties(button, store, DialogFont(), host);
    button.Enabled = true;
    button.Label.TextColour = 0;
    WriteProperties(button, store, DialogFont(), host);
    EXPECT_FALSE(store.Find("Enabled").has_value());
    EXPECT_FALSE(store.Find("FontColour").has_value());
    CommandButton restored;
    RecordingHost restoredHost{restored};
    ReadProperties(restored, store, DialogFont(), restoredHost);
    EXPECT_TRUE(restored.Enabled);
    EXPECT_EQ(restored.Label.TextColour, 0u);
}

TEST_F(command_button_properties_test, a_button_stored_before_first_use_gets_a_black_caption) {
    PropertyBag store;
    store.Write("FirstRun", std::uint8_t{0});
    store.Write("FontColour", std::int32_t{0x0000FF});
    Read(store);
    EXPECT_EQ(button.Label.TextColour, 0u);
    EXPECT_EQ(button.FirstRun, 0);
}

TEST_F(command_button_properties_test, a_value_of_the_wrong_type_is_skipped_and_reading_goes_on) {
    PropertyBag store;
    store.Write("Enabled", JapaneseBold());
    store.Write("Caption", std::u16string(u"OK"));
    store.Write("Font", std::u16string(u"Arial"));
    store.Write("FirstRun", std::int32_t{300});
    store.Write("FontColour", std::u16string(u"red"));
    store.Write("Visible", std::int16_t{2});
    const std::shared_ptr<Font> before = button.Label.TextFont;
    button.Label.TextColour = 0x0000FF;
    button.Background = BackgroundStyle::Transparent;
    Read(store);
    EXPECT_FALSE(button.Enabled);
    EXPECT_EQ(button.Label.Caption, u"OK");
    EXPECT_EQ(button.Label.TextFont, before);
    EXPECT_EQ(button.FirstRun, 0);
    EXPECT_EQ(button.Label.TextColour, 0x0000FFu);
    EXPECT_EQ(button.Background, BackgroundStyle::Transparent);
    EXPECT_TRUE(host.paints.empty());
}

TEST_F(command_button_properties_test, stored_values_convert_between_number_types_and_text) {
    PropertyBag store;
    store.Write("Enabled", std::int16_t{-1});
    store.Write("Caption", std::int32_t{42});
    store.Write("FontColour", std::u16string(u"255"));
    store.Write("Visible", false);
    Read(store);
    EXPECT_TRUE(button.Enabled);
    EXPECT_EQ(button.Label.Caption, u"42");
    EXPECT_EQ(button.Label.TextColour, 255u);
    EXPECT_EQ(button.Background, BackgroundStyle::Transparent);
}

TEST_F(command_button_properties_test, a_new_button_is_disabled_until_enabled_is_first_read) {
    button.MouseMove(host);
    button.GotFocus(host);
    button.MouseUp(MouseButton::Left, host);
    EXPECT_EQ(button.State, ButtonState::Normal);
    EXPECT_EQ(host.clicks, 0);
    EXPECT_TRUE(host.paints.empty());

    EXPECT_TRUE(GetEnabled(button, host));
    EXPECT_EQ(button.FirstRun, 1);
    EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{F::Normal});
    button.MouseMove(host);
    EXPECT_EQ(button.State, ButtonState::HighLight);
}

TEST_F(command_button_properties_test, first_read_of_enabled_keeps_a_colour_set_before_it) {
    SetFontColour(button, 0x0000FF, host);
    GetEnabled(button, host);
    button.ResetFace(host);
    EXPECT_EQ(button.Label.TextColour, 0x0000FFu);
}

TEST_F(command_button_properties_test, reading_enabled_fontcolour_or_visible_repaints) {
    Read(PropertyBag{});
    host.Clear();
    EXPECT_TRUE(GetEnabled(button, host));
    EXPECT_EQ(GetFontColour(button, host), 0u);
    EXPECT_TRUE(GetVisible(button, host));
    EXPECT_EQ(host.PaintedImages(), (std::vector<FaceImage>{F::Normal, F::Normal, F::Normal}));
    EXPECT_EQ(GetCaption(button), u"Command1");
    GetFont(button);
    EXPECT_EQ(host.paints.size(), 3u);
    EXPECT_TRUE(host.changed.empty());
}

TEST_F(command_button_properties_test, reading_enabled_of_a_disabled_button_paints_disable) {
    Read(PropertyBag{});
    button.Enabled = false;
    host.Clear();
    EXPECT_FALSE(GetEnabled(button, host));
    EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{F::Disable});
    EXPECT_FALSE(button.Label.Enabled);
}

TEST_F(command_button_properties_test, reading_visible_of_a_transparent_button_repaints_nothing) {
    Read(PropertyBag{});
    button.Background = BackgroundStyle::Transparent;
    host.Clear();
    EXPECT_FALSE(GetVisible(button, host));
    EXPECT_TRUE(host.paints.empty());
}

TEST_F(command_button_properties_test, setting_fontcolour_on_a_disabled_button_repaints_nothing) {
    Read(PropertyBag{});
    SetEnabled(button, false, host);
    host.Clear();
    SetFontColour(button, 0xFF0000, host);
    EXPECT_EQ(button.Label.TextColour, 0xFF0000u);
    EXPECT_TRUE(host.paints.empty());
    EXPECT_EQ(host.changed, std::vector<std::string>{"FontColour"});
}

TEST_F(command_button_properties_test, setting_enabled_repaints_the_matching_look_and_keeps_state) {
    Read(PropertyBag{});
    button.MouseMove(host);
    host.Clear();
    SetEnabled(button, false, host);
    EXPECT_EQ(button.State, ButtonState::HighLight);
    EXPECT_FALSE(button.Label.Enabled);
    SetEnabled(button, true, host);
    EXPECT_EQ(host.PaintedImages(), (std::vector<FaceImage>{F::Disable, F::Normal}));
    EXPECT_EQ(host.changed, (std::vector<std::string>{"Enabled", "Enabled"}));
    EXPECT_TRUE(button.Label.Enabled);
}

TEST_F(command_button_properties_test, caption_and_font_change_the_label_without_a_repaint) {
    Read(PropertyBag{});
    host.Clear();
    SetCaption(button, u"ファイル", host);
    auto font = std::make_shared<Font>(JapaneseBold());
    SetFont(button, font, host);
    font->Italic = true;
    EXPECT_EQ(GetCaption(button), u"ファイル");
    EXPECT_EQ(GetFont(button), font) << "the label keeps the very font object it was given";
    EXPECT_TRUE(GetFont(button)->Italic);
    EXPECT_TRUE(host.paints.empty());
    EXPECT_EQ(host.changed, (std::vector<std::string>{"Caption", "Font"}));
}

TEST_F(command_button_properties_test, visible_switches_the_background_and_repaints_when_shown) {
    Read(PropertyBag{});
    host.Clear();
    SetVisible(button, false, host);
    EXPECT_EQ(button.Background, BackgroundStyle::Transparent);
    EXPECT_TRUE(host.paints.empty());
    SetVisible(button, true, host);
    EXPECT_EQ(button.Background, BackgroundStyle::Opaque);
    EXPECT_EQ(host.PaintedImages(), std::vector<FaceImage>{F::Normal});
    EXPECT_EQ(host.changed, (std::vector<std::string>{"Visible", "Visible"}));
}

TEST_F(command_button_properties_test, fontcolour_set_resets_the_face_and_marks_last) {
    Read(PropertyBag{});
    button.State = ButtonState::HighLight;
    host.Clear();
    SetFontColour(button, 0x00FF00, host);
    EXPECT_EQ(host.paints, (std::vector<FacePaint>{{F::Normal, true}}));
    EXPECT_EQ(host.changed, std::vector<std::string>{"FontColour"});
}

TEST(property_bag_test, writing_a_key_again_replaces_it_in_place) {
    PropertyBag store;
    store.Write("A", std::int16_t{1});
    store.Write("B", std::int16_t{2});
    store.Write("A", std::int16_t{3});
    EXPECT_EQ(KeysOf(store), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(store.Find("A"), PropertyValue{std::int16_t{3}});
    EXPECT_FALSE(store.Find("C").has_value());
}

}  // namespace
}  // namespace nuvrel
