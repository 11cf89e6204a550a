// The vertex and vertex-feature pools.
#include "zCVertex.h"

zCBlockPool& zCVertex::GetPool()
{
    static zCBlockPool pool(static_cast<std::uint32_t>(zPoolBlockSize(sizeof(zCVertex))));
    return pool;
}

void* zCVertex::operator new(std::size_t)
{
    return GetPool().Alloc();
}

void zCVertex::operator delete(void* block) noexcept
{
    GetPool().Free(block);
}

zCBlockPool& zCVertexFeature::GetPool()
{
    static zCBlockPool pool(static_cast<std::uint32_t>(zPoolBlockSize(sizeof(zCVertexFeature))));
    return pool;
}

void* zCVertexFeature::operator new(std::size_t)
{
    return GetPool().Alloc();
}

void zCVertexFeature::operator delete(void* block) noexcept
{
    GetPool().Free(block);
}
