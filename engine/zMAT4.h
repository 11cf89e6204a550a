// The 4×4 single-precision matrix of the model tools: row-major, translation in the
// fourth column; a point is transformed as matrix × (x, y, z, 1).
#pragma once

#include "zVEC3.h"

class zMAT4 {
public:
    // All zero.
    zMAT4() = default;

    // Gauss-Jordan elimination with the largest pivot of each column. A singular
    // matrix reports "zAlgebra: singular matrix; can't invert" as a warning and gives
    // the identity, so that no NaNs or infinities reach the transforms built on it.
    zMAT4 Inverse() const;

    float m[4][4] = {};  // [row][column]
};

zMAT4 operator*(const zMAT4& a, const zMAT4& b);
// matrix × (x, y, z, 1); the fourth row is not applied.
zVEC3 operator*(const zMAT4& matrix, const zVEC3& point);

zMAT4 MakeIdentityMatrix();
zMAT4 MakeTranslationMatrix(const zVEC3& translation);
// About the axis (normalised first) by the angle in radians, counter-clockwise when
// the axis points at the viewer. A zero axis gives the identity.
zMAT4 MakeRotationMatrix(const zVEC3& axis, float angle);
zMAT4 MakeScalingMatrix(const zVEC3& factors);
