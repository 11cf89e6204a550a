// Mesh vertices and per-corner vertex features, both taken from block pools of their
// own: meshes make and free them by the thousand.
#pragma once

#include <cstddef>

#include "zCBlockPool.h"
#include "zCOLOR.h"
#include "zVEC3.h"

class zCVertex {
public:
    static constexpr int zNO_TRANSFORM = -1;

    zCVertex() = default;
    explicit zCVertex(const zVEC3& pos) : position(pos) {}

    // Single vertices live in the vertex pool; a mesh's contiguous block is handed to
    // the same pool, so that each of its vertices can be freed alone later.
    static void* operator new(std::size_t size);
    static void operator delete(void* block) noexcept;
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}
    static zCBlockPool& GetPool();

    // Gives the transform slot back; the vertex then has none.
    void ReleaseTransform() { transformSlot = zNO_TRANSFORM; }

    zVEC3 position;
    int transformSlot = zNO_TRANSFORM;
};

class zCVertexFeature {
public:
    // A zero normal, both colours opaque black, zero texture coordinates.
    zCVertexFeature() = default;

    static void* operator new(std::size_t size);
    static void operator delete(void* block) noexcept;
    static void* operator new(std::size_t, void* where) noexcept { return where; }
    static void operator delete(void*, void*) noexcept {}
    static zCBlockPool& GetPool();

    zVEC3 normal;
    zCOLOR lightStat{0, 0, 0, 255};
    zCOLOR lightDyn{0, 0, 0, 255};
    zVEC2 texCoord;
};

// The pools' block size for a type: its size rounded up to the pools' 8-byte stride,
// so that a contiguous array of such blocks is carved by a pool exactly as laid out.
constexpr std::size_t zPoolBlockSize(std::size_t size)
{
    return (size + 7) / 8 * 8;
}
