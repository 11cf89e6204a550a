// Comparisons of vectors within a tolerance, for the algebra and geometry tests.
#pragma once

#include <gtest/gtest.h>

#include "zVEC3.h"

const float kPi = 3.14159265f;

inline void ExpectNear(const zVEC3& actual, const zVEC3& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
