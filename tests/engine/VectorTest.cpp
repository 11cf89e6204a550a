// Vector algebra: vectors, 4×4 matrices with their inverse, and rotation quaternions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "ReporterCapture.h"
#include "VectorExpect.h"
#include "zMAT4.h"
#include "zQUAT.h"
#include "zVEC3.h"

namespace {


void ExpectNear(const zMAT4& actual, const zMAT4& expected, float tolerance = 1e-5f)
{
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col)
            EXPECT_NEAR(actual.m[row][col], expected.m[row][col], tolerance) << "at " << row << "," << col;
    }
}

bool AllFinite(const zMAT4& matrix)
{
    for (const auto& row : matrix.m) {
        for (float value : row) {
            if (!std::isfinite(value))
                return false;
        }
    }
    return true;
}

float Length(const zQUAT& q)
{
    return std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
}

TEST(Vector, Vec2ReadsAndWritesItsText)
{
    zVEC2 v;
    v.SetByString("1.5   -2 7");
    EXPECT_EQ(v.x, 1.5f);
    EXPECT_EQ(v.y, -2.0f);
    EXPECT_EQ(v.GetString(), "1.5 -2");
    EXPECT_EQ(zVEC2(1.0f / 3.0f, 0.0f).GetString(), "0.33333334 0");

    v.SetByString("4");  // no second word
    EXPECT_EQ(v.x, 4.0f);
    EXPECT_EQ(v.y, 0.0f);
}

TEST(Vector, Vec3Arithmetic)
{
    const zVEC3 a(1.0f, 2.0f, 3.0f);
    const zVEC3 b(4.0f, -5.0f, 6.0f);
    EXPECT_EQ(a + b, zVEC3(5.0f, -3.0f, 9.0f));
    EXPECT_EQ(a - b, zVEC3(-3.0f, 7.0f, -3.0f));
    EXPECT_EQ(a * 2.0f, zVEC3(2.0f, 4.0f, 6.0f));
    EXPECT_EQ(2.0f * a, a * 2.0f);
    EXPECT_EQ(-a, zVEC3(-1.0f, -2.0f, -3.0f));
    EXPECT_EQ(MulComponents(a, b), zVEC3(4.0f, -10.0f, 18.0f));
    EXPECT_EQ(DotProduct(a, b), 12.0f);
    EXPECT_EQ(zVEC3(2.0f), zVEC3(2.0f, 2.0f, 2.0f));

    zVEC3 c = a;
    c += b;
    c -= zVEC3(1.0f);
    c *= 0.5f;
    EXPECT_EQ(c, zVEC3(2.0f, -2.0f, 4.0f));

    // Right-handed, and the operand order matters.
    EXPECT_EQ(CrossProduct(zVEC3(1, 0, 0), zVEC3(0, 1, 0)), zVEC3(0, 0, 1));
    EXPECT_EQ(CrossProduct(zVEC3(0, 1, 0), zVEC3(1, 0, 0)), zVEC3(0, 0, -1));
    EXPECT_EQ(CrossProduct(a, b), zVEC3(27.0f, 6.0f, -13.0f));
}

TEST(Vector, Vec3EqualityExactAndWithinEps)
{
    const struct {
        zVEC3 other;
        bool eps;
    } cases[] = {
        {{0.0009f, 0.0f, 0.0f}, true},
        {{0.001f, 0.0f, 0.0f}, false},
        {{0.0f, -0.0009f, 0.0009f}, true},
        {{0.0f, 0.0f, -0.0011f}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zVEC3().IsEqualEps(c.other), c.eps) << c.other.GetString();
        EXPECT_EQ(c.other.IsEqualEps(zVEC3()), c.eps) << c.other.GetString();
        EXPECT_FALSE(zVEC3() == c.other);
    }
    EXPECT_TRUE(zVEC3(1, 2, 3) == zVEC3(1, 2, 3));
    EXPECT_FALSE(zVEC3(1, 2, 3) == zVEC3(1, 2, 3.0000005f));
}

TEST(Vector, Vec3NormalizeAndZeroVector)
{
    zVEC3 v(3.0f, 0.0f, -4.0f);
    v.Normalize();
    ExpectNear(v, zVEC3(0.6f, 0.0f, -0.8f), 1e-6f);
    EXPECT_NEAR(v.Length(), 1.0f, 1e-6f);

    zVEC3 zero;
    zero.Normalize();
    EXPECT_EQ(zero, zVEC3());  // not NaN
}

TEST(Vector, Vec3TextAndComponents)
{
    // 20 digits asked, the string's 9 given.
    EXPECT_EQ(zVEC3(1.0f, -2.5f, 0.1f).GetString(), " (1, -2.5, 0.100000001) ");

    zVEC3 v(1, 2, 3);
    v[2] = 7.0f;
    EXPECT_EQ(v[0] + v[1] + v[2], 10.0f);
    EXPECT_THROW(v[3], std::out_of_range);
}

TEST(Vector, Vec4FromVec3)
{
    const zVEC4 v(zVEC3(1, 2, 3), 4.0f);
    EXPECT_EQ(v.x, 1.0f);
    EXPECT_EQ(v.z, 3.0f);
    EXPECT_EQ(v.w, 4.0f);
    EXPECT_EQ(zVEC4(5.0f).w, 5.0f);
}

TEST(Vector, ClampIntInPlace)
{
    const int cases[][4] = {{-3, 0, 10, 0}, {5, 0, 10, 5}, {12, 0, 10, 10}, {0, 0, 0, 0}, {10, 0, 10, 10}};
    for (const auto& c : cases) {
        int value = c[0];
        ClampInt(value, c[1], c[2]);
        EXPECT_EQ(value, c[3]) << c[0];
    }
}

TEST(Matrix, MakersAndPointTransform)
{
    // Translation in the fourth column, applied after the scaling.
    const zMAT4 m = MakeTranslationMatrix(zVEC3(10, 20, 30)) * MakeScalingMatrix(zVEC3(2, 3, -1));
    EXPECT_EQ(m.m[0][3], 10.0f);
    EXPECT_EQ(m * zVEC3(1, 1, 1), zVEC3(12, 23, 29));
    EXPECT_EQ(MakeIdentityMatrix() * zVEC3(4, 5, 6), zVEC3(4, 5, 6));
    // The other order scales the translation too.
    EXPECT_EQ((MakeScalingMatrix(zVEC3(2, 3, -1)) * MakeTranslationMatrix(zVEC3(10, 20, 30))) * zVEC3(1, 1, 1),
              zVEC3(22, 63, -31));
}

TEST(Matrix, RotationAboutNormalisedAxis)
{
    // Counter-clockwise about z; the axis's length does not matter.
    ExpectNear(MakeRotationMatrix(zVEC3(0, 0, 5), kPi / 2) * zVEC3(1, 0, 0), zVEC3(0, 1, 0));
    ExpectNear(MakeRotationMatrix(zVEC3(1, 0, 0), kPi / 2) * zVEC3(0, 1, 0), zVEC3(0, 0, 1));
    ExpectNear(MakeRotationMatrix(zVEC3(0, 2, 0), kPi / 2) * zVEC3(0, 0, 1), zVEC3(1, 0, 0));
    // A third of a turn about the diagonal cycles the axes.
    ExpectNear(MakeRotationMatrix(zVEC3(1, 1, 1), 2 * kPi / 3) * zVEC3(1, 0, 0), zVEC3(0, 1, 0));
    EXPECT_EQ(MakeRotationMatrix(zVEC3(1, 1, 1), 1.0f).m[3][3], 1.0f);
    // A zero axis is no rotation rather than NaNs.
    ExpectNear(MakeRotationMatrix(zVEC3(), 1.0f), MakeIdentityMatrix(), 0.0f);
}

TEST(Matrix, InverseUndoesTheTransform)
{
    const zMAT4 cases[] = {
        MakeIdentityMatrix(),
        MakeTranslationMatrix(zVEC3(1, -2, 3)) * MakeRotationMatrix(zVEC3(1, 2, 3), 0.7f) *
            MakeScalingMatrix(zVEC3(2, 0.5f, -3)),
        // Needs a row exchange: the first pivot is 0.
        [] {
            zMAT4 m = MakeIdentityMatrix();
            m.m[0][0] = 0.0f;
            m.m[0][1] = 1.0f;
            m.m[1][0] = 1.0f;
            m.m[1][1] = 0.0f;
            m.m[2][3] = 5.0f;
            return m;
        }(),
    };
    for (const zMAT4& m : cases) {
        const zMAT4 inverse = m.Inverse();
        ExpectNear(m * inverse, MakeIdentityMatrix());
        ExpectNear(inverse * m, MakeIdentityMatrix());
    }
}

class MatrixSingular : public ReporterCapture {};

TEST_F(MatrixSingular, WarnsAndGivesTheIdentity)
{
    zMAT4 zeroRow = MakeTranslationMatrix(zVEC3(1, 2, 3));
    for (float& value : zeroRow.m[1])
        value = 0.0f;
    zMAT4 dependentRows = MakeIdentityMatrix();
    for (int col = 0; col < 4; ++col)
        dependentRows.m[2][col] = 2.0f * dependentRows.m[0][col] + dependentRows.m[1][col];
    const zMAT4 cases[] = {zeroRow, dependentRows, zMAT4()};

    for (const zMAT4& m : cases) {
        host.Clear();
        const zMAT4 inverse = m.Inverse();
        EXPECT_TRUE(AllFinite(inverse));
        ExpectNear(inverse, MakeIdentityMatrix(), 0.0f);
        EXPECT_EQ(Texts(), std::vector<std::string>{"Warning: zAlgebra: singular matrix; can't invert"});
        EXPECT_EQ(host.GetWarningCount(), 1);
    }
}

TEST(Quaternion, AxisAngleSurvivesTheRoundTripThroughTheMatrix)
{
    // Angles near a half turn reach each largest-diagonal branch of FromMatrix4.
    const struct {
        zVEC3 axis;
        float angle;
    } cases[] = {
        {{0, 0, 1}, 0.5f},  {{1, 2, 3}, 1.2f},   {{1, 0, 0}, 3.0f},
        {{0, 1, 0}, 3.0f},  {{0, 0, 1}, 3.0f},   {{-1, 1, 0.5f}, 2.5f},
    };
    for (const auto& c : cases) {
        const zMAT4 rotation = MakeRotationMatrix(c.axis, c.angle);
        zQUAT q;
        q.FromMatrix4(rotation);
        EXPECT_NEAR(Length(q), 1.0f, 1e-5f);

        // Near a half turn the largest-diagonal branches may give -q, whose axis and
        // angle are the opposite axis and 2·pi minus the angle: the same rotation.
        zVEC3 axis;
        float angle = 0.0f;
        q.ToAxisAngle(axis, angle);
        ExpectNear(MakeRotationMatrix(axis, angle), rotation, 1e-5f);
        if (q.w >= 0.0f) {
            zVEC3 expected = c.axis;
            expected.Normalize();
            ExpectNear(axis, expected, 1e-4f);
            EXPECT_NEAR(angle, c.angle, 1e-4f);
        }

        // Back into a matrix: only the 3×3 part is written.
        zMAT4 back = MakeTranslationMatrix(zVEC3(7, 8, 9));
        q.ToMatrix4(back);
        zMAT4 expectedBack = rotation;
        expectedBack.m[0][3] = 7.0f;
        expectedBack.m[1][3] = 8.0f;
        expectedBack.m[2][3] = 9.0f;
        ExpectNear(back, expectedBack, 1e-5f);
    }
}

TEST(Quaternion, AxisAngleOfNoRotation)
{
    zVEC3 axis;
    float angle = 1.0f;
    zQUAT(0, 0, 0, 1).ToAxisAngle(axis, angle);
    EXPECT_EQ(axis, zVEC3(0, 1, 0));
    EXPECT_EQ(angle, 0.0f);

    // A w a rounding step above 1 gives angle 0, not NaN.
    zQUAT(1e-6f, 0, 0, 1.0000001f).ToAxisAngle(axis, angle);
    EXPECT_EQ(angle, 0.0f);
    ExpectNear(axis, zVEC3(-1, 0, 0));
}

TEST(Quaternion, Normalize)
{
    zQUAT q(0, 3, 0, 4);
    q.Normalize();
    EXPECT_NEAR(q.y, 0.6f, 1e-6f);
    EXPECT_NEAR(q.w, 0.8f, 1e-6f);

    zQUAT zero;
    zero.Normalize();
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.w, 0.0f);
}

zQUAT QuatOf(const zVEC3& axis, float angle)
{
    zQUAT q;
    q.FromMatrix4(MakeRotationMatrix(axis, angle));
    return q;
}

// The same rotation: q and -q.
void ExpectSameRotation(const zQUAT& actual, const zQUAT& expected)
{
    const float dot = actual.x * expected.x + actual.y * expected.y + actual.z * expected.z + actual.w * expected.w;
    EXPECT_NEAR(std::fabs(dot), 1.0f, 1e-5f);
}

TEST(Quaternion, SlerpEqualQuaternionsGiveTheFirstUnchanged)
{
    const zQUAT a = QuatOf(zVEC3(1, 2, 3), 0.8f);
    const zQUAT b = a;
    for (float t : {0.0f, 0.3f, 1.0f}) {
        const zQUAT r = zQUAT::Slerp(a, b, t);
        EXPECT_EQ(std::memcmp(&r, &a, sizeof r), 0);
    }
}

TEST(Quaternion, SlerpFollowsTheArc)
{
    const zQUAT a = QuatOf(zVEC3(0, 0, 1), 0.0f);
    const zQUAT b = QuatOf(zVEC3(0, 0, 1), kPi / 2);
    ExpectSameRotation(zQUAT::Slerp(a, b, 0.0f), a);
    ExpectSameRotation(zQUAT::Slerp(a, b, 1.0f), b);
    for (float t : {0.25f, 0.5f, 0.9f}) {
        const zQUAT r = zQUAT::Slerp(a, b, t);
        EXPECT_NEAR(Length(r), 1.0f, 1e-5f);
        ExpectSameRotation(r, QuatOf(zVEC3(0, 0, 1), t * kPi / 2));
    }
}

// Fault mended: with a negative dot product the result left the unit sphere and a dot
// of -1 divided by sin(pi).
TEST(Quaternion, SlerpTakesTheShorterArcAndStaysUnit)
{
    const zQUAT a = QuatOf(zVEC3(0, 0, 1), 0.0f);
    zQUAT b = QuatOf(zVEC3(0, 0, 1), kPi / 3);
    b = zQUAT(-b.x, -b.y, -b.z, -b.w);  // the same rotation, the far hemisphere
    const zQUAT half = zQUAT::Slerp(a, b, 0.5f);
    EXPECT_NEAR(Length(half), 1.0f, 1e-5f);
    ExpectSameRotation(half, QuatOf(zVEC3(0, 0, 1), kPi / 6));

    const zQUAT opposite(-a.x, -a.y, -a.z, -a.w);
    const zQUAT r = zQUAT::Slerp(a, opposite, 0.5f);
    EXPECT_NEAR(Length(r), 1.0f, 1e-5f);
    ExpectSameRotation(r, a);
}

} // namespace
