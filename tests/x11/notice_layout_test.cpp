#include "renderer/x11/notice_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvrel::x11 {
namespace {

// A fixed-width font: 6 pixels a character, 10 above the baseline and 3 below.
const NoticeFont Fixed{10, 3,
                       [](std::string_view text) { return static_cast<int>(text.size()) * 6; }};

std::vector<std::string> Texts(const std::vector<NoticeLine>& lines) {
    std::vector<std::string> texts;
    for (const NoticeLine& line : lines) {
        texts.push_back(line.text);
    }
    return texts;
}

TEST(notice_layout_test, a_short_text_is_one_line_in_the_middle) {
    const auto lines = LayOutNotice("no  OpenGL", 200, 100, Fixed);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "no OpenGL");
    EXPECT_EQ(lines[0].x, (200 - 9 * 6) / 2);
    EXPECT_EQ(lines[0].baseline, (100 - 13) / 2 + 10);
}

TEST(notice_layout_test, words_wrap_to_the_windows_width) {
    const auto lines = LayOutNotice("Nuvrel cannot draw here: no GLX.", 60, 100, Fixed);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::string>{"Nuvrel", "cannot", "draw here:", "no GLX."}));
    for (const NoticeLine& line : lines) {
        EXPECT_LE(line.x + Fixed.width(line.text), 60) << line.text;
    }
    EXPECT_EQ(lines[2].x, 0);
    EXPECT_EQ(lines[0].x, (60 - 36) / 2);
    // Lines one under the other, the block centred down.
    EXPECT_EQ(lines[0].baseline, (100 - 4 * 13) / 2 + 10);
    EXPECT_EQ(lines[3].baseline, lines[0].baseline + 3 * 13);
}

TEST(notice_layout_test, a_word_wider_than_the_window_starts_at_its_left_edge) {
    const auto lines = LayOutNotice("a 0x1fffffff b", 30, 100, Fixed);
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"a", "0x1fffffff", "b"}));
    EXPECT_EQ(lines[1].x, 0);
}

TEST(notice_layout_test, a_window_too_low_for_the_text_shows_its_beginning) {
    const auto lines = LayOutNotice("one two three four", 24, 20, Fixed);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].baseline, 10);
}

TEST(notice_layout_test, no_words_no_lines) {
    EXPECT_TRUE(LayOutNotice("   ", 100, 100, Fixed).empty());
}

}  // namespace
}  // namespace nuvrel::x11
