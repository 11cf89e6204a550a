// Geometry primitives: plane sides, axis-aligned boxes, oriented boxes and their trees,
// their chunk-file form, and the tree fitted to a mesh.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ErrorBoxCatcher.h"
#include "FileLayerRoot.h"
#include "FileSandbox.h"
#include "ReporterCapture.h"
#include "VectorExpect.h"
#include "zCBinChunkFile.h"
#include "zMAT4.h"
#include "zTBBox3D.h"
#include "zTOrientedBox3D.h"
#include "zTPlane3D.h"

namespace {


zTBBox3D Box(const zVEC3& mins, const zVEC3& maxs)
{
    zTBBox3D box;
    box.mins = mins;
    box.maxs = maxs;
    return box;
}

bool SameBox(const zTOrientedBox3D& a, const zTOrientedBox3D& b)
{
    return a.center == b.center && a.axis[0] == b.axis[0] && a.axis[1] == b.axis[1] && a.axis[2] == b.axis[2] &&
           a.extent == b.extent && a.GetNumChildren() == b.GetNumChildren();
}

// A root with two leaf children, every value distinct.
zTOrientedBox3D SmallTree()
{
    zTOrientedBox3D root;
    root.center = zVEC3(1, 2, 3);
    root.axis[0] = zVEC3(1, 0, 0);
    root.axis[1] = zVEC3(0, 1, 0);
    root.axis[2] = zVEC3(0, 0, 1);
    root.extent = zVEC3(4, 5, 6);
    for (int i = 0; i < 2; ++i) {
        zTOrientedBox3D& child = root.AddChild();
        child.center = zVEC3(10.0f + i, 20, 30);
        child.axis[0] = zVEC3(0, 1, 0);
        child.axis[1] = zVEC3(-1, 0, 0);
        child.axis[2] = zVEC3(0, 0, 1);
        child.extent = zVEC3(0.5f, 0.25f, 0.125f + i);
    }
    return root;
}

TEST(Plane, ClassifyPointWithinTheTolerance)
{
    zTPlane3D plane;
    plane.normal = zVEC3(0, 1, 0);
    plane.distance = 5.0f;
    const struct {
        float y;
        int side;
    } cases[] = {
        {5.0005f, zPLANE_ONPLANE}, {4.9995f, zPLANE_ONPLANE}, {5.0f, zPLANE_ONPLANE},
        {5.002f, zPLANE_INFRONT},  {4.998f, zPLANE_BEHIND},   {100.0f, zPLANE_INFRONT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plane.ClassifyPoint(zVEC3(7, c.y, -3)), c.side) << c.y;

    // Through the origin: 0.0005 in front lies on the plane.
    plane.normal = zVEC3(0, 0, 1);
    plane.distance = 0.0f;
    EXPECT_EQ(plane.ClassifyPoint(zVEC3(0, 0, 0.0005f)), zPLANE_ONPLANE);
    EXPECT_EQ(plane.ClassifyPoint(zVEC3(0, 0, 0.0011f)), zPLANE_INFRONT);
}

TEST(BBox, InitAddPointAndMerge)
{
    zTBBox3D box;
    box.Init();
    EXPECT_TRUE(box.IsEmpty());
    EXPECT_EQ(box.mins, zVEC3(FLT_MAX));
    EXPECT_EQ(box.maxs, zVEC3(-FLT_MAX));
    box.AddPoint(zVEC3(1, -2, 3));
    EXPECT_FALSE(box.IsEmpty());
    EXPECT_EQ(box.mins, zVEC3(1, -2, 3));
    EXPECT_EQ(box.maxs, zVEC3(1, -2, 3));
    box.AddPoint(zVEC3(-1, 4, 2));
    EXPECT_EQ(box.mins, zVEC3(-1, -2, 2));
    EXPECT_EQ(box.maxs, zVEC3(1, 4, 3));

    zTBBox3D empty;
    empty.Init();
    zTBBox3D merged = box;
    merged.Merge(empty);
    EXPECT_EQ(merged.mins, box.mins);
    EXPECT_EQ(merged.maxs, box.maxs);
    empty.Merge(box);
    EXPECT_EQ(empty.mins, box.mins);
    EXPECT_EQ(empty.maxs, box.maxs);

    merged.Merge(Box(zVEC3(0, 0, -5), zVEC3(9, 0, 0)));
    EXPECT_EQ(merged.mins, zVEC3(-1, -2, -5));
    EXPECT_EQ(merged.maxs, zVEC3(9, 4, 3));

    merged.SetZero();
    EXPECT_EQ(merged.mins, zVEC3());
    EXPECT_EQ(merged.maxs, zVEC3());
}

TEST(BBox, TransformEnclosesTheTransformedBox)
{
    const zTBBox3D box = Box(zVEC3(0, 0, 0), zVEC3(1, 2, 3));
    // A quarter turn about z, then a shift: x' = -y + 10, y' = x + 20.
    const zMAT4 m = MakeTranslationMatrix(zVEC3(10, 20, 30)) * MakeRotationMatrix(zVEC3(0, 0, 1), kPi / 2);
    const zTBBox3D moved = box.Transform(m);
    ExpectNear(moved.mins, zVEC3(8, 20, 30));
    ExpectNear(moved.maxs, zVEC3(10, 21, 33));

    // An eighth turn: the box grows to hold the rotated corners.
    const zTBBox3D square = Box(zVEC3(-1, -1, 0), zVEC3(1, 1, 0));
    const zTBBox3D turned = square.Transform(MakeRotationMatrix(zVEC3(0, 0, 1), kPi / 4));
    ExpectNear(turned.mins, zVEC3(-std::sqrt(2.0f), -std::sqrt(2.0f), 0));
    ExpectNear(turned.maxs, zVEC3(std::sqrt(2.0f), std::sqrt(2.0f), 0));

    // A mirror swaps the sides.
    const zTBBox3D mirrored = box.Transform(MakeScalingMatrix(zVEC3(-1, 1, 1)));
    EXPECT_EQ(mirrored.mins, zVEC3(-1, 0, 0));
    EXPECT_EQ(mirrored.maxs, zVEC3(0, 2, 3));

    // An empty box stays empty instead of overflowing.
    zTBBox3D empty;
    empty.Init();
    const zTBBox3D still = empty.Transform(m);
    EXPECT_TRUE(still.IsEmpty());
    EXPECT_EQ(still.mins, zVEC3(FLT_MAX));
    EXPECT_EQ(still.maxs, zVEC3(-FLT_MAX));
}

TEST(BBox, ScaleIsNotAvailable)
{
    const ErrorBoxCatcher catcher;
    zTBBox3D box;
    box.SetZero();
    try {
        box.Scale(2.0f);
        ADD_FAILURE() << "Scale returned";
    } catch (const ErrorBoxShown& e) {
        EXPECT_STREQ(e.what(), "zTBBox3D::Scale not found");
    }
}

TEST(OrientedBox, ConstructedAllZeroWithoutChildren)
{
    const zTOrientedBox3D box;
    EXPECT_EQ(box.center, zVEC3());
    for (const zVEC3& axis : box.axis)
        EXPECT_EQ(axis, zVEC3());
    EXPECT_EQ(box.extent, zVEC3());
    EXPECT_EQ(box.GetNumChildren(), 0);
}

TEST(OrientedBox, BBoxOfTheCornersAndBack)
{
    zTOrientedBox3D box;
    box.SetByBBox3D(Box(zVEC3(-1, 2, 4), zVEC3(3, 4, 10)));
    EXPECT_EQ(box.center, zVEC3(1, 3, 7));
    EXPECT_EQ(box.extent, zVEC3(2, 1, 3));
    EXPECT_EQ(box.axis[0], zVEC3(1, 0, 0));
    EXPECT_EQ(box.axis[1], zVEC3(0, 1, 0));
    EXPECT_EQ(box.axis[2], zVEC3(0, 0, 1));
    const zTBBox3D back = box.GetBBox3D();
    EXPECT_EQ(back.mins, zVEC3(-1, 2, 4));
    EXPECT_EQ(back.maxs, zVEC3(3, 4, 10));

    // Turned an eighth about z: the corners reach √2 out in x and y.
    box.center = zVEC3(1, 2, 3);
    box.extent = zVEC3(1, 1, 1);
    box.axis[0] = zVEC3(std::sqrt(0.5f), std::sqrt(0.5f), 0);
    box.axis[1] = zVEC3(-std::sqrt(0.5f), std::sqrt(0.5f), 0);
    const zTBBox3D turned = box.GetBBox3D();
    ExpectNear(turned.mins, zVEC3(1 - std::sqrt(2.0f), 2 - std::sqrt(2.0f), 2));
    ExpectNear(turned.maxs, zVEC3(1 + std::sqrt(2.0f), 2 + std::sqrt(2.0f), 4));

    // An empty box gives a zero box, not infinite extents.
    zTBBox3D empty;
    empty.Init();
    box.SetByBBox3D(empty);
    EXPECT_EQ(box.center, zVEC3());
    EXPECT_EQ(box.extent, zVEC3());
}

TEST(OrientedBox, TransformMovesTheWholeTree)
{
    zTOrientedBox3D tree = SmallTree();
    const zMAT4 m = MakeTranslationMatrix(zVEC3(0, 0, 100)) * MakeRotationMatrix(zVEC3(0, 0, 1), kPi / 2);
    tree.Transform(m);
    ExpectNear(tree.center, zVEC3(-2, 1, 103));
    ExpectNear(tree.axis[0], zVEC3(0, 1, 0));  // the 3×3 part only: no translation
    ExpectNear(tree.axis[1], zVEC3(-1, 0, 0));
    EXPECT_EQ(tree.extent, zVEC3(4, 5, 6));
    ExpectNear(tree.GetChild(1).center, zVEC3(-20, 11, 130));
    ExpectNear(tree.GetChild(1).axis[0], zVEC3(-1, 0, 0));
}

TEST(OrientedBox, CopyIsDeep)
{
    const zTOrientedBox3D original = SmallTree();
    zTOrientedBox3D copy;
    copy.AddChild();  // replaced
    copy = original;
    ASSERT_EQ(copy.GetNumChildren(), 2);
    EXPECT_TRUE(SameBox(copy, original));
    EXPECT_TRUE(SameBox(copy.GetChild(1), original.GetChild(1)));
    copy.GetChild(0).center = zVEC3(-1);
    copy.GetChild(0).AddChild();
    EXPECT_EQ(original.GetChild(0).center, zVEC3(10, 20, 30));
    EXPECT_EQ(original.GetChild(0).GetNumChildren(), 0);

    // From a box inside the tree itself.
    zTOrientedBox3D tree = SmallTree();
    tree.GetChild(1).AddChild().center = zVEC3(42);
    tree = tree.GetChild(1);
    EXPECT_EQ(tree.center, zVEC3(11, 20, 30));
    ASSERT_EQ(tree.GetNumChildren(), 1);
    EXPECT_EQ(tree.GetChild(0).center, zVEC3(42));

    tree.DeleteChildren();
    EXPECT_EQ(tree.GetNumChildren(), 0);
}

class GeometryFile : public ReporterCapture {
protected:
    void SetUp() override
    {
        ReporterCapture::SetUp();
        root = std::make_unique<FileLayerRoot>(box.Root());
    }
    void TearDown() override
    {
        root.reset();
        ReporterCapture::TearDown();
    }

    static zSTRING Layer(const std::string& name) { return zSTRING(("\\" + name).c_str()); }

    FileSandbox box;
    std::unique_ptr<FileLayerRoot> root;
};

float FloatAt(const std::string& bytes, std::size_t offset)
{
    unsigned char raw[4];
    std::memcpy(raw, bytes.data() + offset, 4);
    const std::uint32_t bits = raw[0] | raw[1] << 8 | raw[2] << 16 | static_cast<std::uint32_t>(raw[3]) << 24;
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

TEST_F(GeometryFile, BBoxIsTwentyFourBytesMinsFirst)
{
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("box.bin")), 0);
        Box(zVEC3(-1, 2, -3), zVEC3(4, 5.5f, 6)).WriteToChunkFile(file);
    }
    const std::string bytes = box.Read("box.bin");
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x00\x00\x80\xBF", 4));  // -1.0f, little-endian
    EXPECT_EQ(FloatAt(bytes, 16), 5.5f);

    zCBinChunkFile file;
    ASSERT_EQ(file.Open(Layer("box.bin")), 0);
    zTBBox3D read;
    ASSERT_TRUE(read.ReadFromChunkFile(file));
    EXPECT_EQ(read.mins, zVEC3(-1, 2, -3));
    EXPECT_EQ(read.maxs, zVEC3(4, 5.5f, 6));
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(GeometryFile, TruncatedBBoxIsReportedAndLeavesTheBox)
{
    box.Write("short.bin", std::string(20, '\0'));
    zCBinChunkFile file;
    ASSERT_EQ(file.Open(Layer("short.bin")), 0);
    zTBBox3D read = Box(zVEC3(1), zVEC3(2));
    EXPECT_FALSE(read.ReadFromChunkFile(file));
    EXPECT_EQ(read.mins, zVEC3(1));
    EXPECT_EQ(read.maxs, zVEC3(2));
    EXPECT_EQ(host.GetErrorCount(), 1);
}

TEST_F(GeometryFile, OrientedBoxWithTwoChildrenIs186Bytes)
{
    const zTOrientedBox3D tree = SmallTree();
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("obb.bin")), 0);
        tree.WriteToChunkFile(file);
    }
    const std::string bytes = box.Read("obb.bin");
    ASSERT_EQ(bytes.size(), 3u * 62u);
    // Center, axes, extents, count; then the children depth first.
    EXPECT_EQ(FloatAt(bytes, 0), 1.0f);
    EXPECT_EQ(FloatAt(bytes, 12), 1.0f);   // axis 0, x
    EXPECT_EQ(FloatAt(bytes, 56), 6.0f);   // extent z
    EXPECT_EQ(bytes.substr(60, 2), std::string("\x02\x00", 2));
    EXPECT_EQ(FloatAt(bytes, 62), 10.0f);  // first child's center x
    EXPECT_EQ(bytes.substr(122, 2), std::string("\x00\x00", 2));
    EXPECT_EQ(FloatAt(bytes, 124), 11.0f);
    EXPECT_EQ(FloatAt(bytes, 124 + 56), 1.125f);

    zCBinChunkFile file;
    ASSERT_EQ(file.Open(Layer("obb.bin")), 0);
    zTOrientedBox3D read;
    read.AddChild();  // replaced
    ASSERT_TRUE(read.ReadFromChunkFile(file));
    ASSERT_TRUE(SameBox(read, tree));
    EXPECT_TRUE(SameBox(read.GetChild(0), tree.GetChild(0)));
    EXPECT_TRUE(SameBox(read.GetChild(1), tree.GetChild(1)));
    EXPECT_EQ(file.GetBytesLeft(), 0);
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(GeometryFile, TruncatedTreeIsReportedAndLeavesTheBox)
{
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Create(Layer("obb.bin")), 0);
        SmallTree().WriteToChunkFile(file);
    }
    std::string bytes = box.Read("obb.bin");
    // Cut inside the second child, and a count that claims far more children than the file holds.
    std::string claims = bytes.substr(0, 62);
    claims[60] = claims[61] = '\xFF';
    for (const std::string& damaged : {bytes.substr(0, 150), claims}) {
        host.Clear();
        box.Write("bad.bin", damaged);
        zCBinChunkFile file;
        ASSERT_EQ(file.Open(Layer("bad.bin")), 0);
        zTOrientedBox3D read;
        read.center = zVEC3(7);
        EXPECT_FALSE(read.ReadFromChunkFile(file));
        EXPECT_EQ(read.center, zVEC3(7));
        EXPECT_EQ(read.GetNumChildren(), 0);
        EXPECT_EQ(host.GetErrorCount(), 1);
    }
}

// A damaged file may nest boxes as deep as its bytes allow; reading, copying and
// freeing such a tree must not run out of stack.
TEST_F(GeometryFile, DeeplyNestedTreeIsReadAndFreed)
{
    const int depth = 200000;
    std::string node(62, '\0');
    node[60] = '\x01';
    std::string bytes;
    bytes.reserve(node.size() * depth);
    for (int i = 0; i < depth; ++i)
        bytes += node;
    bytes[bytes.size() - 2] = '\0';  // the last has no child
    box.Write("deep.bin", bytes);

    zCBinChunkFile file;
    ASSERT_EQ(file.Open(Layer("deep.bin")), 0);
    zTOrientedBox3D read;
    ASSERT_TRUE(read.ReadFromChunkFile(file));
    const zTOrientedBox3D copy = read;
    const zTOrientedBox3D* last = &copy;
    int levels = 1;
    while (last->GetNumChildren() == 1) {
        last = &last->GetChild(0);
        ++levels;
    }
    EXPECT_EQ(levels, depth);
}

// Stand-ins for the model toolchain's mesh and polygon, with the members the tree
// builder uses.
struct FakeVertex {
    zVEC3 position;
};

struct FakePolygon {
    int ClassifyPlane(zTPlane3D& plane)
    {
        bool front = false;
        bool behind = false;
        for (int i = 0; i < numVert; ++i) {
            const int side = plane.ClassifyPoint(vertex[i]->position);
            front |= side == zPLANE_INFRONT;
            behind |= side == zPLANE_BEHIND;
        }
        if (front && behind)
            return zPLANE_SPANNING;
        return front ? zPLANE_INFRONT : behind ? zPLANE_BEHIND : zPLANE_ONPLANE;
    }
    zVEC3 GetCenter() const
    {
        zVEC3 sum;
        for (int i = 0; i < numVert; ++i)
            sum += vertex[i]->position;
        return sum * (1.0f / numVert);
    }

    FakeVertex** vertex = nullptr;
    std::uint8_t numVert = 0;
};

class FakeMesh {
public:
    void AddTriangle(const zVEC3& a, const zVEC3& b, const zVEC3& c)
    {
        auto polygon = std::make_unique<FakePolygon>();
        auto pointers = std::make_unique<FakeVertex*[]>(3);
        for (const zVEC3* p : {&a, &b, &c}) {
            vertices.push_back(std::make_unique<FakeVertex>(FakeVertex{*p}));
            pointers[polygon->numVert++] = vertices.back().get();
        }
        polygon->vertex = pointers.get();
        vertexLists.push_back(std::move(pointers));
        polygons.push_back(std::move(polygon));
    }
    // The twelve triangles of a cube's faces.
    void AddCube(const zVEC3& center, float half)
    {
        auto corner = [&](int i) {
            return center + zVEC3(i & 1 ? half : -half, i & 2 ? half : -half, i & 4 ? half : -half);
        };
        const int faces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
        for (const auto& f : faces) {
            AddTriangle(corner(f[0]), corner(f[1]), corner(f[2]));
            AddTriangle(corner(f[0]), corner(f[2]), corner(f[3]));
        }
    }

    void PrepareForEditing()
    {
        ++prepared;
        list.clear();
        for (const auto& p : polygons)
            list.push_back(p.get());
        numPoly = static_cast<int>(list.size());
        polyList = list.data();
    }

    int numPoly = 0;
    FakePolygon** polyList = nullptr;
    int prepared = 0;

private:
    std::vector<std::unique_ptr<FakeVertex>> vertices;
    std::vector<std::unique_ptr<FakeVertex*[]>> vertexLists;
    std::vector<std::unique_ptr<FakePolygon>> polygons;
    std::vector<FakePolygon*> list;
};

// Every corner of the polygons lies inside the box, within rounding.
void ExpectEncloses(const zTOrientedBox3D& box, FakePolygon* const* polys, int count)
{
    for (int p = 0; p < count; ++p) {
        for (int v = 0; v < polys[p]->numVert; ++v) {
            const zVEC3 d = polys[p]->vertex[v]->position - box.center;
            for (int i = 0; i < 3; ++i)
                EXPECT_LE(std::fabs(DotProduct(d, box.axis[i])), box.extent[i] + 1e-4f);
        }
    }
}

TEST(OrientedBoxTree, TwoClustersSplitIntoTwoChildren)
{
    FakeMesh mesh;
    mesh.AddCube(zVEC3(-10, 0, 0), 1.0f);
    mesh.AddCube(zVEC3(10, 0, 0), 1.0f);
    zTOrientedBox3D tree;
    tree.AddChild();  // an old tree is replaced
    tree.BuildTree(mesh, 3);
    EXPECT_EQ(mesh.prepared, 1);

    ExpectEncloses(tree, mesh.polyList, mesh.numPoly);
    ExpectNear(tree.center, zVEC3(), 1e-3f);
    // The longest spread is the first axis. The corners weigh by the number of
    // triangles they belong to, which tilts the axes a little.
    EXPECT_GT(std::fabs(tree.axis[0].x), 0.999f);
    EXPECT_NEAR(tree.extent.x, 11.0f, 0.05f);
    ExpectNear(CrossProduct(tree.axis[0], tree.axis[1]), tree.axis[2]);

    ASSERT_EQ(tree.GetNumChildren(), 2);
    for (int c = 0; c < 2; ++c) {
        const zTOrientedBox3D& child = tree.GetChild(c);
        EXPECT_NEAR(std::fabs(child.center.x), 10.0f, 1e-4f);
        // Each cube's polygons are inside its own child.
        FakePolygon* const* half = mesh.polyList + (child.center.x < 0 ? 0 : 12);
        ExpectEncloses(child, half, 12);
        // Depth 3: the cubes split once more.
        EXPECT_EQ(child.GetNumChildren(), 2);
        for (int g = 0; g < child.GetNumChildren(); ++g)
            EXPECT_EQ(child.GetChild(g).GetNumChildren(), 0);
    }
    EXPECT_NE(tree.GetChild(0).center.x, tree.GetChild(1).center.x);
}

TEST(OrientedBoxTree, DepthOneAndUnsplittableMeshesStayLeaves)
{
    FakeMesh mesh;
    mesh.AddCube(zVEC3(-10, 0, 0), 1.0f);
    mesh.AddCube(zVEC3(10, 0, 0), 1.0f);
    zTOrientedBox3D tree;
    tree.BuildTree(mesh, 1);
    EXPECT_EQ(tree.GetNumChildren(), 0);
    ExpectEncloses(tree, mesh.polyList, mesh.numPoly);

    // One triangle cannot be split; its box is flat along the normal.
    FakeMesh single;
    single.AddTriangle(zVEC3(0, 0, 0), zVEC3(4, 0, 0), zVEC3(0, 2, 0));
    tree.BuildTree(single, 5);
    EXPECT_EQ(tree.GetNumChildren(), 0);
    ExpectEncloses(tree, single.polyList, single.numPoly);
    EXPECT_NEAR(tree.extent.z, 0.0f, 1e-6f);
    EXPECT_NEAR(std::fabs(tree.axis[2].z), 1.0f, 1e-5f);

    // An empty mesh leaves the box as it was made.
    FakeMesh empty;
    zTOrientedBox3D none;
    none.BuildTree(empty, 3);
    EXPECT_EQ(empty.prepared, 1);
    EXPECT_TRUE(SameBox(none, zTOrientedBox3D()));
}

// The axes follow the points: a long thin rod along a diagonal gets a box along it,
// far smaller than its axis-aligned box.
TEST(OrientedBoxTree, AxesFollowTheCovarianceOfThePoints)
{
    FakeMesh mesh;
    const zVEC3 along = zVEC3(1, 2, 2) * (1.0f / 3.0f);
    const zVEC3 across = zVEC3(2, -1, 0) * (1.0f / std::sqrt(5.0f));
    for (int i = 0; i < 10; ++i) {
        const zVEC3 base = along * (i * 3.0f);
        mesh.AddTriangle(base, base + along * 3.0f, base + across * 0.5f);
    }
    zTOrientedBox3D tree;
    tree.BuildTree(mesh, 1);
    ExpectEncloses(tree, mesh.polyList, mesh.numPoly);
    EXPECT_NEAR(std::fabs(DotProduct(tree.axis[0], along)), 1.0f, 1e-4f);
    EXPECT_NEAR(tree.extent[0], 15.0f, 0.01f);
    EXPECT_LT(tree.extent[1], 0.5f);
    EXPECT_NEAR(tree.extent[2], 0.0f, 1e-4f);
}

} // namespace
