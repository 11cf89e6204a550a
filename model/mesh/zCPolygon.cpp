// Polygons: their pooled storage, vertex growth, plane and classification.
#include "zCPolygon.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "ErrorBox.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCMaterial.h"
#include "zERROR.h"

namespace {

// "zPolygon: Degenerate Polygon, center at: %s"

// Vertex and feature pointer lists of triangles.
zCBlockPool& TriangleListPool()
{
    static zCBlockPool pool(static_cast<std::uint32_t>(3 * sizeof(void*)), 16384, 278528);
    return pool;
}

// The three features of a triangle in one block.
zCBlockPool& TriangleFeaturePool()
{
    static zCBlockPool pool(static_cast<std::uint32_t>(zPoolBlockSize(3 * sizeof(zCVertexFeature))), 4096, 4096);
    return pool;
}

} // namespace

zCBlockPool& zCPolygon::GetPool()
{
    static zCBlockPool pool(static_cast<std::uint32_t>(BlockSize()));
    return pool;
}

void* zCPolygon::operator new(std::size_t)
{
    return GetPool().Alloc();
}

void zCPolygon::operator delete(void* block) noexcept
{
    GetPool().Free(block);
}

zCPolygon::~zCPolygon()
{
    SetMaterial(nullptr);
    FreeLists();
}

zCVertex** zCPolygon::AllocVertexList(int n)
{
    if (n == 3)
        return static_cast<zCVertex**>(TriangleListPool().Alloc());
    return new zCVertex*[static_cast<std::size_t>(n)];
}

zCVertexFeature** zCPolygon::AllocFeatureList(int n)
{
    if (n == 3)
        return static_cast<zCVertexFeature**>(TriangleListPool().Alloc());
    return new zCVertexFeature*[static_cast<std::size_t>(n)];
}

void zCPolygon::FreePointerList(void* list, int n)
{
    if (!list)
        return;
    if (n == 3)
        TriangleListPool().Free(list);
    else
        delete[] static_cast<void**>(list);
}

zCVertexFeature* zCPolygon::AllocFeatureBlock(int n)
{
    if (n == 3) {
        void* block = TriangleFeaturePool().Alloc();
        return new (block) zCVertexFeature[3];
    }
    return new zCVertexFeature[static_cast<std::size_t>(n)];
}

void zCPolygon::FreeFeatureBlock(zCVertexFeature* block, int n)
{
    if (!block)
        return;
    if (n == 3)
        TriangleFeaturePool().Free(block);
    else
        delete[] block;
}

void zCPolygon::FreeLists()
{
    if (ownsFeatures && feature)
        FreeFeatureBlock(feature[0], numVert);
    FreePointerList(vertex, numVert);
    FreePointerList(feature, numVert);
    vertex = nullptr;
    feature = nullptr;
    ownsFeatures = false;
    numVert = 0;
}

void zCPolygon::GrowVerts(int k)
{
    if (k <= 0)
        return;
    const int oldCount = numVert;
    const int newCount = oldCount + k;
    if (newCount > 255)
        throw std::length_error("zCPolygon::GrowVerts: more than 255 vertices");
    zCVertex** newVertex = AllocVertexList(newCount);
    zCVertexFeature** newFeature = AllocFeatureList(newCount);
    zCVertexFeature* block = AllocFeatureBlock(newCount);
    for (int i = 0; i < newCount; ++i) {
        newVertex[i] = i < oldCount ? vertex[i] : nullptr;
        if (i < oldCount && feature && feature[i])
            block[i] = *feature[i];
        newFeature[i] = &block[i];
    }
    FreeLists();
    vertex = newVertex;
    feature = newFeature;
    numVert = static_cast<std::uint8_t>(newCount);
    ownsFeatures = true;
}

void zCPolygon::AllocPointerLists(int n)
{
    FreeLists();
    if (n <= 0)
        return;
    if (n > 255)
        throw std::length_error("zCPolygon::AllocPointerLists: more than 255 vertices");
    vertex = AllocVertexList(n);
    feature = AllocFeatureList(n);
    for (int i = 0; i < n; ++i) {
        vertex[i] = nullptr;
        feature[i] = nullptr;
    }
    numVert = static_cast<std::uint8_t>(n);
}

void zCPolygon::CopyFeaturesToOwnBlock()
{
    const int n = numVert;
    if (n == 0 || ownsFeatures)
        return;
    zCVertex** newVertex = AllocVertexList(n);
    zCVertexFeature** newFeature = AllocFeatureList(n);
    zCVertexFeature* block = AllocFeatureBlock(n);
    for (int i = 0; i < n; ++i) {
        newVertex[i] = vertex[i];
        if (feature[i])
            block[i] = *feature[i];
        newFeature[i] = &block[i];
    }
    FreeLists();
    vertex = newVertex;
    feature = newFeature;
    numVert = static_cast<std::uint8_t>(n);
    ownsFeatures = true;
}

int zCPolygon::SetVertices(zCVertex* a, zCVertex* b, zCVertex* c)
{
    if (numVert < 3)
        GrowVerts(3 - numVert);
    vertex[numVert - 3] = a;
    vertex[numVert - 2] = b;
    vertex[numVert - 1] = c;
    return CalcNormal();
}

int zCPolygon::CalcNormal()
{
    for (int i = 2; i < numVert; ++i) {
        const zVEC3& p0 = vertex[0]->position;
        const zVEC3& p1 = vertex[1]->position;
        const zVEC3& pi = vertex[i]->position;
        zVEC3 e1 = p1 - p0;
        zVEC3 e2 = pi - p1;
        if (e1 == zVEC3(0.0f) || e2 == zVEC3(0.0f))
            continue;
        e1 *= 1.0f / e1.Length();
        e2 *= 1.0f / e2.Length();
        if (e1.IsEqualEps(e2) || e1.IsEqualEps(-e2))
            continue;
        zVEC3 normal = CrossProduct(p0 - p1, pi - p1);
        normal.Normalize();
        polyPlane.normal = normal;
        polyPlane.distance = DotProduct(normal, p1);
        CalcDominantAxis();
        return 1;
    }
    g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_DEGENERATE_POLYGON, GetCenter().GetString().c_str()));
    polyPlane.distance = 0.0f;
    polyPlane.normal = zVEC3(1.0f, 0.0f, 0.0f);
    return 0;
}

void zCPolygon::CalcDominantAxis()
{
    const zVEC3& n = polyPlane.normal;
    dominantAxis = std::fabs(n.x) >= std::fabs(n.y) ? zAXIS_X : zAXIS_Y;
    const float chosen = dominantAxis == zAXIS_X ? std::fabs(n.x) : std::fabs(n.y);
    if (std::fabs(n.z) > chosen)
        dominantAxis = zAXIS_Z;
}

int zCPolygon::ClassifyPlane(const zTPlane3D& plane) const
{
    bool front = true;
    bool behind = true;
    bool on = true;
    for (int i = 0; i < numVert; ++i) {
        const int side = plane.ClassifyPoint(vertex[i]->position);
        if (side == zPLANE_INFRONT) {
            behind = false;
            on = false;
        } else if (side == zPLANE_BEHIND) {
            front = false;
            on = false;
        }
    }
    if (on)
        return zPLANE_ONPLANE;
    if (front)
        return zPLANE_INFRONT;
    if (behind)
        return zPLANE_BEHIND;
    return zPLANE_SPANNING;
}

zVEC3 zCPolygon::GetCenter() const
{
    zVEC3 sum;
    for (int i = 0; i < numVert; ++i)
        sum += vertex[i]->position;
    if (numVert > 0)
        sum *= 1.0f / static_cast<float>(numVert);
    return sum;
}

void zCPolygon::SetTexCoords(const zVEC2& a, const zVEC2& b, const zVEC2& c)
{
    if (numVert < 3 || !feature)
        return;
    feature[0]->texCoord = a;
    feature[1]->texCoord = b;
    feature[2]->texCoord = c;
}

int zCPolygon::VertexInPoly(const zCVertex* v) const
{
    for (int i = 0; i < numVert; ++i) {
        if (vertex[i] == v)
            return 1;
    }
    return 0;
}

void zCPolygon::SetMaterial(zCMaterial* newMaterial)
{
    if (newMaterial == material)
        return;
    if (newMaterial)
        newMaterial->AddRef();
    if (material)
        material->Release();
    material = newMaterial;
}

void zCPolygon::GetBBox3D() const
{
    zNotFound("zCPolygon::GetBBox3D");
}
