#include "frontend/settings/dialog_rules.h"

#include <gtest/gtest.h>

namespace nuvrel {
namespace {

TEST(dialog_rules_test, track_list_starts_empty_then_one_to_thirty) {
    const auto entries = TrackEntries();
    EXPECT_EQ(entries.front(), u"");
    EXPECT_EQ(entries[1], u"1");
    EXPECT_EQ(entries.back(), u"30");
    EXPECT_EQ(FormatTrack(45), u"45");
    EXPECT_EQ(FormatTrack(-3), u"-3");
}

TEST(dialog_rules_test, track_from_the_typed_text) {
    EXPECT_EQ(TrackFromText(u"2.5"), 2);
    EXPECT_EQ(TrackFromText(u"3.5"), 4);
    EXPECT_EQ(TrackFromText(u"45"), 45);
    EXPECT_EQ(TrackFromText(u" 7 "), 7);
    EXPECT_EQ(TrackFromText(u"abc"), 0);
    EXPECT_EQ(TrackFromText(u""), 0);
    EXPECT_EQ(TrackFromText(u"-2"), -2);
    EXPECT_EQ(TrackFromText(u"40000"), 0);
}

TEST(dialog_rules_test, each_kind_turns_on_its_own_controls) {
    const KindControls none = ControlsForKind(0);
    EXPECT_EQ(none.radioOn, (std::array<bool, 3>{true, false, false}));
    EXPECT_FALSE(none.repeatEnabled);
    EXPECT_FALSE(none.fileEnabled);
    const KindControls cd = ControlsForKind(1);
    EXPECT_EQ(cd.radioOn, (std::array<bool, 3>{false, true, false}));
    EXPECT_TRUE(cd.repeatEnabled);
    EXPECT_FALSE(cd.fileEnabled);
    const KindControls file = ControlsForKind(2);
    EXPECT_EQ(file.radioOn, (std::array<bool, 3>{false, false, true}));
    EXPECT_TRUE(file.fileEnabled);
    for (std::int16_t odd : {-1, 3, 7}) {
        const KindControls other = ControlsForKind(odd);
        EXPECT_EQ(other.radioOn, (std::array<bool, 3>{}));
        EXPECT_FALSE(other.repeatEnabled || other.fileEnabled);
    }
}

TEST(dialog_rules_test, arrows_move_round_the_kinds_in_the_order_shown) {
    // CD above none above file.
    EXPECT_EQ(KindAfterArrow(1, Arrow::Down), 0);
    EXPECT_EQ(KindAfterArrow(0, Arrow::Right), 2);
    EXPECT_EQ(KindAfterArrow(2, Arrow::Down), 1);
    EXPECT_EQ(KindAfterArrow(1, Arrow::Up), 2);
    EXPECT_EQ(KindAfterArrow(0, Arrow::Left), 1);
    EXPECT_EQ(KindAfterArrow(2, Arrow::Up), 0);
}

TEST(dialog_rules_test, the_group_stops_tab_at_the_chosen_kind_or_the_first_shown) {
    EXPECT_EQ(TabStopKind(0), 0);
    EXPECT_EQ(TabStopKind(2), 2);
    EXPECT_EQ(TabStopKind(7), 1);
    EXPECT_EQ(TabStopKind(-1), 1);
}

TEST(dialog_rules_test, tab_order_reads_rows_from_the_top_and_each_row_from_the_left) {
    // The settings dialog in twips: the Set and Cancel buttons, the file button, the track box
    // a little above the CD radio button beside it.
    const std::vector<Box> boxes{{4860, 3000, 1155, 375},
                                 {6060, 3000, 1155, 375},
                                 {600, 1980, 615, 315},
                                 {1860, 1020, 615, 300},
                                 {600, 1080, 1125, 195}};
    EXPECT_EQ(ReadingOrder(boxes), (std::vector<std::size_t>{4, 3, 2, 0, 1}));
    EXPECT_EQ(ReadingOrder({}), std::vector<std::size_t>{});
}

TEST(dialog_rules_test, shade_is_dark_at_the_edges_and_light_in_the_middle) {
    const double height = 3690;
    const ShadeColour top = ShadeAt(0, height);
    EXPECT_EQ(top.red, 0);
    EXPECT_EQ(top.blue, 30);
    const ShadeColour middle = ShadeAt(height / 2, height);
    EXPECT_EQ(middle.red, 220);
    EXPECT_EQ(middle.blue, 250);
    EXPECT_LE(ShadeAt(height, height).red, 1);
}

TEST(dialog_rules_test, twips_to_pixels) {
    EXPECT_EQ(PixelsOf(7440, 96), 496);
    EXPECT_EQ(PixelsOf(195, 96), 13);
    EXPECT_EQ(PixelsOf(1440, 120), 120);
    // The dialog's client area at 144 and 192 dpi.
    EXPECT_EQ(PixelsOf(7440, 144), 744);
    EXPECT_EQ(PixelsOf(3690, 144), 369);
    EXPECT_EQ(PixelsOf(7440, 192), 992);
    EXPECT_EQ(PixelsOf(3690, 192), 492);
    EXPECT_EQ(PixelsOf(195, 144), 20) << "19.5 rounds up";
}

}  // namespace
}  // namespace nuvrel
