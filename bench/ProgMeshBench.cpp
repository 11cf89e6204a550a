// Progressive-mesh benchmark: the builder on generated height-field grids of 32², 64²,
// 128² and 256² vertices, beside meshoptimizer's simplifier taking the same meshes to
// its smallest level when the bench is built with it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

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

// The goal: the builder at most this many times meshoptimizer's time, from this grid up.
constexpr double kGoalRatio = 3.0;
constexpr int kGoalGrid = 256;

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
#if defined(__GLIBC__)
    // The C library slides its thresholds for handing memory back to the system by
    // the sizes freed so far: after smaller grids it gives back the heap's top after
    // every large build and the next build faults it all in again, after a large one
    // it keeps it. Fixed thresholds keep the memory of both sides alike in any order.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    // The flags of the ASC reader's ordinary meshes: planes, no normals.
    const int flags = zPM_BUILD_NO_NORMALS;
    std::printf("processor time, median of alternated runs after one warming run of each side;\n"
                "goal: the builder at most %.0f x meshoptimizer from %d x %d up\n",
                kGoalRatio, kGoalGrid, kGoalGrid);
    std::printf("%-8s %9s %10s %12s %14s %14s %8s\n", "grid", "vertices", "triangles", "builder ms",
                "ms/(n log2 n)", "meshopt ms", "ratio");
    for (int n : sizes) {
        const zTProgMeshSource source = MakeGrid(n);
        const int rounds = n <= 64 ? 15 : n <= 128 ? 9 : 7;
        zTProgMeshBuildResult result;
        auto ours = [&] { zCProgMeshBuilder::Build(source, flags, result); };
        std::vector<double> oursMs;
        std::vector<double> theirsMs;
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
        auto theirs = [&] {
            left = meshopt_simplify(simplified.data(), indices.data(), indices.size(), positions.data(),
                                    source.positions.size(), sizeof(float) * 3, 0, FLT_MAX, 0, nullptr);
        };
        ours();
        theirs();
        // Each round runs both, the first of them taking turns: a machine that
        // slows down or speeds up meanwhile does so for both alike.
        for (int r = 0; r < rounds; ++r) {
            if (r % 2 == 0) {
                oursMs.push_back(ProcessorMilliseconds(ours));
                theirsMs.push_back(ProcessorMilliseconds(theirs));
            } else {
                theirsMs.push_back(ProcessorMilliseconds(theirs));
                oursMs.push_back(ProcessorMilliseconds(ours));
            }
        }
#else
        ours();
        for (int r = 0; r < rounds; ++r)
            oursMs.push_back(ProcessorMilliseconds(ours));
#endif
        const double oursMedian = Median(oursMs);
        const double v = static_cast<double>(source.positions.size());
        std::printf("%3d x %-3d %9zu %10zu %12.2f %14.3g", n, n, source.positions.size(), source.triangles.size(),
                    oursMedian, oursMedian / (v * std::log2(v)));
#ifdef TAVRELIN_HAVE_MESHOPTIMIZER
        const double theirsMedian = Median(theirsMs);
        const double ratio = oursMedian / theirsMedian;
        const char* verdict = n < kGoalGrid ? "" : ratio <= kGoalRatio ? "met" : "MISSED";
        std::printf(" %14.2f %8.2f %-6s   (meshopt kept %zu triangles)\n", theirsMedian, ratio, verdict, left / 3);
#else
        std::printf(" %14s %8s\n", "-", "-");
#endif
    }
    return 0;
}
