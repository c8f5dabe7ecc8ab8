#include "tools/sim/sim_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuvrel {
namespace {

std::optional<SimOptions> Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "nuvrel-sim");
    return ParseSimOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(sim_options_test, reads_seed_frames_and_dump_in_any_order) {
    const auto options = Parse({"--frames", "1000", "--dump", "--seed", "4294967295"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->seed, 4294967295u);
    EXPECT_EQ(options->frames, 1000);
    EXPECT_TRUE(options->dump);

    const auto summary = Parse({"--seed", "0", "--frames", "0"});
    ASSERT_TRUE(summary);
    EXPECT_FALSE(summary->dump);
}

TEST(sim_options_test, refuses_missing_or_bad_arguments) {
    EXPECT_FALSE(Parse({}));
    EXPECT_FALSE(Parse({"--seed", "1"}));
    EXPECT_FALSE(Parse({"--frames", "1"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames"}));
    EXPECT_FALSE(Parse({"--seed", "4294967296", "--frames", "1"}));
    EXPECT_FALSE(Parse({"--seed", "-1", "--frames", "1"}));
    EXPECT_FALSE(Parse({"--seed", "+1", "--frames", "1"}));
    EXPECT_FALSE(Parse({"--seed", "12x", "--frames", "1"}));
    EXPECT_FALSE(Parse({"--seed", "", "--frames", "1"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "1", "--seed", "2"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "1", "--verbose"}));
    EXPECT_FALSE(Parse({"--seed", "1", "--frames", "99999999999999999999"}));
}

}  // namespace
}  // namespace nuvrel
