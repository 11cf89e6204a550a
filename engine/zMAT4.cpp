// The 4×4 matrix.
#include "zMAT4.h"

#include <cmath>
#include <utility>

#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

// Pivots this small beside the largest element are rounding left over from a
// singular matrix, not a real pivot.
const double kSingularPivot = 1e-12;

} // namespace

zMAT4 zMAT4::Inverse() const
{
    // In double: the elimination of a float matrix that is singular then reliably
    // leaves a zero (or near-zero) pivot instead of a rounding residue.
    double a[4][4];
    double inv[4][4];
    double largest = 0.0;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            a[row][col] = m[row][col];
            inv[row][col] = row == col ? 1.0 : 0.0;
            largest = std::fmax(largest, std::fabs(a[row][col]));
        }
    }

    for (int col = 0; col < 4; ++col) {
        int pivotRow = col;
        for (int row = col + 1; row < 4; ++row) {
            if (std::fabs(a[row][col]) > std::fabs(a[pivotRow][col]))
                pivotRow = row;
        }
        const double pivot = a[pivotRow][col];
        // Also catches NaN elements, which compare false.
        if (!(std::fabs(pivot) > kSingularPivot * largest)) {
            g_errorReporter.Report(zERR_WARNING, LoadResString(IDS_SINGULAR_MATRIX));
            return MakeIdentityMatrix();
        }
        if (pivotRow != col) {
            std::swap(a[pivotRow], a[col]);
            std::swap(inv[pivotRow], inv[col]);
        }
        const double scale = 1.0 / pivot;
        for (int k = 0; k < 4; ++k) {
            a[col][k] *= scale;
            inv[col][k] *= scale;
        }
        for (int row = 0; row < 4; ++row) {
            if (row == col)
                continue;
            const double factor = a[row][col];
            if (factor == 0.0)
                continue;
            for (int k = 0; k < 4; ++k) {
                a[row][k] -= factor * a[col][k];
                inv[row][k] -= factor * inv[col][k];
            }
        }
    }

    zMAT4 result;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col)
            result.m[row][col] = static_cast<float>(inv[row][col]);
    }
    return result;
}

zMAT4 operator*(const zMAT4& a, const zMAT4& b)
{
    zMAT4 result;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            result.m[row][col] = a.m[row][0] * b.m[0][col] + a.m[row][1] * b.m[1][col] + a.m[row][2] * b.m[2][col] +
                                 a.m[row][3] * b.m[3][col];
        }
    }
    return result;
}

zVEC3 operator*(const zMAT4& matrix, const zVEC3& point)
{
    const auto& m = matrix.m;
    return zVEC3(m[0][0] * point.x + m[0][1] * point.y + m[0][2] * point.z + m[0][3],
                 m[1][0] * point.x + m[1][1] * point.y + m[1][2] * point.z + m[1][3],
                 m[2][0] * point.x + m[2][1] * point.y + m[2][2] * point.z + m[2][3]);
}

zMAT4 MakeIdentityMatrix()
{
    zMAT4 result;
    for (int i = 0; i < 4; ++i)
        result.m[i][i] = 1.0f;
    return result;
}

zMAT4 MakeTranslationMatrix(const zVEC3& translation)
{
    zMAT4 result = MakeIdentityMatrix();
    result.m[0][3] = translation.x;
    result.m[1][3] = translation.y;
    result.m[2][3] = translation.z;
    return result;
}

zMAT4 MakeRotationMatrix(const zVEC3& axis, float angle)
{
    zVEC3 k = axis;
    k.Normalize();
    if (k == zVEC3())
        return MakeIdentityMatrix();

    const float c = std::cos(angle);
    const float s = std::sin(angle);
    const float t = 1.0f - c;
    zMAT4 result = MakeIdentityMatrix();
    result.m[0][0] = t * k.x * k.x + c;
    result.m[0][1] = t * k.x * k.y - s * k.z;
    result.m[0][2] = t * k.x * k.z + s * k.y;
    result.m[1][0] = t * k.x * k.y + s * k.z;
    result.m[1][1] = t * k.y * k.y + c;
    result.m[1][2] = t * k.y * k.z - s * k.x;
    result.m[2][0] = t * k.x * k.z - s * k.y;
    result.m[2][1] = t * k.y * k.z + s * k.x;
    result.m[2][2] = t * k.z * k.z + c;
    return result;
}

zMAT4 MakeScalingMatrix(const zVEC3& factors)
{
    zMAT4 result = MakeIdentityMatrix();
    result.m[0][0] = factors.x;
    result.m[1][1] = factors.y;
    result.m[2][2] = factors.z;
    return result;
}
