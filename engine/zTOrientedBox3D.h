// Oriented boxes and the tree of them that chunked model files carry for a mesh.
//
// In a chunk file a box is its center (12 bytes), three axes (36), extents (12), a u16
// child count and then each child the same way, depth first: 62 bytes a box.
#pragma once

#include <memory>
#include <vector>

#include "zMAT4.h"
#include "zTBBox3D.h"
#include "zTPlane3D.h"
#include "zVEC3.h"

class zCBinChunkFile;

class zTOrientedBox3D {
public:
    // All zero (axes too), no children.
    zTOrientedBox3D() = default;
    // Deep copies with the child tree.
    zTOrientedBox3D(const zTOrientedBox3D& other);
    zTOrientedBox3D& operator=(const zTOrientedBox3D& other);
    zTOrientedBox3D(zTOrientedBox3D&& other) noexcept = default;
    zTOrientedBox3D& operator=(zTOrientedBox3D&& other) noexcept;
    ~zTOrientedBox3D();

    // The whole tree below this box. Tree walks here keep their own stacks: a
    // damaged file can nest boxes as deep as its bytes allow.
    void DeleteChildren();
    int GetNumChildren() const { return static_cast<int>(children.size()); }
    zTOrientedBox3D& GetChild(int index) { return *children.at(static_cast<std::size_t>(index)); }
    const zTOrientedBox3D& GetChild(int index) const { return *children.at(static_cast<std::size_t>(index)); }
    // A new all-zero child at the end of the list.
    zTOrientedBox3D& AddChild();

    // The axis-aligned box of the eight corners.
    zTBBox3D GetBBox3D() const;
    // Center the box's middle, identity axes, half the sizes as extents; an empty box
    // gives a zero box at the origin.
    void SetByBBox3D(const zTBBox3D& box);
    // Axes by the matrix's 3×3 part, centers by the whole matrix, for the whole tree,
    // so that the children stay inside their parent.
    void Transform(const zMAT4& matrix);

    // At most 65535 children of a box are written, the count's limit.
    void WriteToChunkFile(zCBinChunkFile& file) const;
    // Creates the children. False, with the box unchanged, when the file ends inside
    // the tree (the chunk file reports it).
    bool ReadFromChunkFile(zCBinChunkFile& file);

    // Fits the tree to a mesh's polygons: prepares the mesh, then builds from its
    // polygon list. Depth 1 is a single box; below that every box that can split its
    // polygons into two non-empty halves gets two children, down to the depth.
    // The mesh gives PrepareForEditing(), numPoly and polyList; a polygon numVert,
    // vertex[i]->position, ClassifyPlane(zTPlane3D&) and GetCenter().
    template <class Mesh>
    void BuildTree(Mesh& mesh, int depth)
    {
        DeleteChildren();
        mesh.PrepareForEditing();
        BuildTreeFromPolys(mesh.polyList, mesh.numPoly, depth);
    }

    zVEC3 center;
    zVEC3 axis[3];
    zVEC3 extent;  // half sizes along the axes

private:
    template <class Polygon>
    void BuildTreeFromPolys(Polygon* const* polys, int count, int depth);

    // Axes from the eigenvectors of the points' covariance, largest spread first;
    // center and extents enclose the points.
    void FitToPoints(const std::vector<zVEC3>& points);
    // The plane through the center across the axis (0 to 2).
    zTPlane3D GetSplittingPlane(int axisIndex) const;
    // The axes by falling extent: the order in which splitting planes are tried.
    void GetSplitOrder(int order[3]) const;
    void CopyNodeFrom(const zTOrientedBox3D& other);

    std::vector<std::unique_ptr<zTOrientedBox3D>> children;
};

template <class Polygon>
void zTOrientedBox3D::BuildTreeFromPolys(Polygon* const* polys, int count, int depth)
{
    if (!polys || count <= 0)
        return;

    std::vector<zVEC3> points;
    points.reserve(static_cast<std::size_t>(count) * 3);
    for (int p = 0; p < count; ++p) {
        for (int v = 0; v < polys[p]->numVert; ++v)
            points.push_back(polys[p]->vertex[v]->position);
    }
    FitToPoints(points);
    if (depth - 1 < 1)
        return;

    int order[3];
    GetSplitOrder(order);
    std::vector<Polygon*> front;
    std::vector<Polygon*> back;
    for (int axisIndex : order) {
        zTPlane3D plane = GetSplittingPlane(axisIndex);
        front.clear();
        back.clear();
        for (int p = 0; p < count; ++p) {
            int side = polys[p]->ClassifyPlane(plane);
            // Polygons on or across the plane go to the side of their center.
            if (side != zPLANE_INFRONT && side != zPLANE_BEHIND)
                side = plane.ClassifyPoint(polys[p]->GetCenter()) == zPLANE_BEHIND ? zPLANE_BEHIND : zPLANE_INFRONT;
            (side == zPLANE_BEHIND ? back : front).push_back(polys[p]);
        }
        if (!front.empty() && !back.empty())
            break;
    }
    if (front.empty() || back.empty())
        return;
    AddChild().BuildTreeFromPolys(front.data(), static_cast<int>(front.size()), depth - 1);
    AddChild().BuildTreeFromPolys(back.data(), static_cast<int>(back.size()), depth - 1);
}
