// The polygon record of meshes: vertex pointers in winding order, one feature per
// vertex, the plane and the material.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zCBlockPool.h"
#include "zCVertex.h"
#include "zTPlane3D.h"
#include "zVEC3.h"

class zCMaterial;

// Polygon flags.
enum : std::uint8_t {
    // Either bit marks a polygon that needs no material.
    zPOLY_FLAG_NO_MATERIAL_A = 1u << 0,
    zPOLY_FLAG_NO_MATERIAL_B = 1u << 1,
};

// Dominant axes of a polygon's normal.
enum zTAxis : std::uint8_t { zAXIS_X = 0, zAXIS_Y = 1, zAXIS_Z = 2 };

class zCPolygon {
public:
    zCPolygon() = default;
    // Releases the material and frees the pointer lists, and the features when the
    // polygon owns them (after GrowVerts or a mesh's UnshareFeatures).
    ~zCPolygon();
    zCPolygon(const zCPolygon&) = delete;
    zCPolygon& operator=(const zCPolygon&) = delete;

    // Polygons live in the polygon pool; a mesh's contiguous block of them is handed
    // to the same pool.
    static void* operator new(std::size_t size);
    static void operator delete(void* block) noexcept;
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}
    static zCBlockPool& GetPool();
    // The pool's block size, which is also the stride of a contiguous block.
    static std::size_t BlockSize() { return zPoolBlockSize(sizeof(zCPolygon)); }

    // Room for k more vertices: new pointer lists and a new feature block that the
    // polygon owns; the old features' values are kept, new ones are default features.
    void GrowVerts(int k);
    // Pointer lists for n vertices whose features belong to someone else (a mesh's
    // shared feature list): the loaded form of a mesh. Any old lists are freed first.
    void AllocPointerLists(int n);
    // The last three vertex pointers become a, b, c (growing to three vertices first);
    // returns CalcNormal().
    int SetVertices(zCVertex* a, zCVertex* b, zCVertex* c);
    // 1 with a valid plane; 0 for a degenerate polygon (warned, plane (1,0,0)/0).
    int CalcNormal();
    void CalcDominantAxis();
    // zPLANE_INFRONT, zPLANE_BEHIND, zPLANE_ONPLANE or zPLANE_SPANNING; a vertex on
    // the plane counts for every side. No vertices gives zPLANE_ONPLANE.
    int ClassifyPlane(const zTPlane3D& plane) const;
    zVEC3 GetCenter() const;
    void SetTexCoords(const zVEC2& a, const zVEC2& b, const zVEC2& c);
    int VertexInPoly(const zCVertex* v) const;
    // Takes a reference on the new material, releases the old one; null clears it.
    void SetMaterial(zCMaterial* newMaterial);
    zCMaterial* GetMaterial() const { return material; }
    const zVEC3& GetNormal() const { return polyPlane.normal; }
    const zTPlane3D& GetPlane() const { return polyPlane; }
    bool OwnsFeatures() const { return ownsFeatures; }
    // Makes the polygon own a copy of its current features (a mesh unsharing them).
    void CopyFeaturesToOwnBlock();

    // Not available: shows "zCPolygon::GetBBox3D not found" and ends the process.
    [[noreturn]] void GetBBox3D() const;

    zCVertex** vertex = nullptr;
    zTPlane3D polyPlane{0.0f, zVEC3(0.0f, 0.0f, 0.0f)};
    zCMaterial* material = nullptr;
    zCVertexFeature** feature = nullptr;
    std::uint8_t numVert = 0;
    std::uint8_t flags = 0;
    std::uint8_t dominantAxis = zAXIS_X;

private:
    // Pointer lists and feature blocks: triangles from their pools, others on the heap.
    static zCVertex** AllocVertexList(int n);
    static zCVertexFeature** AllocFeatureList(int n);
    static void FreePointerList(void* list, int n);
    static zCVertexFeature* AllocFeatureBlock(int n);
    static void FreeFeatureBlock(zCVertexFeature* block, int n);
    void FreeLists();

    // The feature block (feature[0]) is this polygon's own.
    bool ownsFeatures = false;
};
