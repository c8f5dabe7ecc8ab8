#include "frontend/startup/command_line.h"

#include <gtest/gtest.h>

namespace nuvrel {
namespace {

Road RoadOf(std::u16string_view arguments) {
    return ReadCommandLine(arguments).road;
}

TEST(command_line_test, only_the_second_character_counts_in_any_case) {
    for (const char16_t* run : {u"/s", u"/S", u"-s", u"xs", u"/s 123", u"/Sx"}) {
        EXPECT_EQ(RoadOf(run), Road::RunHidden);
    }
    for (const char16_t* settings : {u"/c", u"/C:1234", u"-c", u"/c 99"}) {
        EXPECT_EQ(RoadOf(settings), Road::Settings);
    }
    EXPECT_EQ(RoadOf(u""), Road::RunVisible);
    for (const char16_t* end : {u"s", u"/", u"/a", u"//s", u"/ s", u"garbage"}) {
        EXPECT_EQ(RoadOf(end), Road::End);
    }
}

TEST(command_line_test, preview_handle_starts_at_the_fourth_character) {
    EXPECT_EQ(ReadCommandLine(u"/p 1234").road, Road::Preview);
    EXPECT_EQ(ReadCommandLine(u"/p 1234").previewParent, 1234);
    EXPECT_EQ(ReadCommandLine(u"/P:1234").previewParent, 1234);
    EXPECT_EQ(ReadCommandLine(u"/p12345").previewParent, 2345);
    EXPECT_EQ(ReadCommandLine(u"/p").previewParent, 0);
    EXPECT_EQ(ReadCommandLine(u"/p ").previewParent, 0);
    EXPECT_EQ(ReadCommandLine(u"/p window").previewParent, 0);
}

TEST(command_line_test, number_prefix_reading) {
    EXPECT_EQ(ReadNumberPrefix(u" 1 2 3 "), 123);
    EXPECT_EQ(ReadNumberPrefix(u"&H1A"), 26);
    EXPECT_EQ(ReadNumberPrefix(u"&h ff"), 255);
    EXPECT_EQ(ReadNumberPrefix(u"&HFFFFFFFF"), -1);
    EXPECT_EQ(ReadNumberPrefix(u"&H1G2"), 1);
    EXPECT_EQ(ReadNumberPrefix(u"&H"), 0);
    EXPECT_EQ(ReadNumberPrefix(u"42abc"), 42);
    EXPECT_EQ(ReadNumberPrefix(u"-17"), -17);
    EXPECT_EQ(ReadNumberPrefix(u"2.5"), 2);
    EXPECT_EQ(ReadNumberPrefix(u"3.5"), 4);
    EXPECT_EQ(ReadNumberPrefix(u"1e3"), 1000);
    EXPECT_EQ(ReadNumberPrefix(u"12e"), 12);
    EXPECT_EQ(ReadNumberPrefix(u"1.2.3"), 1);
    EXPECT_EQ(ReadNumberPrefix(u""), 0);
    EXPECT_EQ(ReadNumberPrefix(u"abc"), 0);
    EXPECT_EQ(ReadNumberPrefix(u"2147483647"), 2147483647);
    EXPECT_EQ(ReadNumberPrefix(u"99999999999"), 0);
}

TEST(command_line_test, arguments_follow_the_program_name) {
    EXPECT_EQ(ArgumentsOf(u"\"C:\\Program Files\\Nuvrel.scr\" /s"), u"/s");
    EXPECT_EQ(ArgumentsOf(u"C:\\WINDOWS\\NUVREL~1.SCR /p 123"), u"/p 123");
    EXPECT_EQ(ArgumentsOf(u"Nuvrel.scr"), u"");
    EXPECT_EQ(ArgumentsOf(u"\"Nuvrel.scr\""), u"");
    EXPECT_EQ(ArgumentsOf(u"Nuvrel.scr   -c"), u"-c");
}

}  // namespace
}  // namespace nuvrel
