// Progressive-mesh benchmark: the builder on generated height-field grids of 32², 64²,
// 128² and 256² vertices, beside meshoptimizer's simplifier taking the same meshes to
// its smallest level when the bench is built with it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "BenchTiming.h"
#include "zCProgMeshBuilder.h"

#ifdef TAVRELIN_HAVE_MESHOPTIMIZER
#include <cfloat>
#include <meshoptimizer.h>
#endif

namespace {

// A rolling height field: no two neighbouring triangles quite coplanar, so the
// collapse costs spread as in a real terrain or body mesh.
zTProgMeshSource MakeGrid(int n)
{
    zTProgMeshSource s;
    auto height = [](int x, int y) {
        return static_cast<float>(2.0 * std::sin(x * 0.31) * std::cos(y * 0.23) + 0.5 * std::sin((x + y) * 0.71));
    };
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            s.positions.push_back(zVEC3(static_cast<float>(x), height(x, y), static_cast<float>(y)));
    auto corner = [&](zTProgMeshSourceTriangle& t, int k, int x, int y) {
        t.vertex[k] = y * n + x;
        t.texCoord[k] = zVEC2(static_cast<float>(x) / (n - 1), static_cast<float>(y) / (n - 1));
        zVEC3 normal(height(x - 1, y) - height(x + 1, y), 2.0f, height(x, y - 1) - height(x, y + 1));
        t.normal[k] = normal.Normalize();
    };
    for (int y = 0; y + 1 < n; ++y) {
        for (int x = 0; x + 1 < n; ++x) {
            zTProgMeshSourceTriangle a;
            zTProgMeshSourceTriangle b;
            corner(a, 0, x, y);
            corner(a, 1, x, y + 1);
            corner(a, 2, x + 1, y);
            corner(b, 0, x + 1, y);
            corner(b, 1, x, y + 1);
            corner(b, 2, x + 1, y + 1);
            s.triangles.push_back(a);
            s.triangles.push_back(b);
        }
    }
    s.numMaterials = 1;
    return s;
}

} // namespace

// Arguments, if any, are the grid sizes to run (e.g. "256" alone while tuning).
int main(int argc, char** argv)
{
    std::vector<int> sizes = {32, 64, 128, 256};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(std::max(2, std::atoi(argv[i])));
    }
    // The flags of the ASC reader's ordinary meshes: planes, no normals.
    const int flags = zPM_BUILD_NO_NORMALS;
    std::printf("%-8s %9s %10s %12s %14s %14s %8s\n", "grid", "vertices", "triangles", "builder ms",
                "ms/(n log2 n)", "meshopt ms", "ratio");
    for (int n : sizes) {
        const zTProgMeshSource source = MakeGrid(n);
        const int repeats = n <= 128 ? 5 : 3;
        zTProgMeshBuildResult result;
        const double ours = BestProcessorMilliseconds(repeats, [&] { zCProgMeshBuilder::Build(source, flags, result); });
        const double v = static_cast<double>(source.positions.size());
        std::printf("%3d x %-3d %9zu %10zu %12.2f %14.3g", n, n, source.positions.size(), source.triangles.size(), ours,
                    ours / (v * std::log2(v)));
#ifdef TAVRELIN_HAVE_MESHOPTIMIZER
        std::vector<unsigned int> indices;
        for (const auto& t : source.triangles)
            for (int k = 0; k < 3; ++k)
                indices.push_back(static_cast<unsigned int>(t.vertex[k]));
        std::vector<float> positions;
        for (const zVEC3& p : source.positions) {
            positions.push_back(p.x);
            positions.push_back(p.y);
            positions.push_back(p.z);
        }
        std::vector<unsigned int> simplified(indices.size());
        std::size_t left = 0;
        const double theirs = BestProcessorMilliseconds(repeats, [&] {
            left = meshopt_simplify(simplified.data(), indices.data(), indices.size(), positions.data(),
                                    source.positions.size(), sizeof(float) * 3, 0, FLT_MAX, 0, nullptr);
        });
        std::printf(" %14.2f %8.2f   (meshopt kept %zu triangles)\n", theirs, ours / theirs, left / 3);
#else
        std::printf(" %14s %8s\n", "-", "-");
#endif
    }
    return 0;
}
