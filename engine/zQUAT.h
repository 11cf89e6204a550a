// Rotation quaternions of the model tools.
//
// The vector part is the negated rotation axis: (x, y, z, w) = (-axis·sin(a/2), cos(a/2))
// stands for MakeRotationMatrix(axis, a). ToMatrix4, FromMatrix4 and ToAxisAngle all
// keep to it, so an axis and angle read from a model file come back unchanged.
#pragma once

#include "zMAT4.h"

class zQUAT {
public:
    zQUAT() = default;
    explicit zQUAT(float all) : x(all), y(all), z(all), w(all) {}
    zQUAT(float xValue, float yValue, float zValue, float wValue) : x(xValue), y(yValue), z(zValue), w(wValue) {}

    // To unit length; a zero quaternion stays zero.
    zQUAT& Normalize();
    // Writes the rotation into the 3×3 part; the rest of the matrix is left as it is.
    void ToMatrix4(zMAT4& matrix) const;
    // From the 3×3 part: the trace when it is positive, else the largest diagonal element.
    void FromMatrix4(const zMAT4& matrix);
    // angle 2·acos(w), axis -(x, y, z)/length; a zero vector part gives (0, 1, 0) and 0.
    void ToAxisAngle(zVEC3& axis, float& angle) const;

    // From a (t 0) to b (t 1) along the shorter arc; a and b closer than 0.001 radians
    // give a.
    static zQUAT Slerp(const zQUAT& a, const zQUAT& b, float t);

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;
};
