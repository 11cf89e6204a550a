// Meshes and polygons: growth, planes, deletion, boxes and vertex normals.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ErrorBoxCatcher.h"
#include "ReporterCapture.h"
#include "zCMaterial.h"
#include "zCMesh.h"
#include "zCPolygon.h"

namespace {

class MeshTest : public ReporterCapture {
protected:
    zCPolygon* Triangle(const zVEC3& a, const zVEC3& b, const zVEC3& c)
    {
        return mesh.AddPoly(mesh.AddVertex(a), mesh.AddVertex(b), mesh.AddVertex(c));
    }
    zCMesh mesh;
};

void ExpectVec(const zVEC3& actual, const zVEC3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

} // namespace

TEST_F(MeshTest, NewMeshesAreNamedByTheirCountAndListed)
{
    EXPECT_EQ(mesh.meshName, zSTRING("#") + zSTRING(zCMesh::GetNumMeshes()));
    EXPECT_EQ(zCMesh::GetFirstMesh(), &mesh);
    const int before = zCMesh::GetNumMeshes();
    {
        zCMesh other;
        EXPECT_EQ(zCMesh::GetFirstMesh(), &other);
        EXPECT_EQ(zCMesh::GetNumMeshes(), before + 1);
    }
    EXPECT_EQ(zCMesh::GetFirstMesh(), &mesh);
    EXPECT_EQ(zCMesh::GetNumMeshes(), before);
}

TEST_F(MeshTest, ListsGrowByHalfTheirCount)
{
    std::vector<int> vertCaps;
    std::vector<int> polyCaps;
    for (int i = 0; i < 19; ++i) {
        zCVertex* v = mesh.AddVertex(zVEC3(static_cast<float>(i), 0.0f, 0.0f));
        if (vertCaps.empty() || vertCaps.back() != mesh.vertCapacity)
            vertCaps.push_back(mesh.vertCapacity);
        mesh.AddPoly(v, v, v);
        if (polyCaps.empty() || polyCaps.back() != mesh.polyCapacity)
            polyCaps.push_back(mesh.polyCapacity);
    }
    const std::vector<int> expected = {1, 2, 3, 4, 6, 9, 13, 19};
    EXPECT_EQ(vertCaps, expected);
    EXPECT_EQ(polyCaps, expected);
}

TEST_F(MeshTest, PlaneOfATriangle)
{
    zCPolygon* poly = Triangle(zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 1, 0));
    // (p0 - p1) x (p2 - p1) = (-1,0,0) x (-1,1,0) = (0,0,-1)
    ExpectVec(poly->GetNormal(), zVEC3(0, 0, -1));
    EXPECT_FLOAT_EQ(poly->GetPlane().distance, 0.0f);
    EXPECT_EQ(poly->dominantAxis, zAXIS_Z);
    ExpectVec(poly->GetCenter(), zVEC3(1.0f / 3, 1.0f / 3, 0));
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(MeshTest, DegeneratePolygonsAreWarnedAndGetTheXPlane)
{
    struct Case {
        const char* what;
        zVEC3 a, b, c;
    };
    const Case cases[] = {
        {"collinear", zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(2, 0, 0)},
        {"first two coincide", zVEC3(1, 1, 1), zVEC3(1, 1, 1), zVEC3(0, 5, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        zCPolygon* poly = Triangle(c.a, c.b, c.c);
        ExpectVec(poly->GetNormal(), zVEC3(1, 0, 0));
        EXPECT_EQ(poly->GetPlane().distance, 0.0f);
        ASSERT_EQ(host.GetWarningCount(), 1);
        EXPECT_TRUE(HasLine("Warning: zPolygon: Degenerate Polygon, center at: "));
    }
    // The collinear one's centre is (1, 0, 0).
    EXPECT_EQ(mesh.polyList[0]->GetCenter(), zVEC3(1, 0, 0));
}

TEST_F(MeshTest, QuadTakesItsPlaneFromTheFirstGoodCorner)
{
    zCVertex* v0 = mesh.AddVertex(zVEC3(0, 0, 0));
    zCVertex* v1 = mesh.AddVertex(zVEC3(1, 0, 0));
    zCVertex* v2 = mesh.AddVertex(zVEC3(2, 0, 0));  // collinear with v0, v1
    zCVertex* v3 = mesh.AddVertex(zVEC3(0, 0, 1));
    zCPolygon* quad = mesh.AddPoly(v0, v1, v2);
    host.Clear();
    quad->GrowVerts(1);
    quad->vertex[3] = v3;
    ASSERT_EQ(quad->numVert, 4);
    EXPECT_EQ(quad->CalcNormal(), 1);
    // (p0 - p1) x (p3 - p1) = (-1,0,0) x (-1,0,1) = (0,1,0)
    ExpectVec(quad->GetNormal(), zVEC3(0, 1, 0));
    EXPECT_EQ(quad->dominantAxis, zAXIS_Y);
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(MeshTest, ClassifyPlane)
{
    zCPolygon* poly = Triangle(zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 0, 1));
    zTPlane3D ground;
    ground.normal = zVEC3(0, 1, 0);
    ground.distance = 0.0f;
    EXPECT_EQ(poly->ClassifyPlane(ground), zPLANE_ONPLANE);
    poly->vertex[0]->position.y = 1.0f;  // one in front, two on the plane
    EXPECT_EQ(poly->ClassifyPlane(ground), zPLANE_INFRONT);
    poly->vertex[1]->position.y = -1.0f;
    EXPECT_EQ(poly->ClassifyPlane(ground), zPLANE_SPANNING);
    poly->vertex[0]->position.y = 0.0f;
    EXPECT_EQ(poly->ClassifyPlane(ground), zPLANE_BEHIND);
    zCPolygon empty;
    EXPECT_EQ(empty.ClassifyPlane(ground), zPLANE_ONPLANE);
}

TEST_F(MeshTest, DeletingAPolygonFreesOnlyItsUnsharedVertices)
{
    zCVertex* a = mesh.AddVertex(zVEC3(0, 0, 0));
    zCVertex* b = mesh.AddVertex(zVEC3(1, 0, 0));
    zCVertex* c = mesh.AddVertex(zVEC3(0, 1, 0));
    zCVertex* d = mesh.AddVertex(zVEC3(1, 1, 0));
    mesh.AddPoly(a, b, c);
    zCPolygon* second = mesh.AddPoly(b, d, c);
    mesh.DeletePoly(0);
    ASSERT_EQ(mesh.numPoly, 1);
    EXPECT_EQ(mesh.polyList[0], second);
    ASSERT_EQ(mesh.numVert, 3);
    for (int i = 0; i < mesh.numVert; ++i)
        EXPECT_NE(mesh.vertList[i], a);
    mesh.DeletePoly(5);  // out of range: nothing
    mesh.DeletePoly(0);
    EXPECT_EQ(mesh.numPoly, 0);
    EXPECT_EQ(mesh.numVert, 0);
}

TEST_F(MeshTest, APolygonNamingAVertexTwiceFreesItOnce)
{
    zCVertex* a = mesh.AddVertex(zVEC3(0, 0, 0));
    zCVertex* b = mesh.AddVertex(zVEC3(1, 0, 0));
    mesh.AddPoly(a, a, b);
    mesh.DeletePoly(0);
    EXPECT_EQ(mesh.numVert, 0);
    EXPECT_EQ(mesh.numPoly, 0);
}

TEST_F(MeshTest, DeleteDegeneratePolysKeepsTheGoodOnes)
{
    Triangle(zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(2, 0, 0));
    zCPolygon* good = Triangle(zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 1, 0));
    Triangle(zVEC3(3, 3, 3), zVEC3(3, 3, 3), zVEC3(3, 3, 3));
    mesh.DeleteDegeneratePolys();
    ASSERT_EQ(mesh.numPoly, 1);
    EXPECT_EQ(mesh.polyList[0], good);
    EXPECT_EQ(mesh.numVert, 3);
}

TEST_F(MeshTest, BoundingBoxes)
{
    mesh.CalcBBox3D(1);
    ExpectVec(mesh.bbox3D.mins, zVEC3(-0.1f));
    ExpectVec(mesh.bbox3D.maxs, zVEC3(0.1f));
    Triangle(zVEC3(-1, 0, 2), zVEC3(3, 0, 2), zVEC3(0, 5, -4));
    mesh.CalcBBox3D(1);
    ExpectVec(mesh.bbox3D.mins, zVEC3(-1, 0, -4));
    ExpectVec(mesh.bbox3D.maxs, zVEC3(3, 5, 2));
    // The oriented box encloses the same points.
    mesh.CalcBBox3D(0);
    EXPECT_LE(mesh.bbox3D.mins.x, -1.0f + 1e-3f);
    EXPECT_GE(mesh.bbox3D.maxs.y, 5.0f - 1e-3f);
}

TEST_F(MeshTest, TransformVerticesRecomputesPlanes)
{
    zCPolygon* poly = Triangle(zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 1, 0));
    zMAT4 move = MakeTranslationMatrix(zVEC3(0, 0, 5));
    mesh.TransformVertices(move, 1);
    EXPECT_FLOAT_EQ(poly->GetPlane().distance, -5.0f);
    EXPECT_GE(mesh.bbox3D.maxs.z, 5.0f - 1e-3f);
}

TEST_F(MeshTest, VertexNormalsBySmoothingAngle)
{
    zCMaterial* material = new zCMaterial();  // smooth, 60 degrees
    struct Case {
        float degrees;
        bool averaged;
    };
    for (const Case c : {Case{30.0f, true}, Case{90.0f, false}}) {
        SCOPED_TRACE(c.degrees);
        zCMesh hinge;
        // Two triangles sharing the edge (0,0,0)-(0,0,1), the second turned by the angle.
        const float rad = c.degrees * 3.14159265f / 180.0f;
        zCVertex* e0 = hinge.AddVertex(zVEC3(0, 0, 0));
        zCVertex* e1 = hinge.AddVertex(zVEC3(0, 0, 1));
        zCVertex* left = hinge.AddVertex(zVEC3(-1, 0, 0));
        zCVertex* right = hinge.AddVertex(zVEC3(std::cos(rad), std::sin(rad), 0));
        zCPolygon* p = hinge.AddPoly(e0, e1, left);
        zCPolygon* q = hinge.AddPoly(e1, e0, right);
        p->SetMaterial(material);
        q->SetMaterial(material);
        hinge.CalcVertexNormals(zMESH_VERTNORMAL_SMOOTH, 0);
        zVEC3 average = p->GetNormal() + q->GetNormal();
        average.Normalize();
        ExpectVec(p->feature[0]->normal, c.averaged ? average : p->GetNormal());
        ExpectVec(q->feature[1]->normal, c.averaged ? average : q->GetNormal());
        // The corner that is not shared keeps its polygon's normal.
        ExpectVec(p->feature[2]->normal, p->GetNormal());

        hinge.CalcVertexNormals(zMESH_VERTNORMAL_AVERAGE, 0);
        ExpectVec(p->feature[0]->normal, average);
        hinge.CalcVertexNormals(zMESH_VERTNORMAL_FLAT, 0);
        ExpectVec(p->feature[0]->normal, p->GetNormal());
    }
    material->Release();
}

TEST_F(MeshTest, SpatialVertexNormalsAreNotAvailable)
{
    ErrorBoxCatcher catcher;
    EXPECT_THROW(mesh.CalcVertexNormals(0, 1), ErrorBoxShown);
}

TEST_F(MeshTest, PolygonWithoutMaterialIsFatalUnlessFlagged)
{
    zCPolygon* poly = Triangle(zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 1, 0));
    poly->flags = zPOLY_FLAG_NO_MATERIAL_B;
    EXPECT_NO_THROW(mesh.CheckPolyMaterials());
    poly->flags = 0;
    EXPECT_THROW(mesh.CheckPolyMaterials(), zTFatalAbort);
    EXPECT_TRUE(HasLine("zMesh: poly without material ! (" + std::string(mesh.meshName) + ")"));
}

TEST_F(MeshTest, LoadedFormBecomesEditableAndFreesCleanly)
{
    // A loaded mesh: contiguous blocks, polygons pointing into the shared features.
    mesh.AllocContiguous(4, 2, 4);
    const zVEC3 corners[4] = {zVEC3(0, 0, 0), zVEC3(1, 0, 0), zVEC3(0, 1, 0), zVEC3(1, 1, 0)};
    for (int i = 0; i < 4; ++i) {
        mesh.ContiguousVertex(i)->position = corners[i];
        mesh.ContiguousFeature(i)->texCoord = zVEC2(static_cast<float>(i), 0.5f);
    }
    const int order[2][3] = {{0, 1, 2}, {1, 3, 2}};
    for (int p = 0; p < 2; ++p) {
        zCPolygon* poly = mesh.ContiguousPoly(p);
        poly->AllocPointerLists(3);
        for (int k = 0; k < 3; ++k) {
            poly->vertex[k] = mesh.ContiguousVertex(order[p][k]);
            poly->feature[k] = mesh.ContiguousFeature(order[p][k]);
        }
        poly->CalcNormal();
    }
    mesh.ResetLightColors();
    EXPECT_EQ(mesh.ContiguousFeature(3)->lightStat, zCOLOR(0, 0, 0, 255));

    mesh.UnshareFeatures();
    EXPECT_EQ(mesh.vertArray, nullptr);
    EXPECT_EQ(mesh.featList, nullptr);
    ASSERT_EQ(mesh.numPoly, 2);
    EXPECT_TRUE(mesh.polyList[1]->OwnsFeatures());
    // Each polygon has its own copies now.
    EXPECT_NE(mesh.polyList[0]->feature[1], mesh.polyList[1]->feature[0]);
    EXPECT_FLOAT_EQ(mesh.polyList[1]->feature[1]->texCoord.x, 3.0f);

    mesh.DeletePoly(0);
    EXPECT_EQ(mesh.numVert, 3);
    mesh.AddPoly(mesh.AddVertex(zVEC3(5, 5, 5)), mesh.vertList[0], mesh.vertList[1]);
    EXPECT_EQ(mesh.numPoly, 2);
}
