// The progressive-mesh builder: splits corners into wedges, simplifies a triangle
// mesh to nothing by edge collapses (cheapest vertex first) and lays out positions,
// wedges and triangles in collapse order with their level-of-detail tables.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "zTPlane3D.h"
#include "zVEC3.h"

// Build flags.
enum : int {
    zPM_BUILD_NO_SIMPLIFY = 1,     // orders stay as built, one LOD step, no wedge map
    zPM_BUILD_NO_PLANES = 2,
    zPM_BUILD_NO_NORMALS = 4,
    zPM_BUILD_AVERAGE_NORMALS = 8,  // the mesh's vertex normals by averaging, not by angle
    zPM_BUILD_KEEP_DEGENERATE = 16,
    zPM_BUILD_EDGES = 32,           // edges, triangle edges and edge scores
};

// The limits of the stored 16-bit and 8-bit fields.
constexpr int zPM_MAX_SUBMESHES = 31;
constexpr int zPM_MAX_INDEXED = 65535;   // wedges, triangles (65535 is "no wedge")
constexpr int zPM_MAX_ADDRESSED = 65536; // positions, planes, edges: any u16 value is an index

// One triangle of the builder's input: corner vertices, the corners' normals and
// texture coordinates, and the material's index in first-use order.
struct zTProgMeshSourceTriangle {
    int vertex[3] = {0, 0, 0};
    zVEC3 normal[3];
    zVEC2 texCoord[3];
    int material = 0;
};

struct zTProgMeshSource {
    std::vector<zVEC3> positions;
    std::vector<zTProgMeshSourceTriangle> triangles;
    int numMaterials = 0;
};

struct zTProgMeshBuiltWedge {
    zVEC3 normal;
    zVEC2 texCoord;
    int position = 0;
};

// One material's share of the result, with plain indices; -1 is "none" in the
// wedge map. The LOD steps are {triangle count, wedge count}.
struct zTProgMeshBuiltSubMesh {
    int material = 0;
    std::vector<std::array<int, 3>> triangles;
    std::vector<zTProgMeshBuiltWedge> wedges;
    std::vector<int> wedgeMap;
    std::vector<std::array<int, 2>> lodSteps;
    std::vector<int> trianglePlanes;
    std::vector<zTPlane3D> planes;
    std::vector<std::array<int, 3>> triangleEdges;
    std::vector<std::array<int, 2>> edges;
    std::vector<float> edgeScores;
};

struct zTProgMeshBuildResult {
    std::vector<zVEC3> positions;   // in collapse order
    std::vector<zVEC3> normals;     // one per position, or none
    std::vector<zTProgMeshBuiltSubMesh> subMeshes;
    std::vector<int> order;         // order[i]: the source vertex that became position i
};

class zCProgMeshBuilder {
public:
    // The whole build on plain data. A triangle that repeats a corner vertex is
    // reported and left out: it has no area, and collapsing a vertex onto itself
    // would leave corners on a vertex that is gone. Triangles naming vertices
    // outside the positions are left out too.
    static void Build(const zTProgMeshSource& source, int flags, zTProgMeshBuildResult& result);

    // The arithmetic both the builder and its checks share. Everything is worked in
    // double precision from the stored floats and stored as float again.

    // Corner texture coordinates match within 0.01, also after a wrap by 1.0.
    static bool TexCoordsMatch(const zVEC2& a, const zVEC2& b);
    // (p1 - p0) x (p2 - p1), normalized; a zero cross product stays zero.
    static zVEC3 FaceNormal(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2);
    // The plane of a triangle; false for a degenerate one, whose plane is
    // {0, normalized -p0} and is never shared.
    static bool TrianglePlane(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2, zTPlane3D& plane);
    // Distances closer than 0.1 and normals closer than a dot product of 0.95.
    static bool PlanesMatch(const zTPlane3D& plane, const zTPlane3D& existing);
    // How much an edge shows as a silhouette, from its positions and their normals.
    static float EdgeScore(const zVEC3& pa, const zVEC3& pb, const zVEC3& na, const zVEC3& nb);
    // A wedge normal this far from unit length is replaced.
    static bool IsUnitNormal(const zVEC3& normal);
};
