// Axis-aligned boxes of the geometry (24 bytes in chunk files: mins, then maxs).
#pragma once

#include "zMAT4.h"
#include "zVEC3.h"

class zCBinChunkFile;

struct zTBBox3D {
    // Empty: mins +FLT_MAX, maxs -FLT_MAX, so that the first point or box sets both.
    void Init();
    void SetZero();
    void AddPoint(const zVEC3& point);
    // Extends the box to enclose the other one; an empty one changes nothing.
    void Merge(const zTBBox3D& other);
    // The box of this box under the matrix: its translation plus, per element, the
    // smaller and the larger of matrix × mins and matrix × maxs. An empty box stays empty.
    zTBBox3D Transform(const zMAT4& matrix) const;
    // A box that Init left without points, or whose mins lie above its maxs.
    bool IsEmpty() const;

    // Not available: shows "zTBBox3D::Scale not found" and ends the process.
    [[noreturn]] void Scale(float factor);

    void WriteToChunkFile(zCBinChunkFile& file) const;
    // False, with the box unchanged, when the file ends before the 24 bytes (the
    // chunk file reports it).
    bool ReadFromChunkFile(zCBinChunkFile& file);

    zVEC3 mins;
    zVEC3 maxs;
};
