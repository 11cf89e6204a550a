// Oriented boxes and their trees.
#include "zTOrientedBox3D.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "zCBinChunkFile.h"
#include "zEIGEN.h"

namespace {

const std::size_t kMaxStoredChildren = 0xFFFF;

void WriteVec(zCBinChunkFile& file, const zVEC3& v)
{
    file.WriteFloat(v.x);
    file.WriteFloat(v.y);
    file.WriteFloat(v.z);
}

bool ReadVec(zCBinChunkFile& file, zVEC3& v)
{
    return file.ReadFloat(v.x) && file.ReadFloat(v.y) && file.ReadFloat(v.z);
}

// One box's own 62 bytes; the children follow.
void WriteNode(zCBinChunkFile& file, const zTOrientedBox3D& box, std::uint16_t childCount)
{
    WriteVec(file, box.center);
    for (const zVEC3& axis : box.axis)
        WriteVec(file, axis);
    WriteVec(file, box.extent);
    file.WriteU16(childCount);
}

bool ReadNode(zCBinChunkFile& file, zTOrientedBox3D& box, std::uint16_t& childCount)
{
    return ReadVec(file, box.center) && ReadVec(file, box.axis[0]) && ReadVec(file, box.axis[1]) &&
           ReadVec(file, box.axis[2]) && ReadVec(file, box.extent) && file.ReadU16(childCount);
}

std::uint16_t StoredChildCount(const zTOrientedBox3D& box)
{
    return static_cast<std::uint16_t>(std::min<std::size_t>(box.GetNumChildren(), kMaxStoredChildren));
}

} // namespace

zTOrientedBox3D::zTOrientedBox3D(const zTOrientedBox3D& other)
{
    CopyNodeFrom(other);
    std::vector<std::pair<const zTOrientedBox3D*, zTOrientedBox3D*>> pending{{&other, this}};
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        for (const auto& child : from->children) {
            zTOrientedBox3D& copy = to->AddChild();
            copy.CopyNodeFrom(*child);
            pending.emplace_back(child.get(), &copy);
        }
    }
}

zTOrientedBox3D& zTOrientedBox3D::operator=(const zTOrientedBox3D& other)
{
    // Through a copy: the other box may lie inside this tree.
    if (this != &other)
        *this = zTOrientedBox3D(other);
    return *this;
}

zTOrientedBox3D& zTOrientedBox3D::operator=(zTOrientedBox3D&& other) noexcept
{
    if (this != &other) {
        // Take the other tree before letting go of this one, which may hold it.
        auto taken = std::move(other.children);
        other.children.clear();
        CopyNodeFrom(other);
        DeleteChildren();
        children = std::move(taken);
    }
    return *this;
}

zTOrientedBox3D::~zTOrientedBox3D()
{
    DeleteChildren();
}

void zTOrientedBox3D::CopyNodeFrom(const zTOrientedBox3D& other)
{
    center = other.center;
    for (int i = 0; i < 3; ++i)
        axis[i] = other.axis[i];
    extent = other.extent;
}

void zTOrientedBox3D::DeleteChildren()
{
    // Each box is destroyed only once its children have been taken from it, so no
    // destructor recurses.
    auto pending = std::move(children);
    children.clear();
    while (!pending.empty()) {
        std::unique_ptr<zTOrientedBox3D> box = std::move(pending.back());
        pending.pop_back();
        for (auto& child : box->children)
            pending.push_back(std::move(child));
        box->children.clear();
    }
}

zTOrientedBox3D& zTOrientedBox3D::AddChild()
{
    children.push_back(std::make_unique<zTOrientedBox3D>());
    return *children.back();
}

zTBBox3D zTOrientedBox3D::GetBBox3D() const
{
    zTBBox3D box;
    box.Init();
    for (int corner = 0; corner < 8; ++corner) {
        zVEC3 point = center;
        for (int i = 0; i < 3; ++i)
            point += axis[i] * ((corner >> i) & 1 ? extent[i] : -extent[i]);
        box.AddPoint(point);
    }
    return box;
}

void zTOrientedBox3D::SetByBBox3D(const zTBBox3D& box)
{
    axis[0] = zVEC3(1.0f, 0.0f, 0.0f);
    axis[1] = zVEC3(0.0f, 1.0f, 0.0f);
    axis[2] = zVEC3(0.0f, 0.0f, 1.0f);
    if (box.IsEmpty()) {
        center = zVEC3();
        extent = zVEC3();
        return;
    }
    // Halved first: boxes near ±FLT_MAX must not overflow.
    center = box.mins * 0.5f + box.maxs * 0.5f;
    extent = box.maxs * 0.5f - box.mins * 0.5f;
}

void zTOrientedBox3D::Transform(const zMAT4& matrix)
{
    std::vector<zTOrientedBox3D*> pending{this};
    while (!pending.empty()) {
        zTOrientedBox3D* box = pending.back();
        pending.pop_back();
        for (zVEC3& a : box->axis) {
            const zVEC3 old = a;
            for (int row = 0; row < 3; ++row)
                a[row] = matrix.m[row][0] * old.x + matrix.m[row][1] * old.y + matrix.m[row][2] * old.z;
        }
        box->center = matrix * box->center;
        for (auto& child : box->children)
            pending.push_back(child.get());
    }
}

void zTOrientedBox3D::WriteToChunkFile(zCBinChunkFile& file) const
{
    struct Level {
        const zTOrientedBox3D* box;
        std::size_t next;
        std::size_t count;
    };
    WriteNode(file, *this, StoredChildCount(*this));
    std::vector<Level> pending{{this, 0, StoredChildCount(*this)}};
    while (!pending.empty()) {
        Level& top = pending.back();
        if (top.next == top.count) {
            pending.pop_back();
            continue;
        }
        const zTOrientedBox3D& child = *top.box->children[top.next++];
        const std::uint16_t count = StoredChildCount(child);
        WriteNode(file, child, count);
        pending.push_back({&child, 0, count});
    }
}

bool zTOrientedBox3D::ReadFromChunkFile(zCBinChunkFile& file)
{
    struct Level {
        zTOrientedBox3D* box;
        std::uint16_t left;
    };
    // Children are made one at a time as they are read, so a count larger than the
    // file holds makes no more boxes than the file's bytes.
    zTOrientedBox3D tree;
    std::uint16_t count = 0;
    if (!ReadNode(file, tree, count))
        return false;
    std::vector<Level> pending{{&tree, count}};
    while (!pending.empty()) {
        Level& top = pending.back();
        if (top.left == 0) {
            pending.pop_back();
            continue;
        }
        --top.left;
        zTOrientedBox3D& child = top.box->AddChild();
        if (!ReadNode(file, child, count))
            return false;
        pending.push_back({&child, count});
    }
    *this = std::move(tree);
    return true;
}

void zTOrientedBox3D::FitToPoints(const std::vector<zVEC3>& points)
{
    axis[0] = zVEC3(1.0f, 0.0f, 0.0f);
    axis[1] = zVEC3(0.0f, 1.0f, 0.0f);
    axis[2] = zVEC3(0.0f, 0.0f, 1.0f);
    center = zVEC3();
    extent = zVEC3();
    if (points.empty())
        return;

    double mean[3] = {0.0, 0.0, 0.0};
    for (const zVEC3& p : points) {
        mean[0] += p.x;
        mean[1] += p.y;
        mean[2] += p.z;
    }
    for (double& m : mean)
        m /= static_cast<double>(points.size());
    // Symmetric: the upper triangle is summed, the lower mirrors it.
    double covariance[3][3] = {};
    for (const zVEC3& p : points) {
        const double d[3] = {p.x - mean[0], p.y - mean[1], p.z - mean[2]};
        for (int row = 0; row < 3; ++row) {
            for (int col = row; col < 3; ++col)
                covariance[row][col] += d[row] * d[col];
        }
    }
    for (int row = 1; row < 3; ++row) {
        for (int col = 0; col < row; ++col)
            covariance[row][col] = covariance[col][row];
    }

    zEIGEN eigen(3);
    const double* rows[3] = {covariance[0], covariance[1], covariance[2]};
    eigen.SetMatrix(rows);
    if (eigen.Solve()) {
        int order[3] = {0, 1, 2};
        const double* values = eigen.GetDiagonal();
        std::sort(order, order + 3, [values](int a, int b) { return values[a] > values[b]; });
        const double* const* vectors = eigen.GetMatrix();
        zVEC3 first(static_cast<float>(vectors[0][order[0]]), static_cast<float>(vectors[1][order[0]]),
                    static_cast<float>(vectors[2][order[0]]));
        zVEC3 second(static_cast<float>(vectors[0][order[1]]), static_cast<float>(vectors[1][order[1]]),
                     static_cast<float>(vectors[2][order[1]]));
        // Made exactly orthonormal and right-handed, so that projections measure the box.
        first.Normalize();
        second -= first * DotProduct(second, first);
        second.Normalize();
        const zVEC3 third = CrossProduct(first, second);
        if (first.Length2() > 0.5f && second.Length2() > 0.5f) {
            axis[0] = first;
            axis[1] = second;
            axis[2] = third;
        }
    }

    double low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
    double high[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const zVEC3& p : points) {
        for (int i = 0; i < 3; ++i) {
            const double along = static_cast<double>(axis[i].x) * p.x + static_cast<double>(axis[i].y) * p.y +
                                 static_cast<double>(axis[i].z) * p.z;
            low[i] = std::min(low[i], along);
            high[i] = std::max(high[i], along);
        }
    }
    for (int i = 0; i < 3; ++i) {
        center += axis[i] * static_cast<float>((low[i] + high[i]) * 0.5);
        extent[i] = static_cast<float>((high[i] - low[i]) * 0.5);
    }
}

zTPlane3D zTOrientedBox3D::GetSplittingPlane(int axisIndex) const
{
    zTPlane3D plane;
    plane.normal = axis[axisIndex];
    plane.distance = DotProduct(plane.normal, center);
    return plane;
}

void zTOrientedBox3D::GetSplitOrder(int order[3]) const
{
    order[0] = 0;
    order[1] = 1;
    order[2] = 2;
    std::stable_sort(order, order + 3, [this](int a, int b) { return extent[a] > extent[b]; });
}
