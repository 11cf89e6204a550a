// Single-precision vectors of the model tools and the geometry: two, three and four
// components, with the usual arithmetic.
#pragma once

#include "zSTRING.h"

class zVEC2 {
public:
    zVEC2() = default;
    explicit zVEC2(float all) : x(all), y(all) {}
    zVEC2(float xValue, float yValue) : x(xValue), y(yValue) {}

    // Words 1 and 2 of a blank-separated text; a missing word reads as 0.
    void SetByString(const zSTRING& text);
    // x, a blank and y, each with 8 digits.
    zSTRING GetString() const;

    float x = 0.0f;
    float y = 0.0f;
};

class zVEC3 {
public:
    zVEC3() = default;
    explicit zVEC3(float all) : x(all), y(all), z(all) {}
    zVEC3(float xValue, float yValue, float zValue) : x(xValue), y(yValue), z(zValue) {}

    // 0 x, 1 y, 2 z; any other index is std::out_of_range.
    float& operator[](int index);
    float operator[](int index) const;

    // The arithmetic is inline: the mesh code runs it for every corner.
    zVEC3& operator+=(const zVEC3& v)
    {
        x += v.x;
        y += v.y;
        z += v.z;
        return *this;
    }
    zVEC3& operator-=(const zVEC3& v)
    {
        x -= v.x;
        y -= v.y;
        z -= v.z;
        return *this;
    }
    zVEC3& operator*=(float factor)
    {
        x *= factor;
        y *= factor;
        z *= factor;
        return *this;
    }
    zVEC3 operator-() const { return zVEC3(-x, -y, -z); }

    // Exact, component by component.
    bool operator==(const zVEC3& v) const { return x == v.x && y == v.y && z == v.z; }
    bool operator!=(const zVEC3& v) const { return !(*this == v); }
    // Every component differs by less than 0.001.
    bool IsEqualEps(const zVEC3& v) const;

    float Length2() const { return x * x + y * y + z * z; }
    float Length() const;
    // Multiplies by 1/sqrt of the squared length. A zero vector has no direction and
    // stays zero rather than turning into NaNs.
    zVEC3& Normalize();

    // " (x, y, z) ", each float as printed with 20 digits (the string's 9 at most).
    zSTRING GetString() const;

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

inline zVEC3 operator+(const zVEC3& a, const zVEC3& b)
{
    return zVEC3(a.x + b.x, a.y + b.y, a.z + b.z);
}
inline zVEC3 operator-(const zVEC3& a, const zVEC3& b)
{
    return zVEC3(a.x - b.x, a.y - b.y, a.z - b.z);
}
inline zVEC3 operator*(const zVEC3& v, float factor)
{
    return zVEC3(v.x * factor, v.y * factor, v.z * factor);
}
inline zVEC3 operator*(float factor, const zVEC3& v)
{
    return v * factor;
}
inline float DotProduct(const zVEC3& a, const zVEC3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
// a × b, right-handed.
inline zVEC3 CrossProduct(const zVEC3& a, const zVEC3& b)
{
    return zVEC3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
zVEC3 MulComponents(const zVEC3& a, const zVEC3& b);

class zVEC4 {
public:
    zVEC4() = default;
    explicit zVEC4(float all) : x(all), y(all), z(all), w(all) {}
    zVEC4(float xValue, float yValue, float zValue, float wValue) : x(xValue), y(yValue), z(zValue), w(wValue) {}
    zVEC4(const zVEC3& v, float wValue) : x(v.x), y(v.y), z(v.z), w(wValue) {}

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};

// Clamps value into min..max in place.
void ClampInt(int& value, int min, int max);
