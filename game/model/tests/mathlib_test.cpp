#include <gtest/gtest.h>
#include "model/mathlib.h"
TEST(Placeholder, Builds) {}
