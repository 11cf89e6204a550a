// The progressive-mesh builder: identical to the direct oracle, and the rules its
// output must keep (wedge splitting, collapse order, LOD tables, normals, planes).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>

#include "ProgMeshOracle.h"
#include "ProgMeshSources.h"
#include "zCProgMeshBuilder.h"

namespace {

bool SameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameBits(const zVEC3& a, const zVEC3& b)
{
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z);
}

// The first difference between two results, or an empty text.
std::string Difference(const zTProgMeshBuildResult& a, const zTProgMeshBuildResult& b)
{
    std::ostringstream d;
    auto vecs = [&](const char* what, const std::vector<zVEC3>& x, const std::vector<zVEC3>& y) {
        if (x.size() != y.size())
            return d << what << " count " << x.size() << " vs " << y.size(), false;
        for (std::size_t i = 0; i < x.size(); ++i)
            if (!SameBits(x[i], y[i]))
                return d << what << " " << i, false;
        return true;
    };
    auto same = [&](const char* what, const auto& x, const auto& y) {
        if (x == y)
            return true;
        d << what << " differ (sizes " << x.size() << ", " << y.size() << ")";
        for (std::size_t i = 0; i < std::min(x.size(), y.size()); ++i)
            if (!(x[i] == y[i]))
                return d << " first at " << i, false;
        return false;
    };
    if (!vecs("positions", a.positions, b.positions) || !vecs("normals", a.normals, b.normals) ||
        !same("order", a.order, b.order))
        return d.str();
    if (a.subMeshes.size() != b.subMeshes.size())
        return "sub-mesh count";
    for (std::size_t s = 0; s < a.subMeshes.size(); ++s) {
        const auto& x = a.subMeshes[s];
        const auto& y = b.subMeshes[s];
        d << "sub-mesh " << s << ": ";
        if (x.material != y.material || !same("triangles", x.triangles, y.triangles) ||
            !same("wedge map", x.wedgeMap, y.wedgeMap) || !same("LOD steps", x.lodSteps, y.lodSteps) ||
            !same("triangle planes", x.trianglePlanes, y.trianglePlanes) ||
            !same("triangle edges", x.triangleEdges, y.triangleEdges) || !same("edges", x.edges, y.edges))
            return d.str();
        if (x.wedges.size() != y.wedges.size() || x.planes.size() != y.planes.size() ||
            x.edgeScores.size() != y.edgeScores.size())
            return d.str() + "wedge, plane or score count";
        for (std::size_t i = 0; i < x.wedges.size(); ++i) {
            const auto& p = x.wedges[i];
            const auto& q = y.wedges[i];
            if (!SameBits(p.normal, q.normal) || !SameBits(p.texCoord.x, q.texCoord.x) ||
                !SameBits(p.texCoord.y, q.texCoord.y) || p.position != q.position)
                return d.str() + "wedge " + std::to_string(i);
        }
        for (std::size_t i = 0; i < x.planes.size(); ++i)
            if (!SameBits(x.planes[i].distance, y.planes[i].distance) || !SameBits(x.planes[i].normal, y.planes[i].normal))
                return d.str() + "plane " + std::to_string(i);
        for (std::size_t i = 0; i < x.edgeScores.size(); ++i)
            if (!SameBits(x.edgeScores[i], y.edgeScores[i]))
                return d.str() + "edge score " + std::to_string(i);
        d.str("");
    }
    return "";
}

zTProgMeshBuildResult Build(const zTProgMeshSource& source, int flags)
{
    zTProgMeshBuildResult result;
    zCProgMeshBuilder::Build(source, flags, result);
    return result;
}

// At every vertex count n the live triangles' corners, followed through the
// wedge map, end on live wedges whose positions are below n.
void ExpectLodInvariants(const zTProgMeshBuildResult& r)
{
    const int V = static_cast<int>(r.positions.size());
    for (const auto& sub : r.subMeshes) {
        ASSERT_EQ(sub.lodSteps.size(), static_cast<std::size_t>(V + 1));
        EXPECT_EQ(sub.lodSteps.front()[0], 0);
        EXPECT_EQ(sub.lodSteps.back()[0], static_cast<int>(sub.triangles.size()));
        EXPECT_EQ(sub.lodSteps.back()[1], static_cast<int>(sub.wedges.size()));
        for (int n = 0; n <= V; ++n) {
            const auto& step = sub.lodSteps[static_cast<std::size_t>(n)];
            for (int t = 0; t < step[0]; ++t) {
                for (int w : sub.triangles[static_cast<std::size_t>(t)]) {
                    int hops = 0;
                    while (w >= step[1] && w >= 0 && hops++ <= static_cast<int>(sub.wedges.size()))
                        w = sub.wedgeMap[static_cast<std::size_t>(w)];
                    ASSERT_GE(w, 0) << "vertex count " << n << ", triangle " << t;
                    ASSERT_LT(w, step[1]);
                    ASSERT_LT(sub.wedges[static_cast<std::size_t>(w)].position, n);
                }
            }
        }
    }
}

// The builder's result is the oracle's to the bit, and keeps the LOD invariants.
void ExpectOraclesResult(const zTProgMeshSource& source, int flags)
{
    zTProgMeshBuildResult expected;
    BuildProgMeshOracle(source, flags, expected);
    const zTProgMeshBuildResult actual = Build(source, flags);
    EXPECT_EQ(Difference(actual, expected), "");
    if (!(flags & zPM_BUILD_NO_SIMPLIFY))
        ExpectLodInvariants(actual);
}

struct OracleCase {
    const char* name;
    ProgMeshGridOptions options;
    int flags;
};

TEST(ProgMeshBuilderTest, GivesExactlyTheOraclesResult)
{
    const std::vector<OracleCase> cases = {
        {"flat grid", {}, 4},
        {"bumpy grid", {9, 7, 1, false, 0, ProgMeshBumps}, 0},
        {"bumpy grid with edges", {8, 8, 1, false, 0, ProgMeshBumps}, 32},
        {"tube with a seam", {10, 6, 1, true, 0, ProgMeshBumps}, 0},
        {"three materials", {9, 6, 3, false, 0, ProgMeshBumps}, 32},
        {"three materials on a tube", {9, 5, 3, true, 2, ProgMeshBumps}, 42},
        {"loose vertices", {5, 5, 1, false, 3, ProgMeshBumps}, 4},
        {"no simplification", {6, 5, 2, false, 1, ProgMeshBumps}, 1 | 32},
        {"no planes, no normals", {7, 6, 2, false, 0, ProgMeshBumps}, 2 | 4},
        {"steps of a staircase", {12, 9, 2, false, 0, [](int x, int) { return static_cast<float>(x / 3); }}, 32},
        {"rolling hills", {40, 40, 1, false, 0, [](int x, int y) {
             return static_cast<float>(2.0 * std::sin(x * 0.31) * std::cos(y * 0.23) + 0.5 * std::sin((x + y) * 0.71));
         }}, 4},
        {"bumpy tube, two materials", {30, 25, 2, true, 1, ProgMeshBumps}, 42},
        // Plane distances spread over far more room than the triangles would fill
        // with cells an eighth wide: the cells widen, several planes share one.
        {"terraces far apart", {12, 9, 2, false, 0, [](int x, int y) {
             return static_cast<float>((x / 3) * 5000 + (y % 2) * 0.05 + (x % 2) * 0.08);
         }}, 32},
        {"an infinite and a NaN height", {9, 8, 1, false, 0, [](int x, int y) {
             return x == 3 && y == 2 ? HUGE_VALF : x == 6 && y == 5 ? std::nanf("") : ProgMeshBumps(x, y);
         }}, 32},
    };
    for (const OracleCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectOraclesResult(MakeProgMeshGrid(c.options), c.flags);
    }
}

TEST(ProgMeshBuilderTest, VertexWithManyTrianglesGivesTheOraclesResult)
{
    // Cones: the tip of the 12-triangle one needs the builder's wider table, the
    // 40-triangle one has more triangles than any table holds and takes the long way.
    for (const int ring : {7, 12, 40}) {
        SCOPED_TRACE(ring);
        zTProgMeshSource s;
        s.numMaterials = 1;
        s.positions.push_back(zVEC3(0, 2, 0));
        for (int i = 0; i < ring; ++i) {
            const double a = 6.283185307179586 * i / ring;
            s.positions.push_back(zVEC3(static_cast<float>(std::cos(a)), 0.1f * static_cast<float>(i % 3),
                                        static_cast<float>(std::sin(a))));
        }
        for (int i = 0; i < ring; ++i) {
            zTProgMeshSourceTriangle t;
            const int corners[3] = {0, 1 + (i + 1) % ring, 1 + i};
            for (int k = 0; k < 3; ++k) {
                t.vertex[k] = corners[k];
                t.normal[k] = zVEC3(0, 1, 0);
            }
            s.triangles.push_back(t);
        }
        ExpectOraclesResult(s, 32);
    }
}

// A jittered grid with some of its triangles dropped and stray triangles between
// random vertices added: borders, holes, fans of odd sizes, edges with three or
// more triangles, equal heights (equal costs) and shared corner attributes.
zTProgMeshSource MakeRandomSoup(std::uint32_t seed)
{
    std::uint32_t state = seed * 2654435761u + 1u;
    auto next = [&state](std::uint32_t below) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state % below;
    };
    ProgMeshGridOptions o;
    o.columns = 6 + static_cast<int>(next(5));
    o.rows = 5 + static_cast<int>(next(4));
    o.materials = 1 + static_cast<int>(next(3));
    std::vector<float> heights(64 * 64);
    for (float& h : heights)
        h = static_cast<float>(next(4)) * 0.5f;  // few values: many ties
    o.height = [heights](int x, int y) { return heights[static_cast<std::size_t>((y & 63) * 64 + (x & 63))]; };
    zTProgMeshSource s = MakeProgMeshGrid(o);
    std::vector<zTProgMeshSourceTriangle> kept;
    for (const zTProgMeshSourceTriangle& t : s.triangles) {
        if (next(8) != 0)
            kept.push_back(t);
    }
    const int numVertices = static_cast<int>(s.positions.size());
    for (int i = 0, extra = static_cast<int>(next(6)); i < extra; ++i) {
        zTProgMeshSourceTriangle t = kept[next(static_cast<std::uint32_t>(kept.size()))];
        t.vertex[next(3)] = static_cast<int>(next(static_cast<std::uint32_t>(numVertices)));
        if (t.vertex[0] != t.vertex[1] && t.vertex[1] != t.vertex[2] && t.vertex[0] != t.vertex[2])
            kept.push_back(t);
    }
    s.triangles = kept;
    return s;
}

TEST(ProgMeshBuilderTest, RandomSoupsGiveTheOraclesResult)
{
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        SCOPED_TRACE(seed);
        ExpectOraclesResult(MakeRandomSoup(seed), seed % 3 == 0 ? 32 : 4);
    }
}

TEST(ProgMeshBuilderTest, EdgesOfThreeTrianglesGiveTheOraclesResult)
{
    // Fins standing on inner edges of a bumpy grid: each edge has three triangles,
    // so its ends have a neighbour with three sides and take the long way.
    ProgMeshGridOptions o;
    o.columns = 9;
    o.rows = 7;
    o.height = ProgMeshBumps;
    zTProgMeshSource s = MakeProgMeshGrid(o);
    for (int t : {20, 41, 58, 77}) {
        const zTProgMeshSourceTriangle& base = s.triangles[static_cast<std::size_t>(t)];
        const int a = base.vertex[0], b = base.vertex[1];
        const int top = static_cast<int>(s.positions.size());
        const zVEC3 mid = (s.positions[static_cast<std::size_t>(a)] + s.positions[static_cast<std::size_t>(b)]) * 0.5f;
        s.positions.push_back(mid + zVEC3(0.3f, 1.5f, 0.1f));
        zTProgMeshSourceTriangle fin = base;
        fin.vertex[2] = top;
        s.triangles.push_back(fin);
    }
    ExpectOraclesResult(s, 32);
}

TEST(ProgMeshBuilderTest, TexCoordsMatchWithinAHundredthAndAcrossTheWrap)
{
    struct Row {
        zVEC2 a, b;
        bool match;
    };
    const Row rows[] = {
        {{0.0f, 0.5f}, {1.0f, 0.5f}, false},  // v gains 1 on the wrap step
        {{0.0f, 0.0f}, {1.0f, 1.0f}, true},
        {{0.3f, 0.3f}, {0.305f, 0.295f}, true},
        {{0.3f, 0.3f}, {0.32f, 0.3f}, false},
        {{1.0f, 0.2f}, {0.0f, 1.2f}, true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(zCProgMeshBuilder::TexCoordsMatch(r.a, r.b), r.match) << r.a.GetString().c_str() << " / " << r.b.GetString().c_str();
}

TEST(ProgMeshBuilderTest, SplitsCornersIntoWedgesByNormalAndTexCoords)
{
    // Two triangles over one edge; the shared vertices differ in u on one side only.
    zTProgMeshSource s;
    s.positions = {zVEC3(0, 0, 0), zVEC3(0, 0, 1), zVEC3(1, 0, 0), zVEC3(1, 0, 1)};
    s.numMaterials = 1;
    zTProgMeshSourceTriangle a;
    zTProgMeshSourceTriangle b;
    const int av[3] = {0, 1, 2};
    const int bv[3] = {2, 1, 3};
    for (int k = 0; k < 3; ++k) {
        a.vertex[k] = av[k];
        b.vertex[k] = bv[k];
        a.normal[k] = b.normal[k] = zVEC3(0, 1, 0);
        a.texCoord[k] = zVEC2(0.1f * av[k], 0.0f);
        b.texCoord[k] = zVEC2(0.1f * bv[k], 0.0f);
    }
    b.texCoord[1] = zVEC2(0.5f, 0.0f);  // vertex 1 in b: another u
    b.normal[0] = zVEC3(0, 1.0005f, 0);  // vertex 2 in b: within 0.001
    s.triangles = {a, b};
    const zTProgMeshBuildResult r = Build(s, zPM_BUILD_NO_SIMPLIFY);
    ASSERT_EQ(r.subMeshes.size(), 1u);
    EXPECT_EQ(r.subMeshes[0].wedges.size(), 5u);
    const auto& tris = r.subMeshes[0].triangles;
    EXPECT_EQ(tris[0][2], tris[1][0]);  // vertex 2 shares
    EXPECT_NE(tris[0][1], tris[1][1]);  // vertex 1 splits
}

TEST(ProgMeshBuilderTest, LooseVertexGoesFirstWithoutTargetAndItsWedgelessPlaceIsLast)
{
    ProgMeshGridOptions o;
    o.columns = 3;
    o.rows = 3;
    o.looseVertices = 1;
    const zTProgMeshSource s = MakeProgMeshGrid(o);
    const zTProgMeshBuildResult r = Build(s, 0);
    // Collapsed first, so it holds the last position.
    EXPECT_EQ(r.order.back(), 9);
    EXPECT_TRUE(SameBits(r.positions.back(), s.positions[9]));
    ExpectLodInvariants(r);
    // A collapse that removes nothing: steps V-1 and V hold the same counts.
    const auto& steps = r.subMeshes[0].lodSteps;
    EXPECT_EQ(steps[9], steps[10]);
}

TEST(ProgMeshBuilderTest, NoSimplificationKeepsTheOrdersAndOneStep)
{
    ProgMeshGridOptions o;
    o.looseVertices = 1;
    o.height = ProgMeshBumps;
    const zTProgMeshSource s = MakeProgMeshGrid(o);
    const zTProgMeshBuildResult r = Build(s, zPM_BUILD_NO_SIMPLIFY);
    ASSERT_EQ(r.subMeshes.size(), 1u);
    const auto& sub = r.subMeshes[0];
    ASSERT_EQ(sub.lodSteps.size(), 1u);
    EXPECT_EQ(sub.lodSteps[0], (std::array<int, 2>{static_cast<int>(sub.triangles.size()), static_cast<int>(sub.wedges.size())}));
    EXPECT_TRUE(sub.wedgeMap.empty());
    for (std::size_t i = 0; i < s.positions.size(); ++i) {
        EXPECT_EQ(r.order[i], static_cast<int>(i));
        EXPECT_TRUE(SameBits(r.positions[i], s.positions[i]));
    }
}

TEST(ProgMeshBuilderTest, WedgeNormalsFarFromUnitLengthAreReplaced)
{
    zTProgMeshSource s;
    s.positions = {zVEC3(0, 0, 0), zVEC3(0, 0, 1), zVEC3(1, 0, 0)};
    s.numMaterials = 1;
    zTProgMeshSourceTriangle t;
    const float lengths[3] = {0.97f, 1.03f, 1.01f};
    for (int k = 0; k < 3; ++k) {
        t.vertex[k] = k;
        t.normal[k] = zVEC3(0, lengths[k], 0);
    }
    s.triangles = {t};
    const zTProgMeshBuildResult r = Build(s, zPM_BUILD_NO_SIMPLIFY);
    const float h = static_cast<float>(-1.0 / std::sqrt(2.0));
    const auto& w = r.subMeshes[0].wedges;
    ASSERT_EQ(w.size(), 3u);
    EXPECT_TRUE(SameBits(w[0].normal, zVEC3(h, h, 0)));
    EXPECT_TRUE(SameBits(w[1].normal, zVEC3(h, h, 0)));
    EXPECT_TRUE(SameBits(r.normals[0], zVEC3()));
    EXPECT_TRUE(SameBits(r.normals[1], zVEC3()));
    EXPECT_TRUE(SameBits(r.normals[2], zVEC3(0, 1.01f, 0)));
}

// Triangles about as thin as the degenerate test allows, either way round, and
// the odd ones: the builder's plane is the direct one to the bit.
TEST(ProgMeshBuilderTest, TrianglePlaneIsTheDirectOneNearDegenerate)
{
    std::vector<std::array<zVEC3, 3>> cases = {
        {zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 1, 0)},
        {zVEC3(0, 0, 0), zVEC3(0, 0, 0), zVEC3(0, 1, 0)},
        {zVEC3(1, 2, 3), zVEC3(1, 2, 3), zVEC3(1, 2, 3)},
        {zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(2, 0, 0)},
        {zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 0, 0)},
        {zVEC3(1e-30f, 0, 0), zVEC3(2e-30f, 0, 0), zVEC3(1e-30f, 1e-30f, 0)},
        {zVEC3(-3e38f, 0, 0), zVEC3(3e38f, 0, 0), zVEC3(0, 3e38f, 0)},
        {zVEC3(0, 0, 0), zVEC3(INFINITY, 0, 0), zVEC3(0, 1, 0)},
        {zVEC3(0, 0, 0), zVEC3(NAN, 0, 0), zVEC3(0, 1, 0)},
    };
    // The second side turned from the first by angles around the limit (about
    // 0.0017 radians) and around the shortcut (0.01), forward and back.
    for (const double angle : {0.0005, 0.0012, 0.0016, 0.0017, 0.0018, 0.0025, 0.009, 0.01, 0.011, 0.05}) {
        for (const double turn : {angle, 3.14159265358979 - angle}) {
            const zVEC3 p1(10, 5, -2);
            cases.push_back({zVEC3(7, 5, -2), p1,
                             zVEC3(static_cast<float>(10 + 2 * std::cos(turn)), static_cast<float>(5 + 2 * std::sin(turn)), -2)});
        }
    }
    for (const auto& c : cases) {
        zTPlane3D actual;
        zTPlane3D expected;
        const bool regular = zCProgMeshBuilder::TrianglePlane(c[0], c[1], c[2], actual);
        EXPECT_EQ(regular, ProgMeshOracleTrianglePlane(c[0], c[1], c[2], expected)) << c[2].x << " " << c[2].y;
        EXPECT_TRUE(SameBits(actual.normal, expected.normal) && SameBits(actual.distance, expected.distance))
            << c[2].x << " " << c[2].y;
    }
}

TEST(ProgMeshBuilderTest, NearPlanesShareTheFirstOne)
{
    // Three triangles: the second lies 0.05 above the first, the third 0.5 above.
    zTProgMeshSource s;
    s.numMaterials = 1;
    const float heights[3] = {0.0f, 0.05f, 0.5f};
    for (int i = 0; i < 3; ++i) {
        const float x = 3.0f * i;
        const int first = static_cast<int>(s.positions.size());
        s.positions.push_back(zVEC3(x, heights[i], 0));
        s.positions.push_back(zVEC3(x, heights[i], 1));
        s.positions.push_back(zVEC3(x + 1, heights[i], 0));
        zTProgMeshSourceTriangle t;
        for (int k = 0; k < 3; ++k) {
            t.vertex[k] = first + k;
            t.normal[k] = zVEC3(0, 1, 0);
        }
        s.triangles.push_back(t);
    }
    const zTProgMeshBuildResult r = Build(s, zPM_BUILD_NO_SIMPLIFY);
    const auto& sub = r.subMeshes[0];
    ASSERT_EQ(sub.planes.size(), 2u);
    EXPECT_EQ(sub.trianglePlanes, (std::vector<int>{0, 0, 1}));
    EXPECT_FLOAT_EQ(sub.planes[0].distance, 0.0f);  // the first triangle's values
    EXPECT_FLOAT_EQ(sub.planes[1].distance, -0.5f);  // the normal points down: (p0 - p1) x (p2 - p1)
}

TEST(ProgMeshBuilderTest, EmptyInputsGiveEmptyResults)
{
    zTProgMeshSource noTriangles;
    noTriangles.positions = {zVEC3(1, 2, 3), zVEC3(4, 5, 6)};
    zTProgMeshBuildResult r = Build(noTriangles, 0);
    EXPECT_EQ(r.positions.size(), 2u);
    EXPECT_TRUE(r.subMeshes.empty());
    r = Build(zTProgMeshSource(), 0);
    EXPECT_TRUE(r.positions.empty());
    EXPECT_TRUE(r.subMeshes.empty());
}

TEST(ProgMeshBuilderTest, RepeatedCornerTriangleIsLeftOut)
{
    ProgMeshGridOptions o;
    o.columns = 3;
    o.rows = 3;
    zTProgMeshSource s = MakeProgMeshGrid(o);
    zTProgMeshSourceTriangle bad = s.triangles[0];
    bad.vertex[1] = bad.vertex[0];
    s.triangles.insert(s.triangles.begin() + 2, bad);
    const zTProgMeshBuildResult r = Build(s, 0);
    EXPECT_EQ(r.subMeshes[0].triangles.size(), s.triangles.size() - 1);
    ExpectLodInvariants(r);
}

} // namespace
