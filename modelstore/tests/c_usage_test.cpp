#include <gtest/gtest.h>

#include "c_usage.h"

TEST(CHeader, ModelBuiltFromCPassesItsChecks) {
    EXPECT_EQ(kp_c_usage_checks(), 0);
}
