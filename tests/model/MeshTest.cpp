// Meshes and polygons: growth, planes, deletion, boxes and vertex normals.
#include <gtest/gtest.h>

#include "zCMesh.h"
#include "zCPolygon.h"
#include "zCMaterial.h"

TEST(Mesh, NewMeshesAreNamedByTheirCount)
{
    zCMesh mesh;
    EXPECT_EQ(mesh.meshName, zSTRING("#") + zSTRING(zCMesh::GetNumMeshes()));
}
