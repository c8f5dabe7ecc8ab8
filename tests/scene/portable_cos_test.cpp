#include "renderer/scene/portable_cos.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nuvrel {
namespace {

TEST(portable_cos_test, matches_the_library_cosine_over_the_animation_range) {
    for (int i = -1000; i <= 70000; ++i) {
        const double x = i * 1e-4;
        ASSERT_NEAR(PortableCos(x), std::cos(x), 4e-16) << x;
    }
}

TEST(portable_cos_test, exact_at_the_quadrant_points) {
    EXPECT_EQ(PortableCos(0.0), 1.0);
    EXPECT_EQ(static_cast<float>(PortableCos(6.2831855f * 0.5f)), -1.0f);
    EXPECT_EQ(static_cast<float>(PortableCos(6.2831855f)), 1.0f);
    EXPECT_NEAR(PortableCos(1.5707963267948966), 0.0, 1e-16);
}

}  // namespace
}  // namespace nuvrel
