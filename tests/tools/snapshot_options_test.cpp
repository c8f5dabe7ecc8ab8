#include "tools/snapshot/snapshot_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuvrel {
namespace {

std::optional<SnapshotOptions> Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "scene_snapshot");
    return ParseSnapshotOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(snapshot_options_test, reads_every_option_in_any_order) {
    const auto options = Parse({"--out", "a.ppm", "--size", "320x200", "--view", "top", "--frames",
                                "600", "--state", "s.txt", "--seed", "4294967295"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 4294967295u);
    EXPECT_EQ(options->frames, 600);
    EXPECT_EQ(options->width, 320);
    EXPECT_EQ(options->height, 200);
    EXPECT_EQ(options->picturePath, "a.ppm");
    EXPECT_EQ(options->statePath, "s.txt");
    EXPECT_EQ(options->viewOverride, View::Top);

    const auto plain = Parse({"--seed", "0", "--frames", "1", "--size", "1x1", "--out", "b"});
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->viewOverride);
    EXPECT_TRUE(plain->statePath.empty());
    EXPECT_EQ(
        Parse({"--seed", "0", "--frames", "1", "--size", "1x1", "--out", "b", "--view", "side"})
            ->viewOverride,
        View::Side);
}

TEST(snapshot_options_test, state_alone_needs_no_frame_and_a_picture_needs_one) {
    EXPECT_TRUE(Parse({"--seed", "1", "--frames", "0", "--size", "8x8", "--state", "s"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "0", "--size", "8x8", "--out", "p"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "5", "--size", "8x8"}));
}

TEST(snapshot_options_test, refuses_missing_repeated_or_malformed_values) {
    EXPECT_FALSE(Parse({}));
    EXPECT_FALSE(Parse({"--frames", "1", "--size", "8x8", "--out", "p"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--size", "8x8", "--out", "p"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "1", "--out", "p"}));
    EXPECT_FALSE(
        Parse({"--seed", "1", "--seed", "2", "--frames", "1", "--size", "8x8", "--out", "p"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "1", "--size", "8x8", "--out"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "1", "--size", "8x8", "--out", ""}));
    EXPECT_FALSE(Parse({"--seed", "4294967296", "--frames", "1", "--size", "8x8", "--out", "p"}));
    EXPECT_FALSE(Parse({"--seed", "-1", "--frames", "1", "--size", "8x8", "--out", "p"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "2147483648", "--size", "8x8", "--out", "p"}));
    EXPECT_FALSE(
        Parse({"--seed", "1", "--frames", "1", "--size", "8x8", "--out", "p", "--view", "Top"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "1", "--size", "8x8", "--out", "p", "-v"}));
    for (const char* size : {"320", "320x", "x200", "0x200", "320x0", "320x200x", "320X200", "+3x2",
                             "3x-2", "9000x10", "320 x200"}) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(Parse({"--seed", "1", "--frames", "1", "--size", size, "--out", "p"}));
    }
}

}  // namespace
}  // namespace nuvrel
