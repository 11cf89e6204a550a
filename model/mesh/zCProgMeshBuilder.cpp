// The progressive-mesh builder: wedges, edge collapses, LOD tables, planes and edges.
#include "zCProgMeshBuilder.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ResourceIds.h"
#include "ResString.h"
#include "zERROR.h"

namespace {

struct DVec {
    double x, y, z;
};

DVec D(const zVEC3& v)
{
    return {v.x, v.y, v.z};
}

DVec Sub(const DVec& a, const DVec& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

DVec Cross(const DVec& a, const DVec& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Dot(const DVec& a, const DVec& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

double Length(const DVec& a)
{
    return std::sqrt(Dot(a, a));
}

// A zero vector has no direction and stays zero.
DVec Normalized(const DVec& a)
{
    const double length = Length(a);
    if (length == 0.0)
        return a;
    return {a.x / length, a.y / length, a.z / length};
}

zVEC3 F(const DVec& v)
{
    return zVEC3(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z));
}

// A triangle's plane as zCProgMeshBuilder::TrianglePlane gives it and, when asked
// for, its face normal from the same cross product. The cross product is the face
// normal's turned round, so the normal is the plane's turned round too, but for the
// sign of a zero component, which no dot product of normals notices.
bool PlaneAndNormal(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2, zTPlane3D& plane, zVEC3* faceNormal);

// Two doubles worked side by side, each as it would be alone: the fan table's
// products and minima run along whole rows, and where the compiler offers vector
// types each pair is one instruction.
#if defined(__GNUC__)
typedef double Pair __attribute__((vector_size(16)));
#else
struct Pair {
    double lane[2];
    double operator[](int i) const { return lane[i]; }
};
Pair operator+(const Pair& a, const Pair& b)
{
    return {{a[0] + b[0], a[1] + b[1]}};
}
Pair operator*(const Pair& a, const Pair& b)
{
    return {{a[0] * b[0], a[1] * b[1]}};
}
#endif

Pair PairAt(const double* at)
{
    Pair pair;
    std::memcpy(&pair, at, sizeof pair);
    return pair;
}

void StorePair(double* at, const Pair& pair)
{
    std::memcpy(at, &pair, sizeof pair);
}

Pair Twice(double value)
{
    return Pair{value, value};
}

// a if it is larger, else b; b if it is smaller, else a.
Pair Larger(const Pair& a, const Pair& b)
{
#if defined(__GNUC__)
    return a > b ? a : b;
#else
    return {{a[0] > b[0] ? a[0] : b[0], a[1] > b[1] ? a[1] : b[1]}};
#endif
}

Pair Smaller(const Pair& a, const Pair& b)
{
#if defined(__GNUC__)
    return b < a ? b : a;
#else
    return {{b[0] < a[0] ? b[0] : a[0], b[1] < a[1] ? b[1] : a[1]}};
#endif
}

// The index of the lowest set bit of a non-zero value.
int LowestBit(unsigned bits)
{
#if defined(__GNUC__)
    return __builtin_ctz(bits);
#else
    int i = 0;
    while (!(bits & 1u)) {
        bits >>= 1;
        ++i;
    }
    return i;
#endif
}

// zVEC3::IsEqualEps, worked where the wedges are matched: it is asked for every
// corner, and a call each time costs more than the test.
bool NormalsMatch(const zVEC3& a, const zVEC3& b)
{
    return std::fabs(a.x - b.x) < 0.001f && std::fabs(a.y - b.y) < 0.001f && std::fabs(a.z - b.z) < 0.001f;
}

bool EqualEps(const DVec& a, const DVec& b)
{
    return std::fabs(a.x - b.x) < 0.001 && std::fabs(a.y - b.y) < 0.001 && std::fabs(a.z - b.z) < 0.001;
}

// The cost of a collapse from its length and its triangles: curvature = the
// largest, over u's triangles, of the smallest (1 - a.b) / 2 against the sides
// (dot(i, s): triangle i against side s). A border vertex with two or more sides
// costs its length; border is worked out once, when first needed.
template <class DotOf, class IsBorder>
float CostOf(double length, int numFaces, int numSides, DotOf dot, int& border, IsBorder isBorder)
{
    double curvature = 0.0;
    for (int i = 0; i < numFaces; ++i) {
        double m = 1.0;
        for (int s = 0; s < numSides; ++s) {
            const double c = (1.0 - dot(i, s)) * 0.5;
            if (c < m)
                m = c;
        }
        if (curvature < m)
            curvature = m;
    }
    if (numSides >= 2) {
        if (border < 0)
            border = isBorder() ? 1 : 0;
        if (border)
            return static_cast<float>(length);
    }
    return static_cast<float>(length * curvature);
}

// An ordered list of indices that keeps its first few in place: a vertex's
// neighbours and triangles rarely number more than twelve, and a list with its
// count fills one cache line.
class alignas(64) IndexList {
public:
    IndexList() = default;
    IndexList(const IndexList& other) { *this = other; }
    IndexList& operator=(const IndexList& other)
    {
        if (this != &other) {
            Reserve(other.count);
            std::copy(other.begin(), other.end(), items);
            count = other.count;
        }
        return *this;
    }
    ~IndexList()
    {
        if (items != local)
            delete[] items;
    }

    const int* begin() const { return items; }
    const int* end() const { return items + count; }
    int size() const { return count; }
    bool empty() const { return count == 0; }
    int operator[](int i) const { return items[i]; }
    int front() const { return items[0]; }
    bool Contains(int value) const { return IndexOf(value) >= 0; }
    // The place of the first occurrence, or -1. Four at a time where the processor
    // compares four at once: the capacity is always a multiple of four, so the
    // last group read stays in the list's storage, and a find past the count is
    // none.
    int IndexOf(int value) const
    {
#if defined(__SSE2__)
        const __m128i key = _mm_set1_epi32(value);
        if (items == local) {
            const unsigned found = LocalMatches(key);
            return found != 0 ? LowestBit(found) : -1;
        }
        for (int i = 0; i < count; i += 4) {
            const __m128i group = _mm_loadu_si128(reinterpret_cast<const __m128i*>(items + i));
            const unsigned found = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(group, key))));
            if (found != 0) {
                const int at = i + LowestBit(found);
                return at < count ? at : -1;
            }
        }
        return -1;
#else
        for (int i = 0; i < count; ++i) {
            if (items[i] == value)
                return i;
        }
        return -1;
#endif
    }
    void Add(int value)
    {
        if (count == capacity)
            Reserve(capacity * 2);
        items[count++] = value;
    }
    void AddUnique(int value)
    {
#if defined(__SSE2__)
        if (items == local && count < kLocal) {
            // Written in any case, counted only when new: whether it is has no pattern.
            const unsigned found = LocalMatches(_mm_set1_epi32(value));
            local[count] = value;
            count += found == 0 ? 1 : 0;
            return;
        }
#endif
        if (!Contains(value))
            Add(value);
    }
    // Removes the first occurrence, keeping the order of the rest.
    void Remove(int value)
    {
        const int at = IndexOf(value);
        if (at < 0)
            return;
#if defined(__SSE2__)
        if (items == local) {
            // The local storage moved down by one from the place on, as a whole: a
            // loop over the rest would end at a different count each time.
            const __m128i g0 = Group(0);
            const __m128i g1 = Group(4);
            const __m128i g2 = Group(8);
            const __m128i place = _mm_set1_epi32(at - 1);
            auto shift = [&](int i, const __m128i& group, const __m128i& moved) {
                const __m128i index = _mm_setr_epi32(i, i + 1, i + 2, i + 3);
                const __m128i from = _mm_cmpgt_epi32(index, place);  // index >= at
                const __m128i kept = _mm_or_si128(_mm_and_si128(from, moved), _mm_andnot_si128(from, group));
                _mm_store_si128(reinterpret_cast<__m128i*>(local + i), kept);
            };
            shift(0, g0, _mm_or_si128(_mm_srli_si128(g0, 4), _mm_slli_si128(g1, 12)));
            shift(4, g1, _mm_or_si128(_mm_srli_si128(g1, 4), _mm_slli_si128(g2, 12)));
            shift(8, g2, _mm_srli_si128(g2, 4));
            --count;
            return;
        }
#endif
        for (int i = at + 1; i < count; ++i)
            items[i - 1] = items[i];
        --count;
    }
    void Clear() { count = 0; }
    // Whether an index is in both lists.
    bool SharesAny(const IndexList& other) const
    {
#if defined(__SSE2__)
        if (items == local) {
            // Each of the other's items against all of this list, with one branch at
            // the end: where a shared item comes, if at all, has no pattern.
            unsigned found = 0;
            for (int f : other)
                found |= LocalMatches(_mm_set1_epi32(f));
            return found != 0;
        }
#endif
        for (int f : other) {
            if (Contains(f))
                return true;
        }
        return false;
    }

private:
#if defined(__SSE2__)
    __m128i Group(int i) const { return _mm_load_si128(reinterpret_cast<const __m128i*>(local + i)); }
    // The lanes of local storage i..i+3 that hold the key, as four bits.
    unsigned MatchesAt(int i, const __m128i& key) const
    {
        return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(Group(i), key))));
    }
    // The places below the count that hold the key, as bits, from all of the local
    // storage at once: where the key is, if anywhere, has no pattern, and a branch
    // on each group would mispredict.
    unsigned LocalMatches(const __m128i& key) const
    {
        const unsigned found = MatchesAt(0, key) | MatchesAt(4, key) << 4 | MatchesAt(8, key) << 8;
        return found & ((1u << count) - 1u);
    }
#endif
    void Reserve(int wanted)
    {
        if (wanted <= capacity)
            return;
        wanted = (wanted + 3) / 4 * 4;
        int* bigger = new int[static_cast<std::size_t>(wanted)];
        std::copy(items, items + count, bigger);
        if (items != local)
            delete[] items;
        items = bigger;
        capacity = wanted;
    }

    static constexpr int kLocal = 12;  // three groups of four, and so every capacity a multiple of four
    static_assert(kLocal == 12, "the local storage is worked as three groups of four");
    int* items = local;
    int count = 0;
    int capacity = kLocal;
    alignas(16) int local[kLocal] = {};
};
static_assert(sizeof(IndexList) == 64, "one list, one cache line");

template <class T>
void Release(std::vector<T>& items)
{
    std::vector<T>().swap(items);
}

// Per vertex, its position, its place and key in the heap and where its cheapest
// collapse goes: a cost reads the position and then sets the rest, all in one
// cache line.
struct Point {
    zVEC3 position;
    int heapPlace;
    std::uint64_t key;
    int target;
};

// Vertices by key, smallest first, each at most once: a key changes in place.
class VertexHeap {
public:
    // The places are kept in the points, one per vertex.
    void Reset(std::vector<Point>& vertexPoints)
    {
        points = &vertexPoints;
        keys.clear();
        keys.reserve(vertexPoints.size());
        for (Point& point : vertexPoints)
            point.heapPlace = -1;
    }
    // The key's low 32 bits are the vertex.
    void Set(std::uint64_t key)
    {
        const int vertex = static_cast<int>(key & 0xFFFFFFFFu);
        int at = PlaceOf(vertex);
        if (at < 0) {
            at = static_cast<int>(keys.size());
            keys.push_back(key);
            Up(at);
        } else if (key < KeyOf(vertex)) {
            keys[static_cast<std::size_t>(at)] = key;
            Up(at);
        } else {
            keys[static_cast<std::size_t>(at)] = key;
            Down(at);
        }
        KeyOf(vertex) = key;
    }
    bool Empty() const { return keys.empty(); }
    void Release() { std::vector<std::uint64_t>().swap(keys); }
    int First() const { return static_cast<int>(keys.front() & 0xFFFFFFFFu); }
    int PopFirst()
    {
        const int vertex = static_cast<int>(keys.front() & 0xFFFFFFFFu);
        PlaceOf(vertex) = -1;
        const std::uint64_t last = keys.back();
        keys.pop_back();
        if (!keys.empty()) {
            keys.front() = last;
            Down(0);
        }
        return vertex;
    }

private:
    void Put(int at, std::uint64_t key)
    {
        keys[static_cast<std::size_t>(at)] = key;
        PlaceOf(static_cast<int>(key & 0xFFFFFFFFu)) = at;
    }
    void Up(int at)
    {
        const std::uint64_t key = keys[static_cast<std::size_t>(at)];
        while (at > 0) {
            const int parent = (at - 1) / kArity;
            if (keys[static_cast<std::size_t>(parent)] <= key)
                break;
            Put(at, keys[static_cast<std::size_t>(parent)]);
            at = parent;
        }
        Put(at, key);
    }
    void Down(int at)
    {
        const std::uint64_t key = keys[static_cast<std::size_t>(at)];
        const int count = static_cast<int>(keys.size());
        for (;;) {
            const int first = kArity * at + 1;
            if (first >= count)
                break;
            // Which child is smallest has no pattern: picked without branches.
            int child = first;
            std::uint64_t least = keys[static_cast<std::size_t>(first)];
            const int end = std::min(first + kArity, count);
            for (int c = first + 1; c < end; ++c) {
                const std::uint64_t other = keys[static_cast<std::size_t>(c)];
                child = other < least ? c : child;
                least = other < least ? other : least;
            }
            if (key <= least)
                break;
            Put(at, least);
            at = child;
        }
        Put(at, key);
    }

    // Four children to a node: half the levels of a binary heap, and a node's
    // children lie side by side in one or two cache lines.
    static constexpr int kArity = 4;
    std::vector<std::uint64_t> keys;
    int& PlaceOf(int vertex) { return (*points)[static_cast<std::size_t>(vertex)].heapPlace; }
    std::uint64_t& KeyOf(int vertex) { return (*points)[static_cast<std::size_t>(vertex)].key; }

    std::vector<Point>* points = nullptr;  // heapPlace: the vertex's index in keys or -1
};

// The working state of one build. Vertices and triangles keep their source
// indices; removed ones are marked dead instead of being taken out of an array,
// and the cheapest vertex comes from a heap keyed by (cost, vertex index).
class Builder {
public:
    Builder(const zTProgMeshSource& source, int flags, zTProgMeshBuildResult& result)
        : src(source), flags(flags), out(result)
    {
    }

    void Run();

private:
    struct Vertex {
        IndexList neighbours;
        IndexList faces;
    };
    // What the costs read of a triangle, in half a cache line: its first touch in
    // a collapse is most often a cache miss, best paid once. Its corners' wedges,
    // read only by the collapse of one of its corners, are kept apart.
    struct alignas(32) Triangle {
        int vertex[3];
        zVEC3 normal;
        int source;  // index into the source triangles (corner attributes)
    };
    // A wedge names the source corner it takes its normal and texture coordinates
    // from (source triangle x 3 + corner); they are fetched when the result is laid
    // out, not while the collapses run.
    struct Wedge {
        int corner;
        int position;
    };
    // The cost's bits made to sort as unsigned numbers, then the vertex index: the
    // smallest key is the cheapest vertex, the lowest index among equals. Costs are
    // never NaN, and a zero cost is never negative zero.
    static std::uint64_t Key(float cost, int vertex)
    {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &cost, sizeof bits);
        bits = (bits & 0x80000000u) ? ~bits : (bits | 0x80000000u);
        return (static_cast<std::uint64_t>(bits) << 32) | static_cast<std::uint32_t>(vertex);
    }
    // u's triangles and neighbours for the costs of its collapses, when it has at
    // most W triangles, every neighbour has one to four sides (the triangles that
    // have it as a corner; more than two where the surface branches) and every
    // normal is finite, so that no dot product is NaN. The minima run over W
    // entries whatever the count: their loops have no varying ends to mispredict.
    template <int W>
    struct FanTable {
        static constexpr int kCorners = (W + 3) / 4 * 4;  // whole groups of four
        double x[W], y[W], z[W];  // the normals
        double dot[W][W];         // dot[i][j]: triangle i against triangle j
        // Per triangle, its corners other than u in corner order; entries past the
        // count are left from earlier vertices.
        int first[kCorners];
        int second[kCorners];
        int numSides[2 * W];
        int side[2 * W][4];

        // The triangles (as bits, triangle i as bit i) that have corner v; bits at
        // and past the count are to be cleared by the caller.
        unsigned SidesOf(int v, int count) const
        {
#if defined(__SSE2__)
            (void)count;
            const __m128i key = _mm_set1_epi32(v);
            unsigned bits = 0;
            for (int i = 0; i < kCorners; i += 4) {
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + i));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + i));
                const __m128i either = _mm_or_si128(_mm_cmpeq_epi32(a, key), _mm_cmpeq_epi32(b, key));
                bits |= static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(either))) << i;
            }
            return bits;
#else
            unsigned bits = 0;
            for (int i = 0; i < count; ++i)
                bits |= static_cast<unsigned>(first[i] == v || second[i] == v) << i;
            return bits;
#endif
        }
    };
    void SetUp();
    void BuildWedges(int v);
    void CollapseLoop();
    static void Prefetch(const void* at, std::size_t size)
    {
#if defined(__GNUC__)
        for (std::size_t line = 0; line < size; line += 64)
            __builtin_prefetch(static_cast<const char*>(at) + line);
#else
        (void)at;
        (void)size;
#endif
    }
    // What the next collapse and the costs after it read around vertex u.
    void PrefetchNeighbourhood(int u)
    {
        const Vertex& vertex = verts[static_cast<std::size_t>(u)];
        for (int f : vertex.faces) {
            Prefetch(&tris[static_cast<std::size_t>(f)], sizeof(Triangle));
            Prefetch(&triangleWedges[static_cast<std::size_t>(f)], sizeof(std::array<int, 3>));
        }
        for (int n : vertex.neighbours) {
            Prefetch(&verts[static_cast<std::size_t>(n)], sizeof(Vertex));
            Prefetch(&points[static_cast<std::size_t>(n)], sizeof(Point));
        }
    }
    void ComputeCostAtVertex(int u);
    float CollapseCost(int u, int v, int& border);
    // The cheapest collapse of u through a fan table; false, with best and target
    // untouched, when u does not fit one.
    template <int W>
    bool CheapestByFan(int u, FanTable<W>& fan, float& best, int& target);
    bool IsBorderVertex(int u) const;
    void Collapse(int u, int v);
    void CollapseWedges(int u, int v);
    // Leaves gone's face list and links as they are.
    void DeleteTriangle(int t, int gone);
    void ReplaceVertex(int t, int u, int v);
    void DeleteVertex(int u);
    // Drops the link between a and b when no triangle joins them any more.
    void Unlink(int a, int b);
    // Worked without branches: which corner it is has no pattern.
    bool HasVertex(int t, int v) const
    {
        const Triangle& tri = tris[t];
        return (tri.vertex[0] == v) | (tri.vertex[1] == v) | (tri.vertex[2] == v);
    }
    // v must be a corner of t.
    int CornerOf(int t, int v) const
    {
        const Triangle& tri = tris[t];
        return (tri.vertex[1] == v ? 1 : 0) | (tri.vertex[2] == v ? 2 : 0);
    }
    void ComputeNormal(Triangle& tri)
    {
        tri.normal = zCProgMeshBuilder::FaceNormal(PositionOf(tri.vertex[0]), PositionOf(tri.vertex[1]),
                                                   PositionOf(tri.vertex[2]));
    }
    const zVEC3& PositionOf(int v) const { return points[static_cast<std::size_t>(v)].position; }
    int NewWedge(const Triangle& tri, int k, int position)
    {
        wedges.push_back({tri.source * 3 + k, position});
        return static_cast<int>(wedges.size()) - 1;
    }
    const zTProgMeshSourceTriangle& SourceOf(const Wedge& wedge) const
    {
        return src.triangles[static_cast<std::size_t>(wedge.corner / 3)];
    }

    void BuildArrays();
    void ComputeNormals(std::vector<zTProgMeshBuiltWedge>& newWedges);
    void ExtractSubMesh(int material, const std::vector<std::array<int, 3>>& allTriangles,
                        const std::vector<int>& triangleMaterial, const std::vector<zTProgMeshBuiltWedge>& allWedges,
                        const std::vector<int>& allWedgeMap, const std::vector<std::array<int, 2>>& allLodSteps,
                        zTProgMeshBuiltSubMesh& sub);
    // Every triangle's plane moved to its place in the result.
    void PlaceTrianglePlanes();
    // The sub-mesh's planes; its triangle i is the result's allIndex[i], or i
    // when allIndex is null.
    void ComputePlanes(zTProgMeshBuiltSubMesh& sub, const std::vector<int>* allIndex);
    void ComputeEdges(zTProgMeshBuiltSubMesh& sub);

    const zTProgMeshSource& src;
    const int flags;
    zTProgMeshBuildResult& out;

    std::vector<Vertex> verts;
    std::vector<Triangle> tris;
    std::vector<std::array<int, 3>> triangleWedges;  // per triangle, its corners' wedges
    std::vector<std::array<int, 3>> initialWedges;  // per triangle, its wedges before the collapses
    std::vector<Wedge> wedges;
    std::vector<std::pair<int, int>> pairs;       // collapse pairs (from, to); to -1 for none
    std::vector<std::array<int, 2>> lodRecords;   // {triangle count, pair count}
    std::vector<int> vertexPerm;
    std::vector<int> trianglePerm;
    VertexHeap heap;
    FanTable<6> fan6{};
    FanTable<8> fan8{};
    FanTable<16> fan16{};
    std::vector<Point> points;
    IndexList vertexWedges;
    struct TrianglePlane {
        zTPlane3D plane;
        bool regular;
    };
    // Per triangle, its plane: worked out at set-up, where the corners' positions
    // are at hand, and moved to the triangle's place in the result at the end.
    std::vector<TrianglePlane> trianglePlanes;
    std::vector<int> materials;  // per triangle, its material
    int aliveTriangles = 0;
    // Normals worked out from finite positions are finite: only where a position
    // is not do the costs look out for them.
    bool positionsFinite = true;
    int next = -1;  // the cheapest vertex after the one collapsing, or -1
    // Reused by CollapseWedges.
    std::vector<std::pair<int, int>> noted;
};

void Builder::Run()
{
    SetUp();
    if (flags & zPM_BUILD_NO_SIMPLIFY) {
        for (std::size_t i = 0; i < verts.size(); ++i)
            vertexPerm[i] = static_cast<int>(i);
        for (std::size_t t = 0; t < tris.size(); ++t)
            trianglePerm[t] = static_cast<int>(t);
    } else {
        CollapseLoop();
    }
    BuildArrays();
}

void Builder::SetUp()
{
    const int numVerts = static_cast<int>(src.positions.size());
    verts = std::vector<Vertex>(static_cast<std::size_t>(numVerts));
    points.reserve(src.positions.size());
    for (const zVEC3& position : src.positions) {
        points.push_back({position, -1, 0, -1});
        positionsFinite = positionsFinite && std::isfinite(position.x) && std::isfinite(position.y) &&
                          std::isfinite(position.z);
    }
    tris.reserve(src.triangles.size());
    triangleWedges.reserve(src.triangles.size());
    materials.reserve(src.triangles.size());
    if (!(flags & zPM_BUILD_NO_PLANES))
        trianglePlanes.reserve(src.triangles.size());
    for (std::size_t j = 0; j < src.triangles.size(); ++j) {
        const zTProgMeshSourceTriangle& s = src.triangles[j];
        bool inside = true;
        for (int k = 0; k < 3; ++k)
            inside = inside && s.vertex[k] >= 0 && s.vertex[k] < numVerts;
        if (!inside)
            continue;
        if (s.vertex[0] == s.vertex[1] || s.vertex[1] == s.vertex[2] || s.vertex[0] == s.vertex[2]) {
            const zSTRING at = src.positions[s.vertex[0]].GetString();
            g_errorReporter.Report(zERR_MESSAGE, FormatResString(IDS_DEGENERATE_TRIANGLE, at));
            continue;
        }
        Triangle tri;
        const int t = static_cast<int>(tris.size());
        for (int k = 0; k < 3; ++k)
            tri.vertex[k] = s.vertex[k];
        tri.source = static_cast<int>(j);
        if (flags & zPM_BUILD_NO_PLANES) {
            ComputeNormal(tri);
        } else {
            TrianglePlane plane;
            plane.regular = PlaneAndNormal(PositionOf(s.vertex[0]), PositionOf(s.vertex[1]), PositionOf(s.vertex[2]),
                                           plane.plane, &tri.normal);
            trianglePlanes.push_back(plane);
        }
        tris.push_back(tri);
        triangleWedges.push_back({-1, -1, -1});
        materials.push_back(s.material);
        for (int i = 0; i < 3; ++i) {
            Vertex& corner = verts[tri.vertex[i]];
            corner.faces.Add(t);
            for (int k = 0; k < 3; ++k) {
                if (k != i)
                    corner.neighbours.AddUnique(tri.vertex[k]);
            }
        }
    }
    aliveTriangles = static_cast<int>(tris.size());

    for (int v = 0; v < numVerts; ++v)
        BuildWedges(v);
    initialWedges = triangleWedges;
    lodRecords.push_back({aliveTriangles, 0});
    vertexPerm.assign(verts.size(), 0);
    trianglePerm.assign(tris.size(), -1);
    out.order.assign(verts.size(), 0);
}

void Builder::BuildWedges(int v)
{
    Vertex& vertex = verts[v];
    IndexList& created = vertexWedges;  // this vertex's wedges so far
    created.Clear();
    for (int t : vertex.faces) {
        const Triangle& tri = tris[t];
        std::array<int, 3>& wedge = triangleWedges[static_cast<std::size_t>(t)];
        const zTProgMeshSourceTriangle& s = src.triangles[tri.source];
        for (int k = 0; k < 3; ++k) {
            if (tri.vertex[k] != v || wedge[k] >= 0)
                continue;
            for (int w : created) {
                const Wedge& made = wedges[w];
                const int c = made.corner % 3;
                if (zCProgMeshBuilder::TexCoordsMatch(SourceOf(made).texCoord[c], s.texCoord[k]) &&
                    NormalsMatch(SourceOf(made).normal[c], s.normal[k])) {
                    wedge[k] = w;
                    break;
                }
            }
            if (wedge[k] < 0) {
                wedge[k] = NewWedge(tri, k, v);
                created.Add(wedge[k]);
            }
        }
    }
}

void Builder::CollapseLoop()
{
    const int numVerts = static_cast<int>(verts.size());
    heap.Reset(points);
    for (int u = 0; u < numVerts; ++u)
        ComputeCostAtVertex(u);
    lodRecords.reserve(static_cast<std::size_t>(numVerts) + 1);
    for (int n = numVerts; n > 0; --n) {
        const int u = heap.PopFirst();
        const int v = points[static_cast<std::size_t>(u)].target;
        // The collapses wander over the whole mesh; the cheapest vertex now is
        // most often the next one, so its data is fetched while this one works.
        next = heap.Empty() ? -1 : heap.First();
        if (next >= 0)
            Prefetch(&verts[static_cast<std::size_t>(next)], sizeof(Vertex));
        vertexPerm[u] = n - 1;
        out.order[n - 1] = u;
        Collapse(u, v);
        lodRecords.push_back({aliveTriangles, static_cast<int>(pairs.size())});
    }
}

void Builder::ComputeCostAtVertex(int u)
{
    const Vertex& vertex = verts[u];
    int target = -1;
    float best = 0.0f;
    if (vertex.neighbours.empty()) {
        best = -0.01f;
    } else {
        best = FLT_MAX;
        const int count = vertex.faces.size();
        const bool byFan = count <= 6   ? CheapestByFan(u, fan6, best, target)
                           : count <= 8 ? CheapestByFan(u, fan8, best, target)
                                        : count <= 16 && CheapestByFan(u, fan16, best, target);
        if (!byFan) {
            int border = -1;  // worked out once, when a neighbour needs it
            for (int n : vertex.neighbours) {
                const float cost = CollapseCost(u, n, border);
                if (cost < best) {
                    best = cost;
                    target = n;
                }
            }
        }
        // Costs of infinity or NaN (huge or broken coordinates) choose no neighbour;
        // a vertex with triangles must still go somewhere, so it takes the first.
        if (target < 0) {
            best = FLT_MAX;
            target = vertex.neighbours.front();
        }
    }
    if (best == 0.0f)
        best = 0.0f;  // never negative zero
    points[static_cast<std::size_t>(u)].target = target;
    heap.Set(Key(best, u));
    // A vertex that comes first after a collapse was not foreseen at its start.
    if (next >= 0 && heap.First() == u && u != next)
        PrefetchNeighbourhood(u);
}

float Builder::CollapseCost(int u, int v, int& border)
{
    const Vertex& vertex = verts[u];
    const double length = Length(Sub(D(PositionOf(v)), D(PositionOf(u))));
    int sides[64];
    int numSides = 0;
    std::vector<int> moreSides;
    for (int f : vertex.faces) {
        if (!HasVertex(f, v))
            continue;
        if (numSides < 64)
            sides[numSides] = f;
        else
            moreSides.push_back(f);
        ++numSides;
    }
    auto dot = [&](int i, int s) {
        const int side = s < 64 ? sides[s] : moreSides[static_cast<std::size_t>(s - 64)];
        return Dot(D(tris[vertex.faces[i]].normal), D(tris[side].normal));
    };
    return CostOf(length, vertex.faces.size(), numSides, dot, border, [&] { return IsBorderVertex(u); });
}

// CostOf worked on the fan table. Its term (1 - dot) / 2 never grows
// with the dot product, so the smallest term against the sides is the term of the
// largest dot, and the largest of those over the triangles is the term of the
// smallest such dot: one term per neighbour gives the same value. A border vertex
// is one with a neighbour of one side or of two successive sides facing apart.
template <int W>
bool Builder::CheapestByFan(int u, FanTable<W>& fan, float& best, int& target)
{
    const Vertex& vertex = verts[static_cast<std::size_t>(u)];
    const int count = vertex.faces.size();
    const int numNeighbours = vertex.neighbours.size();
    if (numNeighbours > 2 * W)
        return false;
    const int* neighbours = vertex.neighbours.begin();
    // -infinity for a triangle, +infinity past the count: row entries past the
    // count are left from earlier vertices, and the larger of the two is taken.
    // One row per count, made once.
    static const auto masks = [] {
        std::array<std::array<double, W>, W + 1> rows{};
        for (int n = 0; n <= W; ++n) {
            for (int j = 0; j < W; ++j)
                rows[static_cast<std::size_t>(n)][static_cast<std::size_t>(j)] = j < n ? -HUGE_VAL : HUGE_VAL;
        }
        return rows;
    }();
    const double* past = masks[static_cast<std::size_t>(count)].data();
    for (int i = 0; i < count; ++i) {
        const Triangle& tri = tris[static_cast<std::size_t>(vertex.faces[i])];
        fan.x[i] = tri.normal.x;
        fan.y[i] = tri.normal.y;
        fan.z[i] = tri.normal.z;
        // The corners other than u, in corner order, picked without branches: which
        // corner u is has no pattern.
        const bool at0 = tri.vertex[0] == u;
        const bool at1 = tri.vertex[1] == u;
        const bool at2 = tri.vertex[2] == u;
        if (at0 + at1 + at2 != 1)
            return false;
        fan.first[i] = at0 ? tri.vertex[1] : tri.vertex[0];
        fan.second[i] = at2 ? tri.vertex[1] : tri.vertex[2];
    }
    if (!positionsFinite) {
        double sum = 0.0;  // infinite or NaN when a normal is
        for (int i = 0; i < count; ++i)
            sum += fan.x[i] + fan.y[i] + fan.z[i];
        if (!std::isfinite(sum))
            return false;
    }
    // Whole rows, two products at a time, each worked in the order Dot() works it;
    // a row's entries past the count come from normals left from earlier vertices,
    // finite all the same, and are not looked at.
    for (int i = 0; i < count; ++i) {
        const Pair xi = Twice(fan.x[i]), yi = Twice(fan.y[i]), zi = Twice(fan.z[i]);
        for (int j = 0; j < count; j += 2)
            StorePair(fan.dot[i] + j, xi * PairAt(fan.x + j) + yi * PairAt(fan.y + j) + zi * PairAt(fan.z + j));
    }
    // Each neighbour's sides, in triangle order. Every triangle has two corners
    // besides u and the neighbours are distinct, so the sides add up to twice the
    // triangles exactly when every corner is a neighbour. A side and the one before
    // it facing apart make a border.
    const unsigned live = (1u << count) - 1u;
    int numSides = 0;
    bool border = false;
    for (int a = 0; a < numNeighbours; ++a) {
        unsigned bits = fan.SidesOf(neighbours[a], count) & live;
        int* sides = fan.side[a];
        int n = 0;
        for (; bits != 0; bits &= bits - 1) {
            if (n == 4)
                return false;
            sides[n++] = LowestBit(bits);
        }
        if (n == 0)
            return false;
        fan.numSides[a] = n;
        numSides += n;
        border |= n == 1 || fan.dot[sides[0]][sides[1]] < -0.95 || (n >= 3 && fan.dot[sides[1]][sides[2]] < -0.95) ||
                  (n == 4 && fan.dot[sides[2]][sides[3]] < -0.95);
    }
    if (numSides != 2 * count)
        return false;
    const zVEC3& at = PositionOf(u);
    for (int a = 0; a < numNeighbours; ++a) {
        const int v = neighbours[a];
        const double length = Length(Sub(D(PositionOf(v)), D(at)));
        const int n = fan.numSides[a];
        const int* sides = fan.side[a];
        // Over the triangles, of the largest dot against the sides; even and odd
        // entries apart, worked side by side. Which of two equal values is kept does
        // not matter: they differ at most in the sign of a zero. A missing side
        // repeats the one before it.
        const double* r0 = fan.dot[sides[0]];
        const double* r1 = fan.dot[sides[n >= 2 ? 1 : 0]];
        Pair least = Twice(HUGE_VAL);
        if (n <= 2) {
            for (int i = 0; i < W; i += 2) {
                const Pair largest = Larger(PairAt(r1 + i), PairAt(r0 + i));
                least = Smaller(least, Larger(largest, PairAt(past + i)));
            }
        } else {
            const double* r2 = fan.dot[sides[2]];
            const double* r3 = fan.dot[sides[n == 4 ? 3 : 2]];
            for (int i = 0; i < W; i += 2) {
                Pair largest = Larger(PairAt(r1 + i), PairAt(r0 + i));
                largest = Larger(PairAt(r2 + i), largest);
                largest = Larger(PairAt(r3 + i), largest);
                least = Smaller(least, Larger(largest, PairAt(past + i)));
            }
        }
        const double smallest = least[1] < least[0] ? least[1] : least[0];
        double curvature = (1.0 - smallest) * 0.5;
        curvature = curvature < 1.0 ? curvature : 1.0;
        curvature = curvature > 0.0 ? curvature : 0.0;
        const float cost = static_cast<float>(n >= 2 && border ? length : length * curvature);
        if (cost < best) {
            best = cost;
            target = v;
        }
    }
    return true;
}

bool Builder::IsBorderVertex(int u) const
{
    const Vertex& vertex = verts[u];
    for (int n : vertex.neighbours) {
        int count = 0;
        int previous = -1;
        for (int f : vertex.faces) {
            if (!HasVertex(f, n))
                continue;
            if (count > 0 && Dot(D(tris[previous].normal), D(tris[f].normal)) < -0.95)
                return true;
            previous = f;
            ++count;
        }
        if (count == 1)
            return true;
    }
    return false;
}

void Builder::Collapse(int u, int v)
{
    Vertex& vertex = verts[u];
    // Every link change below reads the neighbours' lists: asked for now, they
    // come while the wedges are worked out.
    for (int n : vertex.neighbours)
        Prefetch(&verts[static_cast<std::size_t>(n)], sizeof(Vertex));
    CollapseWedges(u, v);
    if (v < 0) {
        // Only a vertex without triangles has no target.
        for (int i = vertex.faces.size() - 1; i >= 0; --i)
            DeleteTriangle(vertex.faces[i], u);
        vertex.faces.Clear();
        DeleteVertex(u);
        return;
    }
    // u goes at the end with all its links, so its own face list and the links it
    // would lose on the way are left to DeleteVertex: no other list sees the
    // difference. A triangle still on v when its turn comes was deleted.
    const IndexList remembered = vertex.neighbours;
    // The costs worked out at the end read the neighbours' triangles and their
    // neighbours' points: asked for all at once, they arrive side by side instead
    // of one cost's worth at a time.
    for (int n : remembered) {
        const Vertex& around = verts[static_cast<std::size_t>(n)];
        for (int f : around.faces)
            Prefetch(&tris[static_cast<std::size_t>(f)], sizeof(Triangle));
        for (int m : around.neighbours)
            Prefetch(&points[static_cast<std::size_t>(m)], sizeof(zVEC3));
    }
    if (next >= 0)
        PrefetchNeighbourhood(next);
    const int* faces = vertex.faces.begin();
    for (int i = vertex.faces.size() - 1; i >= 0; --i) {
        if (HasVertex(faces[i], v))
            DeleteTriangle(faces[i], u);
    }
    for (int i = vertex.faces.size() - 1; i >= 0; --i) {
        if (!HasVertex(faces[i], v))
            ReplaceVertex(faces[i], u, v);
    }
    vertex.faces.Clear();
    DeleteVertex(u);
    for (int n : remembered)
        ComputeCostAtVertex(n);
}

void Builder::CollapseWedges(int u, int v)
{
    const Vertex& vertex = verts[u];
    noted.clear();
    if (v >= 0) {
        for (int f : vertex.faces) {
            if (HasVertex(f, v))
                noted.emplace_back(triangleWedges[static_cast<std::size_t>(f)][static_cast<std::size_t>(CornerOf(f, u))],
                                   triangleWedges[static_cast<std::size_t>(f)][static_cast<std::size_t>(CornerOf(f, v))]);
        }
    }
    const std::size_t firstPair = pairs.size();
    for (int f : vertex.faces) {
        const Triangle& tri = tris[f];
        const int k = CornerOf(f, u);
        int& wedge = triangleWedges[static_cast<std::size_t>(f)][static_cast<std::size_t>(k)];
        const int w = wedge;
        const auto note = std::find_if(noted.begin(), noted.end(), [w](const auto& p) { return p.first == w; });
        if (note != noted.end()) {
            wedge = note->second;
            const bool paired = std::any_of(pairs.begin() + static_cast<std::ptrdiff_t>(firstPair), pairs.end(),
                                            [w](const auto& p) { return p.first == w; });
            if (!paired)
                pairs.emplace_back(w, note->second);
        } else if (v >= 0) {
            const int created = NewWedge(tri, k, v);
            noted.emplace_back(w, created);
            pairs.emplace_back(w, created);
            wedge = created;
        } else {
            pairs.emplace_back(w, -1);
            wedge = -1;
        }
    }
}

void Builder::DeleteTriangle(int t, int gone)
{
    const Triangle& tri = tris[t];
    trianglePerm[t] = aliveTriangles - 1;
    --aliveTriangles;
    // The corners other than gone in corner order, and the one side without gone,
    // from the corner after gone's to the one after that.
    const int g = CornerOf(t, gone);
    const int a = tri.vertex[g == 0 ? 1 : 0];
    const int b = tri.vertex[g == 2 ? 1 : 2];
    verts[a].faces.Remove(t);
    verts[b].faces.Remove(t);
    Unlink(g == 1 ? b : a, g == 1 ? a : b);
}

void Builder::ReplaceVertex(int t, int u, int v)
{
    Triangle& tri = tris[t];
    const int k = CornerOf(t, u);
    tri.vertex[k] = v;
    verts[v].faces.Add(t);
    // The other two corners, in corner order, stay linked through t itself.
    const int a = tri.vertex[k == 0 ? 1 : 0];
    const int b = tri.vertex[k == 2 ? 1 : 2];
    verts[v].neighbours.AddUnique(a);
    verts[a].neighbours.AddUnique(v);
    verts[v].neighbours.AddUnique(b);
    verts[b].neighbours.AddUnique(v);
    ComputeNormal(tri);
}

void Builder::DeleteVertex(int u)
{
    Vertex& vertex = verts[u];
    for (int n : vertex.neighbours)
        verts[n].neighbours.Remove(u);
    vertex.neighbours.Clear();
}

// Links are always made and dropped in pairs, and a triangle is in the face list
// of each of its corners, so one look at a's side decides both directions.
void Builder::Unlink(int a, int b)
{
    Vertex& vertex = verts[a];
    if (a == b || !vertex.neighbours.Contains(b))
        return;
    // A triangle joins them when it is in both face lists: the lists are in hand,
    // the triangles' corners would have to be fetched.
    if (vertex.faces.SharesAny(verts[b].faces))
        return;
    vertex.neighbours.Remove(b);
    verts[b].neighbours.Remove(a);
}

void Builder::BuildArrays()
{
    const bool simplified = !(flags & zPM_BUILD_NO_SIMPLIFY);
    const int numWedges = static_cast<int>(wedges.size());
    const int numVerts = static_cast<int>(verts.size());
    const std::size_t numTriangles = tris.size();
    // The links, the heap and the triangles' present corners are done with: let
    // the result's arrays take their memory instead of adding to it.
    Release(verts);
    Release(points);
    Release(tris);
    Release(triangleWedges);
    heap.Release();

    // Wedges that enter a collapse pair count down from the top by their first
    // pair; the others count up from 0 in creation order.
    std::vector<int> firstPair(static_cast<std::size_t>(numWedges), -1);
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const int w = pairs[k].first;
        if (w >= 0 && firstPair[static_cast<std::size_t>(w)] < 0)
            firstPair[static_cast<std::size_t>(w)] = static_cast<int>(k);
    }
    std::vector<int> newIndex(static_cast<std::size_t>(numWedges));
    int nextFree = 0;
    for (int w = 0; w < numWedges; ++w) {
        const int k = firstPair[static_cast<std::size_t>(w)];
        newIndex[static_cast<std::size_t>(w)] = k >= 0 ? numWedges - 1 - k : nextFree++;
    }

    out.positions.assign(static_cast<std::size_t>(numVerts), zVEC3());
    for (int i = 0; i < numVerts; ++i)
        out.positions[static_cast<std::size_t>(vertexPerm[static_cast<std::size_t>(i)])] =
            src.positions[static_cast<std::size_t>(i)];
    if (!simplified) {
        for (int i = 0; i < numVerts; ++i)
            out.order[static_cast<std::size_t>(i)] = i;
    }

    std::vector<zTProgMeshBuiltWedge> newWedges(static_cast<std::size_t>(numWedges));
    std::vector<int> wedgeMap;
    if (simplified)
        wedgeMap.assign(static_cast<std::size_t>(numWedges), -1);
    for (int w = 0; w < numWedges; ++w) {
        const int at = newIndex[static_cast<std::size_t>(w)];
        const Wedge& wedge = wedges[static_cast<std::size_t>(w)];
        const int c = wedge.corner % 3;
        newWedges[static_cast<std::size_t>(at)] = {SourceOf(wedge).normal[c], SourceOf(wedge).texCoord[c],
                                                   vertexPerm[static_cast<std::size_t>(wedge.position)]};
        const int k = firstPair[static_cast<std::size_t>(w)];
        if (simplified && k >= 0) {
            const int to = pairs[static_cast<std::size_t>(k)].second;
            wedgeMap[static_cast<std::size_t>(at)] = to >= 0 ? newIndex[static_cast<std::size_t>(to)] : -1;
        }
    }

    std::vector<std::array<int, 3>> allTriangles(numTriangles);
    // Which triangle has which material matters only to split the result.
    const bool split = src.numMaterials != 1;
    std::vector<int> triangleMaterial(split ? numTriangles : 0);
    for (std::size_t t = 0; t < numTriangles; ++t) {
        const int perm = trianglePerm[t];
        const std::size_t at = perm >= 0 ? static_cast<std::size_t>(perm) : t;
        for (int k = 0; k < 3; ++k)
            allTriangles[at][static_cast<std::size_t>(k)] = newIndex[static_cast<std::size_t>(initialWedges[t][static_cast<std::size_t>(k)])];
        if (split)
            triangleMaterial[at] = materials[t];
    }

    const std::size_t numSteps = lodRecords.size();
    std::vector<std::array<int, 2>> allLodSteps(numSteps);
    for (std::size_t k = 0; k < numSteps; ++k)
        allLodSteps[numSteps - 1 - k] = {lodRecords[k][0], numWedges - lodRecords[k][1]};

    if (!(flags & zPM_BUILD_NO_NORMALS))
        ComputeNormals(newWedges);
    if (!(flags & zPM_BUILD_NO_PLANES))
        PlaceTrianglePlanes();

    out.subMeshes.clear();
    if (src.numMaterials == 1) {
        zTProgMeshBuiltSubMesh sub;
        sub.triangles = std::move(allTriangles);
        sub.wedges = std::move(newWedges);
        sub.wedgeMap = std::move(wedgeMap);
        sub.lodSteps = std::move(allLodSteps);
        if (!(flags & zPM_BUILD_NO_PLANES))
            ComputePlanes(sub, nullptr);
        if (flags & zPM_BUILD_EDGES)
            ComputeEdges(sub);
        out.subMeshes.push_back(std::move(sub));
    } else {
        out.subMeshes.resize(static_cast<std::size_t>(std::max(0, src.numMaterials)));
        for (int m = 0; m < src.numMaterials; ++m)
            ExtractSubMesh(m, allTriangles, triangleMaterial, newWedges, wedgeMap, allLodSteps,
                           out.subMeshes[static_cast<std::size_t>(m)]);
    }
}

void Builder::ComputeNormals(std::vector<zTProgMeshBuiltWedge>& newWedges)
{
    out.normals.assign(out.positions.size(), zVEC3());
    const float h = static_cast<float>(-1.0 / std::sqrt(2.0));
    for (zTProgMeshBuiltWedge& wedge : newWedges) {
        zVEC3& normal = out.normals[static_cast<std::size_t>(wedge.position)];
        if (zCProgMeshBuilder::IsUnitNormal(wedge.normal)) {
            normal = wedge.normal;
        } else {
            wedge.normal = zVEC3(h, h, 0.0f);
            normal = zVEC3();
        }
    }
}

void Builder::ExtractSubMesh(int material, const std::vector<std::array<int, 3>>& allTriangles,
                             const std::vector<int>& triangleMaterial,
                             const std::vector<zTProgMeshBuiltWedge>& allWedges, const std::vector<int>& allWedgeMap,
                             const std::vector<std::array<int, 2>>& allLodSteps, zTProgMeshBuiltSubMesh& sub)
{
    const bool simplified = !(flags & zPM_BUILD_NO_SIMPLIFY);
    const std::size_t numWedges = allWedges.size();
    sub.material = material;

    std::vector<char> marked(numWedges, 0);
    for (std::size_t t = 0; t < allTriangles.size(); ++t) {
        if (triangleMaterial[t] != material)
            continue;
        for (int w : allTriangles[t])
            marked[static_cast<std::size_t>(w)] = 1;
    }
    if (simplified) {
        // Whatever the triangles' wedges collapse into belongs to the sub-mesh too.
        for (std::size_t w = 0; w < numWedges; ++w) {
            if (marked[w] != 1)
                continue;
            for (int to = allWedgeMap[w]; to >= 0 && !marked[static_cast<std::size_t>(to)];
                 to = allWedgeMap[static_cast<std::size_t>(to)])
                marked[static_cast<std::size_t>(to)] = 2;
        }
    }
    std::vector<int> renumbered(numWedges, -1);
    for (std::size_t w = 0; w < numWedges; ++w) {
        if (!marked[w])
            continue;
        renumbered[w] = static_cast<int>(sub.wedges.size());
        sub.wedges.push_back(allWedges[w]);
    }
    std::vector<int> trianglesBelow(allTriangles.size() + 1, 0);
    std::vector<int> allIndex;
    for (std::size_t t = 0; t < allTriangles.size(); ++t) {
        const bool mine = triangleMaterial[t] == material;
        trianglesBelow[t + 1] = trianglesBelow[t] + (mine ? 1 : 0);
        if (mine) {
            allIndex.push_back(static_cast<int>(t));
            std::array<int, 3> tri;
            for (std::size_t k = 0; k < 3; ++k)
                tri[k] = renumbered[static_cast<std::size_t>(allTriangles[t][k])];
            sub.triangles.push_back(tri);
        }
    }
    const int subTriangles = static_cast<int>(sub.triangles.size());
    const int subWedges = static_cast<int>(sub.wedges.size());
    if (!simplified) {
        sub.lodSteps.push_back({subTriangles, subWedges});
    } else {
        sub.wedgeMap.reserve(sub.wedges.size());
        for (std::size_t w = 0; w < numWedges; ++w) {
            if (!marked[w])
                continue;
            const int to = allWedgeMap[w];
            sub.wedgeMap.push_back(to >= 0 ? renumbered[static_cast<std::size_t>(to)] : -1);
        }
        std::vector<int> wedgesBelow(numWedges + 1, 0);
        for (std::size_t w = 0; w < numWedges; ++w)
            wedgesBelow[w + 1] = wedgesBelow[w] + (marked[w] ? 1 : 0);
        // From the full mesh down: each step drops the sub-mesh's share of what the
        // whole mesh drops between the two steps.
        const std::size_t numSteps = allLodSteps.size();
        sub.lodSteps.assign(numSteps, {subTriangles, subWedges});
        for (std::size_t k = numSteps; k-- > 1;) {
            const auto& low = allLodSteps[k - 1];
            const auto& high = allLodSteps[k];
            sub.lodSteps[k - 1][0] = sub.lodSteps[k][0] - (trianglesBelow[static_cast<std::size_t>(high[0])] -
                                                           trianglesBelow[static_cast<std::size_t>(low[0])]);
            sub.lodSteps[k - 1][1] = sub.lodSteps[k][1] - (wedgesBelow[static_cast<std::size_t>(high[1])] -
                                                           wedgesBelow[static_cast<std::size_t>(low[1])]);
        }
    }
    if (!(flags & zPM_BUILD_NO_PLANES))
        ComputePlanes(sub, &allIndex);
    if (flags & zPM_BUILD_EDGES)
        ComputeEdges(sub);
}

// Planes are looked up by distance: a plane within 0.1 lies in the cell of the
// candidate or in one beside it. Each cell chains its planes by index, so the first
// match of every cell is that cell's lowest, and the lowest of those is the first.
void Builder::PlaceTrianglePlanes()
{
    std::vector<TrianglePlane> placed(trianglePlanes.size());
    for (std::size_t t = 0; t < trianglePlanes.size(); ++t) {
        const int perm = trianglePerm[t];
        placed[perm >= 0 ? static_cast<std::size_t>(perm) : t] = trianglePlanes[t];
    }
    trianglePlanes.swap(placed);
}

void Builder::ComputePlanes(zTProgMeshBuiltSubMesh& sub, const std::vector<int>* allIndex)
{
    const std::size_t numTriangles = sub.triangles.size();
    auto planeOf = [&](std::size_t i) -> const TrianglePlane& {
        return trianglePlanes[allIndex ? static_cast<std::size_t>((*allIndex)[i]) : i];
    };
    // A distance that is not finite never matches, nor is it ever matched: such
    // planes stay out of the cells.
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    for (std::size_t i = 0; i < numTriangles; ++i) {
        const TrianglePlane& of = planeOf(i);
        if (std::isfinite(of.plane.distance)) {
            low = std::min(low, static_cast<double>(of.plane.distance));
            high = std::max(high, static_cast<double>(of.plane.distance));
        }
    }
    // Cells an eighth wide (0.1 and a margin), or wider where the distances spread
    // so far that the cells would outnumber the triangles many times over.
    const double maxCells = std::max(1024.0, 4.0 * static_cast<double>(numTriangles));
    double scale = 8.0;
    if (high > low && (high - low) * scale > maxCells)
        scale = maxCells / (high - low);
    const double base = high >= low ? std::floor(low * scale) : 0.0;
    // Cell c of a distance sits at c + 1: the cells below the lowest and above the
    // highest are there to be looked at, and stay empty. From the lowest distance
    // up the value cut is never negative, so the cut is the floor.
    auto cellOf = [scale, base](float distance) {
        return static_cast<int>(static_cast<double>(distance) * scale - base) + 1;
    };
    const int numCells = high >= low ? cellOf(static_cast<float>(high)) + 2 : 0;
    struct Cell {
        int first;
        int last;
    };
    std::vector<Cell> cells(static_cast<std::size_t>(numCells), Cell{-1, -1});
    std::vector<int> nextInCell;
    sub.trianglePlanes.reserve(numTriangles);
    for (std::size_t i = 0; i < numTriangles; ++i) {
        const TrianglePlane& of = planeOf(i);
        const zTPlane3D& plane = of.plane;
        const bool inCells = std::isfinite(plane.distance);
        const int cell = inCells ? cellOf(plane.distance) : -1;
        int found = -1;
        if (inCells && of.regular) {
            // The candidate's own cell first: its match, most often the first,
            // cuts the scans of the cells beside it short.
            for (const int c : {cell, cell - 1, cell + 1}) {
                for (int p = cells[static_cast<std::size_t>(c)].first; p >= 0 && (found < 0 || p < found);
                     p = nextInCell[static_cast<std::size_t>(p)]) {
                    if (zCProgMeshBuilder::PlanesMatch(plane, sub.planes[static_cast<std::size_t>(p)])) {
                        found = p;
                        break;
                    }
                }
            }
        }
        if (found < 0) {
            found = static_cast<int>(sub.planes.size());
            sub.planes.push_back(plane);
            nextInCell.push_back(-1);
            if (inCells) {
                Cell& entry = cells[static_cast<std::size_t>(cell)];
                if (entry.first < 0)
                    entry.first = found;
                else
                    nextInCell[static_cast<std::size_t>(entry.last)] = found;
                entry.last = found;
            }
        }
        sub.trianglePlanes.push_back(found);
    }
}

void Builder::ComputeEdges(zTProgMeshBuiltSubMesh& sub)
{
    // Edges by their lower wedge: (higher wedge, edge index).
    std::vector<std::vector<std::pair<int, int>>> byWedge(sub.wedges.size());
    sub.triangleEdges.reserve(sub.triangles.size());
    for (const auto& tri : sub.triangles) {
        std::array<int, 3> triEdges;
        for (std::size_t k = 0; k < 3; ++k) {
            const int a = tri[k];
            const int b = tri[(k + 1) % 3];
            auto& list = byWedge[static_cast<std::size_t>(std::min(a, b))];
            const int high = std::max(a, b);
            int found = -1;
            for (const auto& entry : list) {
                if (entry.first == high) {
                    found = entry.second;
                    break;
                }
            }
            if (found < 0) {
                found = static_cast<int>(sub.edges.size());
                sub.edges.push_back({a, b});
                list.emplace_back(high, found);
            }
            triEdges[k] = found;
        }
        sub.triangleEdges.push_back(triEdges);
    }
    sub.edgeScores.reserve(sub.edges.size());
    for (const auto& edge : sub.edges) {
        const int pa = sub.wedges[static_cast<std::size_t>(edge[0])].position;
        const int pb = sub.wedges[static_cast<std::size_t>(edge[1])].position;
        const zVEC3 none;
        const bool haveNormals = !out.normals.empty();
        sub.edgeScores.push_back(zCProgMeshBuilder::EdgeScore(
            out.positions[static_cast<std::size_t>(pa)], out.positions[static_cast<std::size_t>(pb)],
            haveNormals ? out.normals[static_cast<std::size_t>(pa)] : none,
            haveNormals ? out.normals[static_cast<std::size_t>(pb)] : none));
    }
}

} // namespace

void zCProgMeshBuilder::Build(const zTProgMeshSource& source, int flags, zTProgMeshBuildResult& result)
{
    result = zTProgMeshBuildResult();
    Builder(source, flags, result).Run();
}

bool zCProgMeshBuilder::TexCoordsMatch(const zVEC2& a, const zVEC2& b)
{
    float ua = a.x, va = a.y, ub = b.x, vb = b.y;
    if (std::fabs(ua - ub) < 0.01f && std::fabs(va - vb) < 0.01f)
        return true;
    (ua < ub ? ua : ub) += 1.0f;
    (va < vb ? va : vb) += 1.0f;
    return std::fabs(ua - ub) < 0.01f && std::fabs(va - vb) < 0.01f;
}

zVEC3 zCProgMeshBuilder::FaceNormal(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2)
{
    return F(Normalized(Cross(Sub(D(p1), D(p0)), Sub(D(p2), D(p1)))));
}

bool zCProgMeshBuilder::TrianglePlane(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2, zTPlane3D& plane)
{
    return PlaneAndNormal(p0, p1, p2, plane, nullptr);
}

namespace {

bool PlaneAndNormal(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2, zTPlane3D& plane, zVEC3* faceNormal)
{
    const DVec a = Sub(D(p1), D(p0));
    const DVec b = Sub(D(p2), D(p1));
    const DVec cross = Cross(Sub(D(p0), D(p1)), b);
    const DVec n = Normalized(cross);
    if (faceNormal)
        *faceNormal = -F(n);
    // Sides whose unit directions agree within 0.001 a coordinate (or with one
    // turned round) are at most 0.002 radians apart: where the sine of their
    // angle is above 0.01, the directions need not be worked out to tell.
    const double aa = Dot(a, a);
    const double bb = Dot(b, b);
    const bool clearlyRegular = aa > 0.0 && bb > 0.0 && Dot(cross, cross) > 1e-4 * aa * bb;
    bool degenerate = false;
    if (!clearlyRegular) {
        const DVec e1 = Normalized(a);
        const DVec e2 = Normalized(b);
        // Zero-length sides count as degenerate too: they have no direction.
        degenerate = Length(a) == 0.0 || Length(b) == 0.0 || EqualEps(e1, e2) ||
                     EqualEps(e1, DVec{-e2.x, -e2.y, -e2.z});
    }
    if (degenerate) {
        plane.distance = 0.0f;
        plane.normal = F(Normalized(DVec{-static_cast<double>(p0.x), -static_cast<double>(p0.y),
                                         -static_cast<double>(p0.z)}));
        return false;
    }
    plane.normal = F(n);
    plane.distance = static_cast<float>(Dot(n, D(p1)));
    return true;
}

} // namespace

bool zCProgMeshBuilder::PlanesMatch(const zTPlane3D& plane, const zTPlane3D& existing)
{
    // Both tests are always made: which of them fails has no pattern, and one
    // branch on the pair mispredicts less than two.
    const bool near = std::fabs(static_cast<double>(plane.distance) - existing.distance) < 0.1;
    const bool facing = Dot(D(plane.normal), D(existing.normal)) > 0.95;
    return near & facing;
}

float zCProgMeshBuilder::EdgeScore(const zVEC3& pa, const zVEC3& pb, const zVEC3& na, const zVEC3& nb)
{
    const DVec delta = Sub(D(pb), D(pa));
    const double length = Length(delta);
    if (length == 0.0)
        return 0.0f;
    const DVec d{delta.x / length, delta.y / length, delta.z / length};
    const DVec a = D(na);
    const DVec b = D(nb);
    double x = Length(Cross(d, a)) * Length(Cross(d, b)) + Dot(d, a) * Dot(d, b);
    if (x < -0.1)
        x = 1.0;
    if (x <= 0.0)
        x = 0.0;  // -0 too
    if (x > 1.0)
        x = 1.0;
    return static_cast<float>((1.0 - x) * length * 0.2);
}

bool zCProgMeshBuilder::IsUnitNormal(const zVEC3& normal)
{
    const double length = Length(D(normal));
    return !(length < 0.98 || length > 1.02);
}
