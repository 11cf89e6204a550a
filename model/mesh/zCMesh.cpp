// The editable mesh: its lists, growth, editing forms, normals and boxes.
#include "zCMesh.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <unordered_map>
#include <vector>

#include "ErrorBox.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCMaterial.h"
#include "zCPolygon.h"
#include "zERROR.h"

zCLASS_DEFINITION(zCMesh, zCVisual, 0, 0);

namespace {

// "zMesh: poly without material ! (%s)"

const std::size_t kVertStride = zPoolBlockSize(sizeof(zCVertex));
const std::size_t kFeatStride = zPoolBlockSize(sizeof(zCVertexFeature));

// A new pointer array of capacity slots holding the count old pointers.
template <class T>
T** GrowArray(T** old, int count, int capacity)
{
    T** grown = new T*[static_cast<std::size_t>(capacity)];
    for (int i = 0; i < count; ++i)
        grown[i] = old[i];
    delete[] old;
    return grown;
}

// For each vertex the polygons that use it, each once, in polygon order, in one
// flat list cut by vertex; each polygon corner knows its vertex's number in it.
class zTVertexUsers {
public:
    zTVertexUsers(zCPolygon* const* polys, int count, int vertexHint)
    {
        std::unordered_map<const zCVertex*, int> numbers;
        numbers.reserve(static_cast<std::size_t>(std::max(vertexHint, 0)));
        firstCorner.reserve(static_cast<std::size_t>(count) + 1);
        for (int p = 0; p < count; ++p) {
            firstCorner.push_back(static_cast<int>(cornerVertex.size()));
            for (int k = 0; k < polys[p]->numVert; ++k)
                cornerVertex.push_back(
                    numbers.try_emplace(polys[p]->vertex[k], static_cast<int>(numbers.size())).first->second);
        }
        firstCorner.push_back(static_cast<int>(cornerVertex.size()));
        const std::size_t vertices = numbers.size();
        // Counted, then filled: a polygon naming a vertex twice is listed there once.
        std::vector<int> lastPoly(vertices, -1);
        firstUser.assign(vertices + 1, 0);
        ForEachNewUser(lastPoly, [this](int vertex, int) { ++firstUser[static_cast<std::size_t>(vertex) + 1]; });
        for (std::size_t v = 0; v < vertices; ++v)
            firstUser[v + 1] += firstUser[v];
        users.resize(static_cast<std::size_t>(firstUser[vertices]));
        std::vector<int> next(firstUser.begin(), firstUser.end() - 1);
        lastPoly.assign(vertices, -1);
        ForEachNewUser(lastPoly, [&](int vertex, int p) { users[static_cast<std::size_t>(next[vertex]++)] = p; });
    }

    // The users of corner k of polygon p.
    const int* begin(int p, int k) const { return users.data() + firstUser[VertexOf(p, k)]; }
    const int* end(int p, int k) const { return users.data() + firstUser[VertexOf(p, k) + 1]; }

private:
    std::size_t VertexOf(int p, int k) const
    {
        return static_cast<std::size_t>(cornerVertex[static_cast<std::size_t>(firstCorner[p] + k)]);
    }

    template <class Visit>
    void ForEachNewUser(std::vector<int>& lastPoly, Visit visit) const
    {
        for (std::size_t p = 0; p + 1 < firstCorner.size(); ++p) {
            for (int c = firstCorner[p]; c < firstCorner[p + 1]; ++c) {
                const int vertex = cornerVertex[static_cast<std::size_t>(c)];
                if (lastPoly[static_cast<std::size_t>(vertex)] != static_cast<int>(p)) {
                    lastPoly[static_cast<std::size_t>(vertex)] = static_cast<int>(p);
                    visit(vertex, static_cast<int>(p));
                }
            }
        }
    }

    std::vector<int> firstCorner;
    std::vector<int> cornerVertex;
    std::vector<int> firstUser;
    std::vector<int> users;
};

} // namespace

zCMesh* zCMesh::s_meshRoot = nullptr;
int zCMesh::s_numMeshes = 0;

zCMesh::zCMesh()
{
    ++s_numMeshes;
    meshName = zSTRING("#") + zSTRING(s_numMeshes);
    next = s_meshRoot;
    if (s_meshRoot)
        s_meshRoot->prev = this;
    s_meshRoot = this;
    bbox3D.SetZero();
}

zCMesh::~zCMesh()
{
    DeleteAll();
    if (prev)
        prev->next = next;
    else
        s_meshRoot = next;
    if (next)
        next->prev = prev;
    --s_numMeshes;
}

zCVisual* zCMesh::LoadVisual(const zSTRING&)
{
    zNotFound("zCMesh::Load");
}

void zCMesh::AllocContiguous(int vertCount, int polyCount, int featCount)
{
    DeleteAll();
    vertCount = std::max(vertCount, 0);
    polyCount = std::max(polyCount, 0);
    featCount = std::max(featCount, 0);
    if (vertCount) {
        vertArray = new char[static_cast<std::size_t>(vertCount) * kVertStride];
        for (int i = 0; i < vertCount; ++i)
            new (vertArray + i * kVertStride) zCVertex();
    }
    if (polyCount) {
        polyArray = new char[static_cast<std::size_t>(polyCount) * zCPolygon::BlockSize()];
        for (int i = 0; i < polyCount; ++i)
            new (polyArray + i * zCPolygon::BlockSize()) zCPolygon();
    }
    if (featCount) {
        featArray = new char[static_cast<std::size_t>(featCount) * kFeatStride];
        for (int i = 0; i < featCount; ++i)
            new (featArray + i * kFeatStride) zCVertexFeature();
    }
    numVert = vertCount;
    numPoly = polyCount;
    numFeat = featCount;
}

zCVertex* zCMesh::ContiguousVertex(int index) const
{
    return vertArray && index >= 0 && index < numVert
               ? reinterpret_cast<zCVertex*>(vertArray + index * kVertStride)
               : nullptr;
}

zCPolygon* zCMesh::ContiguousPoly(int index) const
{
    return polyArray && index >= 0 && index < numPoly
               ? reinterpret_cast<zCPolygon*>(polyArray + index * zCPolygon::BlockSize())
               : nullptr;
}

zCVertexFeature* zCMesh::ContiguousFeature(int index) const
{
    return featArray && index >= 0 && index < numFeat
               ? reinterpret_cast<zCVertexFeature*>(featArray + index * kFeatStride)
               : nullptr;
}

void zCMesh::BuildListsFromArrays()
{
    if (!vertList && vertArray) {
        vertList = new zCVertex*[static_cast<std::size_t>(numVert)];
        for (int i = 0; i < numVert; ++i)
            vertList[i] = ContiguousVertex(i);
        vertCapacity = numVert;
    }
    if (!polyList && polyArray) {
        polyList = new zCPolygon*[static_cast<std::size_t>(numPoly)];
        for (int i = 0; i < numPoly; ++i)
            polyList[i] = ContiguousPoly(i);
        polyCapacity = numPoly;
    }
    if (!featList && featArray) {
        featList = new zCVertexFeature*[static_cast<std::size_t>(numFeat)];
        for (int i = 0; i < numFeat; ++i)
            featList[i] = ContiguousFeature(i);
    }
}

void zCMesh::PrepareForEditing()
{
    BuildListsFromArrays();
    // The pools take the blocks without freeing them, so that each element can be
    // given back alone from now on.
    if (vertArray)
        zCVertex::GetPool().AddMemory(vertArray, static_cast<std::uint32_t>(numVert), false);
    if (polyArray)
        zCPolygon::GetPool().AddMemory(polyArray, static_cast<std::uint32_t>(numPoly), false);
    if (featArray)
        zCVertexFeature::GetPool().AddMemory(featArray, static_cast<std::uint32_t>(numFeat), false);
    vertArray = nullptr;
    polyArray = nullptr;
    featArray = nullptr;
}

void zCMesh::UnshareFeatures()
{
    PrepareForEditing();
    if (!featList)
        return;
    for (int p = numPoly - 1; p >= 0; --p)
        polyList[p]->CopyFeaturesToOwnBlock();
    // The shared features are copied into their polygons: give them back.
    for (int i = 0; i < numFeat; ++i)
        delete featList[i];
    delete[] featList;
    featList = nullptr;
    numFeat = 0;
}

void zCMesh::GrowVertList(int n)
{
    PrepareForEditing();
    n = std::max(n, 1);
    vertList = GrowArray(vertList, numVert, vertCapacity + n);
    vertCapacity += n;
    zCVertex::GetPool().PreAlloc(static_cast<std::uint32_t>(n), 0);
}

void zCMesh::GrowPolyList(int n)
{
    PrepareForEditing();
    n = std::max(n, 1);
    polyList = GrowArray(polyList, numPoly, polyCapacity + n);
    polyCapacity += n;
    zCPolygon::GetPool().PreAlloc(static_cast<std::uint32_t>(n), 0);
}

zCVertex* zCMesh::AddVertex(const zVEC3& position)
{
    PrepareForEditing();
    if (numVert + 1 > vertCapacity)
        GrowVertList(std::max(1, numVert / 2));
    zCVertex* vertex = new zCVertex(position);
    vertList[numVert++] = vertex;
    return vertex;
}

zCPolygon* zCMesh::AddPoly(zCVertex* a, zCVertex* b, zCVertex* c)
{
    UnshareFeatures();
    if (numPoly + 1 > polyCapacity)
        GrowPolyList(numPoly / 2);
    zCPolygon* poly = new zCPolygon();
    poly->SetVertices(a, b, c);
    polyList[numPoly++] = poly;
    return poly;
}

void zCMesh::DeletePoly(int index)
{
    PrepareForEditing();
    if (index < 0 || index >= numPoly)
        return;
    zCPolygon* poly = polyList[index];
    for (int k = 0; k < poly->numVert; ++k) {
        zCVertex* vertex = poly->vertex[k];
        bool used = false;
        for (int p = 0; p < numPoly && !used; ++p)
            used = p != index && polyList[p]->VertexInPoly(vertex);
        if (used)
            continue;
        // Only a vertex of this mesh's list is freed, and only once: a polygon may
        // name a vertex twice.
        zCVertex** end = vertList + numVert;
        zCVertex** slot = std::find(vertList, end, vertex);
        if (slot == end)
            continue;
        *slot = vertList[--numVert];
        vertex->ReleaseTransform();
        delete vertex;
    }
    delete poly;
    for (int p = index; p + 1 < numPoly; ++p)
        polyList[p] = polyList[p + 1];
    --numPoly;
}

void zCMesh::DeleteDegeneratePolys()
{
    PrepareForEditing();
    int p = 0;
    while (p < numPoly) {
        if (polyList[p]->CalcNormal())
            ++p;
        else
            DeletePoly(p);
    }
}

void zCMesh::CalcNormals()
{
    PrepareForEditing();
    for (int p = 0; p < numPoly; ++p)
        polyList[p]->CalcNormal();
}

void zCMesh::CalcBBox3D(int fromVertices)
{
    UnshareFeatures();
    if (numVert == 0 || numPoly == 0) {
        bbox3D.mins = zVEC3(-0.1f);
        bbox3D.maxs = zVEC3(0.1f);
        return;
    }
    if (fromVertices) {
        bbox3D.Init();
        for (int v = 0; v < numVert; ++v)
            bbox3D.AddPoint(vertList[v]->position);
        return;
    }
    obbox3D.BuildTree(*this, 3);
    bbox3D = obbox3D.GetBBox3D();
}

void zCMesh::TransformVertices(const zMAT4& matrix, int recalc)
{
    PrepareForEditing();
    for (int v = 0; v < numVert; ++v)
        vertList[v]->position = matrix * vertList[v]->position;
    if (recalc) {
        CalcNormals();
        CalcBBox3D(0);
    }
}

void zCMesh::CalcVertexNormals(int mode, int spatial)
{
    UnshareFeatures();
    if (spatial != 0)
        zNotFound("zCPolygon::GetBBox3D");
    if (mode == zMESH_VERTNORMAL_FLAT) {
        for (int p = 0; p < numPoly; ++p) {
            for (int k = 0; k < polyList[p]->numVert; ++k)
                polyList[p]->feature[k]->normal = polyList[p]->polyPlane.normal;
        }
        return;
    }
    // The polygons at each vertex, in polygon order: the sums below add the same
    // normals in the same order as a walk over every polygon would.
    const zTVertexUsers users(polyList, numPoly, numVert);
    for (int p = 0; p < numPoly; ++p) {
        zCPolygon* poly = polyList[p];
        const zVEC3& own = poly->polyPlane.normal;
        zCMaterial* material = poly->material;
        for (int k = 0; k < poly->numVert; ++k) {
            zVEC3 normal = own;
            const bool smooth = material && material->HasFlag(zMAT_FLAG_SMOOTH);
            if (mode != zMESH_VERTNORMAL_SMOOTH || smooth) {
                for (const int *q = users.begin(p, k), *last = users.end(p, k); q != last; ++q) {
                    const zCPolygon* other = polyList[*q];
                    if (*q == p)
                        continue;
                    if (mode == zMESH_VERTNORMAL_SMOOTH) {
                        if (other->material != material)
                            continue;
                        const float limit = std::max(material->smoothAngle, other->material->smoothAngle);
                        const float d = DotProduct(other->polyPlane.normal, own);
                        const float angle = d > 1.0f ? 0.0f : d < -1.0f ? 3.14159265f : std::acos(d);
                        if (angle * 57.295776f >= limit)
                            continue;
                    }
                    normal += other->polyPlane.normal;
                }
            }
            if (mode != zMESH_VERTNORMAL_SMOOTH)
                normal.Normalize();
            else if (smooth && normal.Length2() == 0.0f)
                normal = own;
            else if (smooth)
                normal.Normalize();
            poly->feature[k]->normal = normal;
        }
    }
}

void zCMesh::CheckPolyMaterials()
{
    PrepareForEditing();
    for (int p = 0; p < numPoly; ++p) {
        const zCPolygon* poly = polyList[p];
        if (!(poly->flags & (zPOLY_FLAG_NO_MATERIAL_A | zPOLY_FLAG_NO_MATERIAL_B)) && !poly->material)
            g_errorReporter.Report(zERR_FATAL, FormatResString(IDS_POLY_WITHOUT_MATERIAL, meshName.c_str()));
    }
}

void zCMesh::ResetLightColors()
{
    for (int p = 0; p < numPoly; ++p) {
        zCPolygon* poly = polyArray ? ContiguousPoly(p) : (polyList ? polyList[p] : nullptr);
        if (!poly || !poly->feature)
            continue;
        for (int k = 0; k < poly->numVert; ++k) {
            if (poly->feature[k])
                poly->feature[k]->lightStat = zCOLOR(0, 0, 0, 255);
        }
    }
}

void zCMesh::FreeArrays()
{
    for (int p = 0; polyArray && p < numPoly; ++p)
        ContiguousPoly(p)->~zCPolygon();
    delete[] vertArray;
    delete[] polyArray;
    delete[] featArray;
    vertArray = nullptr;
    polyArray = nullptr;
    featArray = nullptr;
}

void zCMesh::DeleteAll()
{
    // Lists that only index a contiguous block own nothing of their own.
    if (vertArray) {
        delete[] vertList;
        vertList = nullptr;
    }
    if (polyArray) {
        delete[] polyList;
        polyList = nullptr;
    }
    if (featArray) {
        delete[] featList;
        featList = nullptr;
    }
    for (int p = 0; polyList && p < numPoly; ++p)
        delete polyList[p];
    for (int v = 0; vertList && v < numVert; ++v) {
        vertList[v]->ReleaseTransform();
        delete vertList[v];
    }
    for (int f = 0; featList && f < numFeat; ++f)
        delete featList[f];
    delete[] vertList;
    delete[] polyList;
    delete[] featList;
    vertList = nullptr;
    polyList = nullptr;
    featList = nullptr;
    FreeArrays();
    obbox3D.DeleteChildren();
    numVert = numPoly = numFeat = 0;
    vertCapacity = polyCapacity = 0;
}
