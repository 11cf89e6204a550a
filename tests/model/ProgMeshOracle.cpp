// The direct progressive-mesh builder that the real one is checked against.
#include "ProgMeshOracle.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>

namespace {

struct OTriangle;

struct OVertex {
    int index;
    zVEC3 position;
    std::vector<OVertex*> neighbours;
    std::vector<OTriangle*> faces;
    float cost = 0.0f;
    OVertex* target = nullptr;
};

struct OWedge {
    zVEC3 normal;
    zVEC2 texCoord;
    int position;
};

struct OTriangle {
    int index;
    OWedge* wedge[3] = {nullptr, nullptr, nullptr};
    OVertex* vertex[3];
    zVEC2 texCoord[3];
    zVEC3 cornerNormal[3];
    zVEC3 normal;
    int material;

    bool Has(const OVertex* v) const { return vertex[0] == v || vertex[1] == v || vertex[2] == v; }
    int Corner(const OVertex* v) const { return vertex[0] == v ? 0 : vertex[1] == v ? 1 : 2; }
    void ComputeNormal() { normal = zCProgMeshBuilder::FaceNormal(vertex[0]->position, vertex[1]->position, vertex[2]->position); }
};

template <class T>
void RemoveFrom(std::vector<T>& list, T item)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == item) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

template <class T>
bool Contains(const std::vector<T>& list, T item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

double Dot(const zVEC3& a, const zVEC3& b)
{
    return static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y + static_cast<double>(a.z) * b.z;
}

class Oracle {
public:
    Oracle(const zTProgMeshSource& s, int f, zTProgMeshBuildResult& r) : source(s), flags(f), out(r) {}

    void Run()
    {
        // Setup.
        for (std::size_t i = 0; i < source.positions.size(); ++i) {
            allVertices.push_back(std::make_unique<OVertex>());
            allVertices.back()->index = static_cast<int>(i);
            allVertices.back()->position = source.positions[i];
            vertices.push_back(allVertices.back().get());
        }
        for (const zTProgMeshSourceTriangle& s : source.triangles) {
            bool ok = true;
            for (int k = 0; k < 3; ++k)
                ok = ok && s.vertex[k] >= 0 && s.vertex[k] < static_cast<int>(source.positions.size());
            if (!ok || s.vertex[0] == s.vertex[1] || s.vertex[1] == s.vertex[2] || s.vertex[0] == s.vertex[2])
                continue;
            allTriangles.push_back(std::make_unique<OTriangle>());
            OTriangle* t = allTriangles.back().get();
            t->index = static_cast<int>(allTriangles.size()) - 1;
            for (int k = 0; k < 3; ++k) {
                t->vertex[k] = vertices[static_cast<std::size_t>(s.vertex[k])];
                t->texCoord[k] = s.texCoord[k];
                t->cornerNormal[k] = s.normal[k];
            }
            t->material = s.material;
            t->ComputeNormal();
            triangles.push_back(t);
            for (int i = 0; i < 3; ++i) {
                t->vertex[i]->faces.push_back(t);
                for (int j = 0; j < 3; ++j) {
                    if (i != j && !Contains(t->vertex[i]->neighbours, t->vertex[j]))
                        t->vertex[i]->neighbours.push_back(t->vertex[j]);
                }
            }
        }
        for (OVertex* v : vertices)
            BuildWedges(v);
        std::vector<std::array<int, 3>> triangleWedges;
        std::vector<int> triangleMaterial;
        for (OTriangle* t : triangles) {
            std::array<int, 3> w;
            for (int k = 0; k < 3; ++k)
                w[static_cast<std::size_t>(k)] = WedgeIndex(t->wedge[k]);
            triangleWedges.push_back(w);
            triangleMaterial.push_back(t->material);
        }
        std::vector<zVEC3> positions;
        for (OVertex* v : vertices)
            positions.push_back(v->position);
        lod.push_back({static_cast<int>(triangles.size()), 0});
        const int numVertices = static_cast<int>(vertices.size());
        const int numTriangles = static_cast<int>(triangles.size());
        std::vector<int> vertexPerm(static_cast<std::size_t>(numVertices));
        std::vector<int> trianglePerm(static_cast<std::size_t>(numTriangles), -1);
        out.order.assign(static_cast<std::size_t>(numVertices), 0);
        this->trianglePerm = &trianglePerm;

        if (!(flags & zPM_BUILD_NO_SIMPLIFY)) {
            for (OVertex* v : vertices)
                ComputeEdgeCostAtVertex(v);
            while (!vertices.empty()) {
                const int n = static_cast<int>(vertices.size());
                OVertex* u = vertices[0];
                for (OVertex* v : vertices) {
                    if (v->cost < u->cost)
                        u = v;
                }
                vertexPerm[static_cast<std::size_t>(u->index)] = n - 1;
                out.order[static_cast<std::size_t>(n - 1)] = u->index;
                Collapse(u, u->target);
                lod.push_back({static_cast<int>(triangles.size()), static_cast<int>(pairs.size())});
            }
        } else {
            for (int i = 0; i < numVertices; ++i)
                vertexPerm[static_cast<std::size_t>(i)] = out.order[static_cast<std::size_t>(i)] = i;
            for (int t = 0; t < numTriangles; ++t)
                trianglePerm[static_cast<std::size_t>(t)] = t;
        }
        BuildArrays(positions, vertexPerm, trianglePerm, triangleWedges, triangleMaterial);
    }

private:
    int WedgeIndex(const OWedge* w) const
    {
        for (std::size_t i = 0; i < wedges.size(); ++i) {
            if (wedges[i].get() == w)
                return static_cast<int>(i);
        }
        return 65535;
    }

    OWedge* NewWedge(const zVEC3& normal, const zVEC2& texCoord, int position)
    {
        wedges.push_back(std::make_unique<OWedge>(OWedge{normal, texCoord, position}));
        return wedges.back().get();
    }

    void BuildWedges(OVertex* v)
    {
        std::vector<OWedge*> mine;
        for (OTriangle* t : v->faces) {
            for (int k = 0; k < 3; ++k) {
                if (t->vertex[k] != v || t->wedge[k])
                    continue;
                for (OWedge* w : mine) {
                    if (zCProgMeshBuilder::TexCoordsMatch(w->texCoord, t->texCoord[k]) &&
                        w->normal.IsEqualEps(t->cornerNormal[k])) {
                        t->wedge[k] = w;
                        break;
                    }
                }
                if (!t->wedge[k]) {
                    t->wedge[k] = NewWedge(t->cornerNormal[k], t->texCoord[k], v->index);
                    mine.push_back(t->wedge[k]);
                }
            }
        }
    }

    bool IsBorderVertex(OVertex* u)
    {
        for (OVertex* n : u->neighbours) {
            int count = 0;
            OTriangle* previous = nullptr;
            for (OTriangle* f : u->faces) {
                if (!f->Has(n))
                    continue;
                if (previous && Dot(previous->normal, f->normal) < -0.95)
                    return true;
                previous = f;
                ++count;
            }
            if (count == 1)
                return true;
        }
        return false;
    }

    float ComputeEdgeCollapseCost(OVertex* u, OVertex* v)
    {
        const double dx = static_cast<double>(v->position.x) - u->position.x;
        const double dy = static_cast<double>(v->position.y) - u->position.y;
        const double dz = static_cast<double>(v->position.z) - u->position.z;
        const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
        std::vector<OTriangle*> sides;
        for (OTriangle* f : u->faces) {
            if (f->Has(v))
                sides.push_back(f);
        }
        double curvature = 0.0;
        for (OTriangle* f : u->faces) {
            double m = 1.0;
            for (OTriangle* s : sides) {
                const double c = (1.0 - Dot(f->normal, s->normal)) * 0.5;
                if (c < m)
                    m = c;
            }
            if (curvature < m)
                curvature = m;
        }
        if (IsBorderVertex(u) && sides.size() >= 2)
            return static_cast<float>(length);
        return static_cast<float>(length * curvature);
    }

    void ComputeEdgeCostAtVertex(OVertex* u)
    {
        u->target = nullptr;
        if (u->neighbours.empty()) {
            u->cost = -0.01f;
            return;
        }
        u->cost = FLT_MAX;
        for (OVertex* n : u->neighbours) {
            const float c = ComputeEdgeCollapseCost(u, n);
            if (c < u->cost) {
                u->cost = c;
                u->target = n;
            }
        }
        if (!u->target) {
            u->cost = FLT_MAX;
            u->target = u->neighbours[0];
        }
    }

    void RemoveIfNonNeighbour(OVertex* a, OVertex* n)
    {
        if (!Contains(a->neighbours, n))
            return;
        for (OTriangle* f : a->faces) {
            if (f->Has(n))
                return;
        }
        RemoveFrom(a->neighbours, n);
    }

    void DeleteTriangle(OTriangle* t)
    {
        (*trianglePerm)[static_cast<std::size_t>(t->index)] = static_cast<int>(triangles.size()) - 1;
        RemoveFrom(triangles, t);
        for (int i = 0; i < 3; ++i)
            RemoveFrom(t->vertex[i]->faces, t);
        for (int i = 0; i < 3; ++i) {
            OVertex* a = t->vertex[i];
            OVertex* b = t->vertex[(i + 1) % 3];
            RemoveIfNonNeighbour(a, b);
            RemoveIfNonNeighbour(b, a);
        }
    }

    void DeleteVertex(OVertex* u)
    {
        while (!u->neighbours.empty()) {
            OVertex* n = u->neighbours[0];
            RemoveFrom(n->neighbours, u);
            RemoveFrom(u->neighbours, n);
        }
        RemoveFrom(vertices, u);
    }

    void ReplaceVertex(OTriangle* t, OVertex* u, OVertex* v)
    {
        t->vertex[t->Corner(u)] = v;
        RemoveFrom(u->faces, t);
        v->faces.push_back(t);
        for (int i = 0; i < 3; ++i) {
            RemoveIfNonNeighbour(u, t->vertex[i]);
            RemoveIfNonNeighbour(t->vertex[i], u);
        }
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                if (i != j && !Contains(t->vertex[i]->neighbours, t->vertex[j]))
                    t->vertex[i]->neighbours.push_back(t->vertex[j]);
            }
        }
        t->ComputeNormal();
    }

    void CollapseWedges(OVertex* u, OVertex* v)
    {
        std::vector<std::pair<OWedge*, OWedge*>> notedPairs;
        for (OTriangle* f : u->faces) {
            if (v && f->Has(v))
                notedPairs.emplace_back(f->wedge[f->Corner(u)], f->wedge[f->Corner(v)]);
        }
        const std::size_t p0 = pairs.size();
        for (OTriangle* f : u->faces) {
            const int k = f->Corner(u);
            OWedge* w = f->wedge[k];
            OWedge* second = nullptr;
            bool found = false;
            for (const auto& p : notedPairs) {
                if (p.first == w) {
                    second = p.second;
                    found = true;
                    break;
                }
            }
            if (found) {
                f->wedge[k] = second;
                bool appended = false;
                for (std::size_t i = p0; i < pairs.size(); ++i)
                    appended = appended || pairs[i].first == w;
                if (!appended)
                    pairs.emplace_back(w, second);
            } else if (v) {
                OWedge* created = NewWedge(f->cornerNormal[k], f->texCoord[k], v->index);
                notedPairs.emplace_back(w, created);
                pairs.emplace_back(w, created);
                f->wedge[k] = created;
            } else {
                pairs.emplace_back(w, nullptr);
                f->wedge[k] = nullptr;
            }
        }
    }

    void Collapse(OVertex* u, OVertex* v)
    {
        CollapseWedges(u, v);
        if (!v) {
            DeleteVertex(u);
            return;
        }
        const std::vector<OVertex*> remembered = u->neighbours;
        for (int i = static_cast<int>(u->faces.size()) - 1; i >= 0; --i) {
            if (u->faces[static_cast<std::size_t>(i)]->Has(v))
                DeleteTriangle(u->faces[static_cast<std::size_t>(i)]);
        }
        for (int i = static_cast<int>(u->faces.size()) - 1; i >= 0; --i)
            ReplaceVertex(u->faces[static_cast<std::size_t>(i)], u, v);
        DeleteVertex(u);
        for (OVertex* n : remembered)
            ComputeEdgeCostAtVertex(n);
    }

    void BuildArrays(const std::vector<zVEC3>& positions, const std::vector<int>& vertexPerm,
                     const std::vector<int>& trianglePerm, const std::vector<std::array<int, 3>>& triangleWedges,
                     const std::vector<int>& triangleMaterial)
    {
        const bool simplified = !(flags & zPM_BUILD_NO_SIMPLIFY);
        const int W = static_cast<int>(wedges.size());
        std::vector<int> newIndex(static_cast<std::size_t>(W));
        std::vector<int> targetOf(static_cast<std::size_t>(W), -1);
        int nextFree = 0;
        for (int w = 0; w < W; ++w) {
            int k = -1;
            for (std::size_t i = 0; i < pairs.size(); ++i) {
                if (pairs[i].first == wedges[static_cast<std::size_t>(w)].get()) {
                    k = static_cast<int>(i);
                    break;
                }
            }
            if (k >= 0) {
                newIndex[static_cast<std::size_t>(w)] = W - 1 - k;
                targetOf[static_cast<std::size_t>(w)] = pairs[static_cast<std::size_t>(k)].second
                                                            ? WedgeIndex(pairs[static_cast<std::size_t>(k)].second)
                                                            : -1;
            } else {
                newIndex[static_cast<std::size_t>(w)] = nextFree++;
            }
        }
        out.positions.assign(positions.size(), zVEC3());
        for (std::size_t i = 0; i < positions.size(); ++i)
            out.positions[static_cast<std::size_t>(vertexPerm[i])] = positions[i];

        std::vector<zTProgMeshBuiltWedge> all(static_cast<std::size_t>(W));
        std::vector<int> map;
        if (simplified)
            map.assign(static_cast<std::size_t>(W), -1);
        for (int w = 0; w < W; ++w) {
            const OWedge& old = *wedges[static_cast<std::size_t>(w)];
            const int at = newIndex[static_cast<std::size_t>(w)];
            all[static_cast<std::size_t>(at)] = {old.normal, old.texCoord, vertexPerm[static_cast<std::size_t>(old.position)]};
            if (simplified) {
                const int t = targetOf[static_cast<std::size_t>(w)];
                map[static_cast<std::size_t>(at)] = t >= 0 ? newIndex[static_cast<std::size_t>(t)] : -1;
            }
        }
        std::vector<std::array<int, 3>> tris(triangleWedges.size());
        std::vector<int> mats(triangleWedges.size());
        for (std::size_t t = 0; t < triangleWedges.size(); ++t) {
            const std::size_t at = trianglePerm[t] >= 0 ? static_cast<std::size_t>(trianglePerm[t]) : t;
            for (std::size_t k = 0; k < 3; ++k)
                tris[at][k] = newIndex[static_cast<std::size_t>(triangleWedges[t][k])];
            mats[at] = triangleMaterial[t];
        }
        const std::size_t S = lod.size();
        std::vector<std::array<int, 2>> steps(S);
        for (std::size_t k = 0; k < S; ++k)
            steps[S - 1 - k] = {lod[k][0], W - lod[k][1]};

        if (!(flags & zPM_BUILD_NO_NORMALS)) {
            out.normals.assign(out.positions.size(), zVEC3());
            const float h = static_cast<float>(-1.0 / std::sqrt(2.0));
            for (zTProgMeshBuiltWedge& w : all) {
                if (zCProgMeshBuilder::IsUnitNormal(w.normal)) {
                    out.normals[static_cast<std::size_t>(w.position)] = w.normal;
                } else {
                    w.normal = zVEC3(h, h, 0.0f);
                    out.normals[static_cast<std::size_t>(w.position)] = zVEC3();
                }
            }
        }

        for (int m = 0; m < source.numMaterials; ++m) {
            zTProgMeshBuiltSubMesh sub;
            sub.material = m;
            if (source.numMaterials == 1) {
                sub.triangles = tris;
                sub.wedges = all;
                sub.wedgeMap = map;
                sub.lodSteps = steps;
            } else {
                Extract(m, tris, mats, all, map, steps, sub);
            }
            if (!(flags & zPM_BUILD_NO_PLANES))
                Planes(sub);
            if (flags & zPM_BUILD_EDGES)
                Edges(sub);
            out.subMeshes.push_back(sub);
        }
    }

    void Extract(int m, const std::vector<std::array<int, 3>>& tris, const std::vector<int>& mats,
                 const std::vector<zTProgMeshBuiltWedge>& all, const std::vector<int>& map,
                 const std::vector<std::array<int, 2>>& steps, zTProgMeshBuiltSubMesh& sub)
    {
        const bool simplified = !(flags & zPM_BUILD_NO_SIMPLIFY);
        std::vector<bool> marked(all.size(), false);
        for (std::size_t t = 0; t < tris.size(); ++t) {
            if (mats[t] == m) {
                for (int w : tris[t])
                    marked[static_cast<std::size_t>(w)] = true;
            }
        }
        if (simplified) {
            bool grew = true;
            while (grew) {
                grew = false;
                for (std::size_t w = 0; w < all.size(); ++w) {
                    if (marked[w] && map[w] >= 0 && !marked[static_cast<std::size_t>(map[w])])
                        marked[static_cast<std::size_t>(map[w])] = grew = true;
                }
            }
        }
        std::vector<int> renumber(all.size(), -1);
        for (std::size_t w = 0; w < all.size(); ++w) {
            if (marked[w]) {
                renumber[w] = static_cast<int>(sub.wedges.size());
                sub.wedges.push_back(all[w]);
            }
        }
        for (std::size_t w = 0; simplified && w < all.size(); ++w) {
            if (marked[w])
                sub.wedgeMap.push_back(map[w] >= 0 ? renumber[static_cast<std::size_t>(map[w])] : -1);
        }
        for (std::size_t t = 0; t < tris.size(); ++t) {
            if (mats[t] == m)
                sub.triangles.push_back({renumber[static_cast<std::size_t>(tris[t][0])],
                                         renumber[static_cast<std::size_t>(tris[t][1])],
                                         renumber[static_cast<std::size_t>(tris[t][2])]});
        }
        const int T = static_cast<int>(sub.triangles.size());
        const int W = static_cast<int>(sub.wedges.size());
        if (!simplified) {
            sub.lodSteps = {{T, W}};
            return;
        }
        sub.lodSteps.assign(steps.size(), {0, 0});
        sub.lodSteps.back() = {T, W};
        for (std::size_t k = steps.size() - 1; k >= 1; --k) {
            int droppedTriangles = 0;
            for (int t = steps[k - 1][0]; t < steps[k][0]; ++t)
                droppedTriangles += mats[static_cast<std::size_t>(t)] == m ? 1 : 0;
            int droppedWedges = 0;
            for (int w = steps[k - 1][1]; w < steps[k][1]; ++w)
                droppedWedges += marked[static_cast<std::size_t>(w)] ? 1 : 0;
            sub.lodSteps[k - 1] = {sub.lodSteps[k][0] - droppedTriangles, sub.lodSteps[k][1] - droppedWedges};
        }
    }

    void Planes(zTProgMeshBuiltSubMesh& sub)
    {
        for (const auto& tri : sub.triangles) {
            zTPlane3D plane;
            const bool regular = ProgMeshOracleTrianglePlane(
                out.positions[static_cast<std::size_t>(sub.wedges[static_cast<std::size_t>(tri[0])].position)],
                out.positions[static_cast<std::size_t>(sub.wedges[static_cast<std::size_t>(tri[1])].position)],
                out.positions[static_cast<std::size_t>(sub.wedges[static_cast<std::size_t>(tri[2])].position)], plane);
            int found = -1;
            for (std::size_t p = 0; regular && p < sub.planes.size() && found < 0; ++p) {
                if (zCProgMeshBuilder::PlanesMatch(plane, sub.planes[p]))
                    found = static_cast<int>(p);
            }
            if (found < 0) {
                found = static_cast<int>(sub.planes.size());
                sub.planes.push_back(plane);
            }
            sub.trianglePlanes.push_back(found);
        }
    }

    void Edges(zTProgMeshBuiltSubMesh& sub)
    {
        for (const auto& tri : sub.triangles) {
            std::array<int, 3> e;
            for (std::size_t k = 0; k < 3; ++k) {
                const int a = tri[k];
                const int b = tri[(k + 1) % 3];
                int found = -1;
                for (std::size_t i = 0; i < sub.edges.size() && found < 0; ++i) {
                    if ((sub.edges[i][0] == a && sub.edges[i][1] == b) || (sub.edges[i][0] == b && sub.edges[i][1] == a))
                        found = static_cast<int>(i);
                }
                if (found < 0) {
                    found = static_cast<int>(sub.edges.size());
                    sub.edges.push_back({a, b});
                }
                e[k] = found;
            }
            sub.triangleEdges.push_back(e);
        }
        for (const auto& edge : sub.edges) {
            const int pa = sub.wedges[static_cast<std::size_t>(edge[0])].position;
            const int pb = sub.wedges[static_cast<std::size_t>(edge[1])].position;
            const zVEC3 na = out.normals.empty() ? zVEC3() : out.normals[static_cast<std::size_t>(pa)];
            const zVEC3 nb = out.normals.empty() ? zVEC3() : out.normals[static_cast<std::size_t>(pb)];
            sub.edgeScores.push_back(zCProgMeshBuilder::EdgeScore(out.positions[static_cast<std::size_t>(pa)],
                                                                  out.positions[static_cast<std::size_t>(pb)], na, nb));
        }
    }

    const zTProgMeshSource& source;
    const int flags;
    zTProgMeshBuildResult& out;
    std::vector<std::unique_ptr<OVertex>> allVertices;
    std::vector<std::unique_ptr<OTriangle>> allTriangles;
    std::vector<OVertex*> vertices;
    std::vector<OTriangle*> triangles;
    std::vector<std::unique_ptr<OWedge>> wedges;
    std::vector<std::pair<OWedge*, OWedge*>> pairs;
    std::vector<std::array<int, 2>> lod;
    std::vector<int>* trianglePerm = nullptr;
};

} // namespace

void BuildProgMeshOracle(const zTProgMeshSource& source, int flags, zTProgMeshBuildResult& result)
{
    result = zTProgMeshBuildResult();
    Oracle(source, flags, result).Run();
}

bool ProgMeshOracleTrianglePlane(const zVEC3& p0, const zVEC3& p1, const zVEC3& p2, zTPlane3D& plane)
{
    struct V {
        double x, y, z;
    };
    auto sub = [](const zVEC3& a, const zVEC3& b) {
        return V{static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y, static_cast<double>(a.z) - b.z};
    };
    auto length = [](const V& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); };
    auto unit = [&](const V& a) {
        const double l = length(a);
        return l == 0.0 ? a : V{a.x / l, a.y / l, a.z / l};
    };
    auto near = [](const V& a, const V& b) {
        return std::fabs(a.x - b.x) < 0.001 && std::fabs(a.y - b.y) < 0.001 && std::fabs(a.z - b.z) < 0.001;
    };
    const V a = sub(p1, p0);
    const V b = sub(p2, p1);
    const V e1 = unit(a);
    const V e2 = unit(b);
    if (length(a) == 0.0 || length(b) == 0.0 || near(e1, e2) || near(e1, V{-e2.x, -e2.y, -e2.z})) {
        const V n = unit(V{-static_cast<double>(p0.x), -static_cast<double>(p0.y), -static_cast<double>(p0.z)});
        plane.normal = zVEC3(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
        plane.distance = 0.0f;
        return false;
    }
    const V c = sub(p0, p1);
    const V n = unit(V{c.y * b.z - c.z * b.y, c.z * b.x - c.x * b.z, c.x * b.y - c.y * b.x});
    plane.normal = zVEC3(static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z));
    plane.distance = static_cast<float>(n.x * p1.x + n.y * p1.y + n.z * p1.z);
    return true;
}
