// Axis-aligned boxes.
#include "zTBBox3D.h"

#include <algorithm>
#include <cfloat>

#include "ErrorBox.h"
#include "zCBinChunkFile.h"

void zTBBox3D::Init()
{
    mins = zVEC3(FLT_MAX);
    maxs = zVEC3(-FLT_MAX);
}

void zTBBox3D::SetZero()
{
    mins = zVEC3();
    maxs = zVEC3();
}

void zTBBox3D::AddPoint(const zVEC3& point)
{
    for (int i = 0; i < 3; ++i) {
        mins[i] = std::min(mins[i], point[i]);
        maxs[i] = std::max(maxs[i], point[i]);
    }
}

void zTBBox3D::Merge(const zTBBox3D& other)
{
    for (int i = 0; i < 3; ++i) {
        mins[i] = std::min(mins[i], other.mins[i]);
        maxs[i] = std::max(maxs[i], other.maxs[i]);
    }
}

bool zTBBox3D::IsEmpty() const
{
    return mins.x > maxs.x || mins.y > maxs.y || mins.z > maxs.z;
}

zTBBox3D zTBBox3D::Transform(const zMAT4& matrix) const
{
    zTBBox3D result;
    // The ±FLT_MAX of an empty box would overflow into infinities and NaNs.
    if (IsEmpty()) {
        result.Init();
        return result;
    }
    for (int row = 0; row < 3; ++row) {
        result.mins[row] = result.maxs[row] = matrix.m[row][3];
        for (int col = 0; col < 3; ++col) {
            const float a = matrix.m[row][col] * mins[col];
            const float b = matrix.m[row][col] * maxs[col];
            result.mins[row] += std::min(a, b);
            result.maxs[row] += std::max(a, b);
        }
    }
    return result;
}

void zTBBox3D::Scale(float)
{
    zNotFound("zTBBox3D::Scale");
}

void zTBBox3D::WriteToChunkFile(zCBinChunkFile& file) const
{
    for (const zVEC3* v : {&mins, &maxs}) {
        file.WriteFloat(v->x);
        file.WriteFloat(v->y);
        file.WriteFloat(v->z);
    }
}

bool zTBBox3D::ReadFromChunkFile(zCBinChunkFile& file)
{
    float values[6];
    for (float& value : values) {
        if (!file.ReadFloat(value))
            return false;
    }
    mins = zVEC3(values[0], values[1], values[2]);
    maxs = zVEC3(values[3], values[4], values[5]);
    return true;
}
