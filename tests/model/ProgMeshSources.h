// Generated builder inputs for the progressive-mesh tests: grids, height fields,
// tubes with a texture seam, several materials, loose vertices.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>

#include "zCProgMeshBuilder.h"

struct ProgMeshGridOptions {
    int columns = 4;            // vertices per row
    int rows = 4;
    int materials = 1;          // material of a quad: (x / 2 + y) % materials
    bool wrap = false;          // the last column joins the first (a tube), u runs 0..1 across the seam
    int looseVertices = 0;      // vertices without triangles, appended
    std::function<float(int, int)> height = [](int, int) { return 0.0f; };
};

inline zTProgMeshSource MakeProgMeshGrid(const ProgMeshGridOptions& o)
{
    zTProgMeshSource s;
    const int distinctColumns = o.wrap ? o.columns - 1 : o.columns;
    auto vertexAt = [&](int x, int y) { return y * distinctColumns + (x % distinctColumns); };
    auto positionAt = [&](int x, int y) {
        if (!o.wrap)
            return zVEC3(static_cast<float>(x), o.height(x, y), static_cast<float>(y));
        const double angle = 6.283185307179586 * x / distinctColumns;
        const float r = 4.0f + o.height(x % distinctColumns, y);
        return zVEC3(r * static_cast<float>(std::cos(angle)), static_cast<float>(y), r * static_cast<float>(std::sin(angle)));
    };
    for (int y = 0; y < o.rows; ++y)
        for (int x = 0; x < distinctColumns; ++x)
            s.positions.push_back(positionAt(x, y));
    auto corner = [&](zTProgMeshSourceTriangle& t, int k, int x, int y) {
        t.vertex[k] = vertexAt(x, y);
        t.texCoord[k] = zVEC2(static_cast<float>(x) / (o.columns - 1), static_cast<float>(y) / (o.rows - 1));
        // A rough vertex normal from the neighbours' heights; exact values do not matter.
        const zVEC3 p = positionAt(x, y);
        zVEC3 n(p.x * 0.01f - (o.height(x + 1, y) - o.height(x, y)), 1.0f, (o.height(x, y + 1) - o.height(x, y)));
        t.normal[k] = n.Normalize();
    };
    for (int y = 0; y + 1 < o.rows; ++y) {
        for (int x = 0; x + 1 < o.columns; ++x) {
            zTProgMeshSourceTriangle a;
            zTProgMeshSourceTriangle b;
            a.material = b.material = (x / 2 + y) % o.materials;
            corner(a, 0, x, y);
            corner(a, 1, x, y + 1);
            corner(a, 2, x + 1, y);
            corner(b, 0, x + 1, y);
            corner(b, 1, x, y + 1);
            corner(b, 2, x + 1, y + 1);
            s.triangles.push_back(a);
            s.triangles.push_back(b);
        }
    }
    for (int i = 0; i < o.looseVertices; ++i)
        s.positions.push_back(zVEC3(-5.0f - i, 1.0f, 0.5f * i));
    s.numMaterials = s.triangles.empty() ? 0 : o.materials;
    return s;
}

// A repeatable bumpy height field with flat stretches (equal costs) among slopes.
inline float ProgMeshBumps(int x, int y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    h = (h ^ (h >> 13)) * 0x5bd1e995u;
    h ^= h >> 15;
    return (h % 4u == 0u) ? 0.0f : static_cast<float>(h % 1000u) / 500.0f;
}
