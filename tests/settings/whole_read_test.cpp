#include "frontend/settings/whole_read.h"

#include <gtest/gtest.h>

#include <vector>

namespace nuvrel {
namespace {

// Reads that give these results one after the other: a byte count, or none for a failure.
struct ScriptedReads {
    std::vector<std::optional<std::size_t>> results;
    std::size_t next = 0;
    std::optional<std::size_t> operator()(char* buffer, std::size_t count) {
        const auto result = next < results.size() ? results[next++] : std::optional<std::size_t>(0);
        if (result) {
            std::fill_n(buffer, std::min(*result, count), 'x');
        }
        return result;
    }
};

TEST(whole_read_test, reads_in_pieces_until_the_size) {
    EXPECT_EQ(ReadWhole(5, ScriptedReads{{2, 3}}), "xxxxx");
    EXPECT_EQ(ReadWhole(0, ScriptedReads{}), "");
}

TEST(whole_read_test, a_failed_read_is_no_content_not_the_end_of_the_file) {
    // A locked range or a network error after the first piece.
    EXPECT_EQ(ReadWhole(5, ScriptedReads{{2, std::nullopt}}), std::nullopt);
    EXPECT_EQ(ReadWhole(5, ScriptedReads{{std::nullopt}}), std::nullopt);
}

TEST(whole_read_test, fewer_bytes_than_the_size_are_no_content) {
    EXPECT_EQ(ReadWhole(5, ScriptedReads{{2, 0}}), std::nullopt);
    EXPECT_EQ(ReadWhole(5, ScriptedReads{{6}}), std::nullopt);
}

TEST(whole_read_test, a_file_that_grows_while_it_is_read_is_no_content) {
    EXPECT_EQ(ReadWhole(5, ScriptedReads{{5, 1}}), std::nullopt);
    EXPECT_EQ(ReadWhole(0, ScriptedReads{{1}}), std::nullopt);
}

}  // namespace
}  // namespace nuvrel
