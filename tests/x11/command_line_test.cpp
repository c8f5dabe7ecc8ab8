#include "renderer/x11/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvrel::x11 {
namespace {

CommandLine Parse(std::vector<const char*> arguments, const char* saverWindow = nullptr) {
    arguments.insert(arguments.begin(), "nuvrel");
    return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data(), saverWindow);
}

TEST(command_line_test, runs_in_its_own_window_by_default) {
    const CommandLine line = Parse({});
    ASSERT_EQ(line.outcome, Outcome::Run);
    EXPECT_EQ(line.options.target, Target::OwnWindow);
    EXPECT_EQ(line.options.delayMicroseconds, 0);
    EXPECT_FALSE(line.options.showFrameRate);
    EXPECT_FALSE(line.options.seed);
    EXPECT_EQ(line.options.frames, 0);
}

TEST(command_line_test, reads_every_option_with_one_or_two_dashes) {
    for (const char* dashes : {"-", "--"}) {
        const auto spelt = [dashes](const char* name) { return std::string(dashes) + name; };
        const std::vector<std::string> names = {"window-id", "delay",    "fps", "seed",
                                                "frames",    "snapshot", "size"};
        std::vector<std::string> words;
        for (const std::string& name : names) {
            words.push_back(spelt(name.c_str()));
        }
        const CommandLine line =
            Parse({words[0].c_str(), "0x1a00003", words[1].c_str(), "20000", words[2].c_str(),
                   words[3].c_str(), "4294967295", words[4].c_str(), "5", words[5].c_str(), "a.ppm",
                   words[6].c_str(), "64x48"});
        ASSERT_EQ(line.outcome, Outcome::Run) << dashes << ": " << line.error;
        EXPECT_EQ(line.options.target, Target::GivenWindow);
        EXPECT_EQ(line.options.windowId, 0x1a00003u);
        EXPECT_EQ(line.options.delayMicroseconds, 20000);
        EXPECT_TRUE(line.options.showFrameRate);
        EXPECT_EQ(line.options.seed, 4294967295u);
        EXPECT_EQ(line.options.frames, 5);
        EXPECT_EQ(line.options.snapshotPath, "a.ppm");
        EXPECT_EQ(line.options.width, 64);

        EXPECT_FALSE(line.options.uncapped);
        EXPECT_TRUE(Parse({spelt("uncapped").c_str()}).options.uncapped);

        EXPECT_EQ(Parse({spelt("root").c_str()}).options.target, Target::VirtualRoot);
        EXPECT_EQ(Parse({spelt("window").c_str()}, "0x400007").options.target, Target::OwnWindow);
        EXPECT_EQ(Parse({spelt("h").c_str()}).outcome, Outcome::Help);
        EXPECT_EQ(Parse({spelt("help").c_str()}).outcome, Outcome::Help);
    }
}

// How XScreenSaver's daemon and the configs it reads write a display mode's command line.
TEST(command_line_test, reads_the_daemons_double_dash_command_line) {
    const CommandLine line = Parse({"--root", "--delay", "30000", "--fps"}, "0x400007");
    ASSERT_EQ(line.outcome, Outcome::Run);
    EXPECT_EQ(line.options.target, Target::VirtualRoot);
    EXPECT_EQ(line.options.windowId, 0x400007u);
    EXPECT_EQ(line.options.delayMicroseconds, 30000);
    EXPECT_TRUE(line.options.showFrameRate);
}

// XScreenSaver's settings tool starts a preview as "MODE -root --window-id 0x...".
TEST(command_line_test, a_window_id_wins_over_root) {
    for (const std::vector<const char*>& arguments :
         {std::vector<const char*>{"-root", "--window-id", "0x400990"},
          {"--window-id", "0x400990", "--root"},
          {"-root", "-window-id", "4196752"}}) {
        const CommandLine line = Parse(arguments, "0x400007");
        ASSERT_EQ(line.outcome, Outcome::Run) << line.error;
        EXPECT_EQ(line.options.target, Target::GivenWindow);
        EXPECT_EQ(line.options.windowId, 0x400990u);
    }
}

TEST(command_line_test, help_asks_for_the_usage) {
    EXPECT_EQ(Parse({"-h"}).outcome, Outcome::Help);
    EXPECT_EQ(Parse({"--help"}).outcome, Outcome::Help);
    EXPECT_EQ(Parse({"-root", "-help"}).outcome, Outcome::Help);
}

TEST(command_line_test, version_asks_for_the_version) {
    EXPECT_EQ(Parse({"--version"}).outcome, Outcome::Version);
    EXPECT_EQ(Parse({"-version"}).outcome, Outcome::Version);
    EXPECT_NE(std::string(Usage).find("--version"), std::string::npos);
}

TEST(command_line_test, refuses_bad_options) {
    const std::vector<std::vector<const char*>> bad = {
        {"-x"},
        {"root"},
        {"-delay"},
        {"-delay", "-5"},
        {"-delay", "1.5"},
        {"-delay", "99999999999"},
        {"-window-id"},
        {"-window-id", "0"},
        {"-window-id", "0x"},
        {"-window-id", "0xZZ"},
        {"-window-id", "12ab"},
        {"-window-id", "-3"},
        {"-window-id", "0x100000000"},
        {"--seed", "4294967296"},
        {"--seed", "+1"},
        {"--seed"},
        {"-root", "-window"},
        {"--window", "--root"},
        {"-window-id", "5", "-window"},
        {"-window", "-window-id", "5"},
        {"-fps", "1"},
        {"--frames", "0"},
        {"--snapshot", "a.ppm"},
        {"--size", "640"},
        {"--size", "0x480"},
        {"--size", "640x"},
        {"---root"},
    };
    for (const auto& arguments : bad) {
        const CommandLine line = Parse(arguments);
        EXPECT_EQ(line.outcome, Outcome::Bad) << arguments[0];
        EXPECT_FALSE(line.error.empty()) << arguments[0];
    }
}

TEST(command_line_test, the_screen_savers_window_is_used_when_no_choice_is_given) {
    const CommandLine line = Parse({"-fps"}, "0x400007");
    ASSERT_EQ(line.outcome, Outcome::Run);
    EXPECT_EQ(line.options.target, Target::GivenWindow);
    EXPECT_EQ(line.options.windowId, 0x400007u);

    EXPECT_EQ(Parse({}, "4194311").options.windowId, 4194311u);
    EXPECT_EQ(Parse({}, "").options.target, Target::OwnWindow);
}

TEST(command_line_test, a_choice_on_the_command_line_beats_the_screen_savers_window) {
    EXPECT_EQ(Parse({"-window"}, "0x400007").options.target, Target::OwnWindow);
    const CommandLine given = Parse({"-window-id", "0x500001"}, "0x400007");
    EXPECT_EQ(given.options.windowId, 0x500001u);
}

// XScreenSaver starts its display modes with -root and names its own window, which covers
// the real root window, in XSCREENSAVER_WINDOW.
TEST(command_line_test, root_means_the_screen_savers_window_when_there_is_one) {
    const CommandLine saver = Parse({"-root"}, "0x400007");
    ASSERT_EQ(saver.outcome, Outcome::Run);
    EXPECT_EQ(saver.options.target, Target::VirtualRoot);
    EXPECT_EQ(saver.options.windowId, 0x400007u);

    EXPECT_EQ(Parse({"-root"}).options.windowId, 0u);
}

TEST(command_line_test, a_bad_screen_saver_window_is_refused_only_when_it_would_be_used) {
    EXPECT_EQ(Parse({}, "window").outcome, Outcome::Bad);
    EXPECT_EQ(Parse({"-root"}, "0x").outcome, Outcome::Bad);
    EXPECT_EQ(Parse({"-window"}, "window").outcome, Outcome::Run);
}

TEST(command_line_test, reads_the_test_options) {
    const CommandLine line =
        Parse({"--frames", "120", "--snapshot", "out.ppm", "--size", "1920x1080", "-window"});
    ASSERT_EQ(line.outcome, Outcome::Run);
    EXPECT_EQ(line.options.frames, 120);
    EXPECT_EQ(line.options.snapshotPath, "out.ppm");
    EXPECT_EQ(line.options.width, 1920);
    EXPECT_EQ(line.options.height, 1080);
}

TEST(command_line_test, window_ids_in_decimal_or_hexadecimal) {
    EXPECT_EQ(ParseWindowId("0x1A"), 26u);
    EXPECT_EQ(ParseWindowId("0X1a"), 26u);
    EXPECT_EQ(ParseWindowId("26"), 26u);
    EXPECT_EQ(ParseWindowId("0x1fffffff"), 0x1fffffffu);
    // Well formed though no X server gives out such an id: the server says it is no window.
    EXPECT_EQ(ParseWindowId("0xdeadbeef"), 0xdeadbeefu);
    EXPECT_EQ(ParseWindowId("4294967295"), 0xffffffffu);
    EXPECT_FALSE(ParseWindowId("0x100000000"));
    EXPECT_FALSE(ParseWindowId("4294967296"));
    EXPECT_FALSE(ParseWindowId(""));
    EXPECT_FALSE(ParseWindowId(nullptr));
    EXPECT_FALSE(ParseWindowId(" 26"));
    EXPECT_FALSE(ParseWindowId("0x 1"));
}

}  // namespace
}  // namespace nuvrel::x11
