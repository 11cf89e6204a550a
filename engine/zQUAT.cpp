// Rotation quaternions.
#include "zQUAT.h"

#include <cmath>

namespace {

const float kSlerpMinAngle = 0.001f;

float Dot(const zQUAT& a, const zQUAT& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}

} // namespace

zQUAT& zQUAT::Normalize()
{
    const float length2 = Dot(*this, *this);
    if (length2 > 0.0f) {
        const float scale = 1.0f / std::sqrt(length2);
        x *= scale;
        y *= scale;
        z *= scale;
        w *= scale;
    }
    return *this;
}

void zQUAT::ToMatrix4(zMAT4& matrix) const
{
    auto& m = matrix.m;
    m[0][0] = 1.0f - 2.0f * (y * y + z * z);
    m[0][1] = 2.0f * (x * y + w * z);
    m[0][2] = 2.0f * (x * z - w * y);
    m[1][0] = 2.0f * (x * y - w * z);
    m[1][1] = 1.0f - 2.0f * (x * x + z * z);
    m[1][2] = 2.0f * (y * z + w * x);
    m[2][0] = 2.0f * (x * z + w * y);
    m[2][1] = 2.0f * (y * z - w * x);
    m[2][2] = 1.0f - 2.0f * (x * x + y * y);
}

void zQUAT::FromMatrix4(const zMAT4& matrix)
{
    const auto& m = matrix.m;
    const float trace = m[0][0] + m[1][1] + m[2][2];
    // Each root below is at least 1 for any finite matrix, so nothing divides by zero.
    if (trace > 0.0f) {
        float s = std::sqrt(trace + 1.0f);
        w = 0.5f * s;
        s = 0.5f / s;
        x = (m[1][2] - m[2][1]) * s;
        y = (m[2][0] - m[0][2]) * s;
        z = (m[0][1] - m[1][0]) * s;
    } else if (m[0][0] >= m[1][1] && m[0][0] >= m[2][2]) {
        float s = std::sqrt(m[0][0] - m[1][1] - m[2][2] + 1.0f);
        x = 0.5f * s;
        s = 0.5f / s;
        y = (m[0][1] + m[1][0]) * s;
        z = (m[0][2] + m[2][0]) * s;
        w = (m[1][2] - m[2][1]) * s;
    } else if (m[1][1] >= m[2][2]) {
        float s = std::sqrt(m[1][1] - m[2][2] - m[0][0] + 1.0f);
        y = 0.5f * s;
        s = 0.5f / s;
        x = (m[0][1] + m[1][0]) * s;
        z = (m[1][2] + m[2][1]) * s;
        w = (m[2][0] - m[0][2]) * s;
    } else {
        float s = std::sqrt(m[2][2] - m[0][0] - m[1][1] + 1.0f);
        z = 0.5f * s;
        s = 0.5f / s;
        x = (m[2][0] + m[0][2]) * s;
        y = (m[1][2] + m[2][1]) * s;
        w = (m[0][1] - m[1][0]) * s;
    }
}

void zQUAT::ToAxisAngle(zVEC3& axis, float& angle) const
{
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length == 0.0f) {
        axis = zVEC3(0.0f, 1.0f, 0.0f);
        angle = 0.0f;
        return;
    }
    // A w a rounding step past 1 would make acos NaN.
    const float clampedW = std::fmax(-1.0f, std::fmin(1.0f, w));
    angle = 2.0f * std::acos(clampedW);
    axis = zVEC3(-x / length, -y / length, -z / length);
}

zQUAT zQUAT::Slerp(const zQUAT& a, const zQUAT& b, float t)
{
    // q and -q are the same rotation: with a negative dot product the arc runs from -a
    // to b, which is the shorter one. Taking acos of the negative dot and negating only
    // a's weight would leave the result off the unit sphere (by up to √3 halfway), and
    // a dot of -1 would divide by sin(pi).
    const float dot = Dot(a, b);
    const bool flip = dot < 0.0f;
    const float cosine = flip ? -dot : dot;
    const float angle = cosine >= 1.0f ? 0.0f : std::acos(cosine);
    if (std::fabs(angle) < kSlerpMinAngle)
        return a;

    const float s = 1.0f / std::sin(angle);
    float wa = std::sin((1.0f - t) * angle) * s;
    const float wb = std::sin(t * angle) * s;
    if (flip)
        wa = -wa;
    return zQUAT(wa * a.x + wb * b.x, wa * a.y + wb * b.y, wa * a.z + wb * b.z, wa * a.w + wb * b.w);
}
