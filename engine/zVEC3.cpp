// Single-precision vectors.
#include "zVEC3.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace {

const float kEqualEps = 0.001f;

} // namespace

void zVEC2::SetByString(const zSTRING& text)
{
    x = static_cast<float>(std::atof(text.PickWord(1, "").c_str()));
    y = static_cast<float>(std::atof(text.PickWord(2, "").c_str()));
}

zSTRING zVEC2::GetString() const
{
    return zSTRING(x, 8) + " " + zSTRING(y, 8);
}

float& zVEC3::operator[](int index)
{
    switch (index) {
    case 0: return x;
    case 1: return y;
    case 2: return z;
    default: throw std::out_of_range("zVEC3: component index " + std::to_string(index));
    }
}

float zVEC3::operator[](int index) const
{
    return const_cast<zVEC3&>(*this)[index];
}

bool zVEC3::IsEqualEps(const zVEC3& v) const
{
    return std::fabs(x - v.x) < kEqualEps && std::fabs(y - v.y) < kEqualEps && std::fabs(z - v.z) < kEqualEps;
}

float zVEC3::Length() const
{
    return std::sqrt(Length2());
}

zVEC3& zVEC3::Normalize()
{
    const float length2 = Length2();
    if (length2 > 0.0f)
        *this *= 1.0f / std::sqrt(length2);
    return *this;
}

zSTRING zVEC3::GetString() const
{
    return " (" + zSTRING(x, 20) + ", " + zSTRING(y, 20) + ", " + zSTRING(z, 20) + ") ";
}

zVEC3 MulComponents(const zVEC3& a, const zVEC3& b)
{
    return zVEC3(a.x * b.x, a.y * b.y, a.z * b.z);
}

void ClampInt(int& value, int min, int max)
{
    if (value < min)
        value = min;
    else if (value > max)
        value = max;
}
