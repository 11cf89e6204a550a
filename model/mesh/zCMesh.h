// The editable polygon mesh of the model tools: vertices, polygons and per-corner
// features with a bounding box. A mesh is in loaded form (contiguous blocks), list
// form (pointer lists, after PrepareForEditing) or edit form (each polygon owns its
// features, after UnshareFeatures); every editing operation moves it forward itself.
#pragma once

#include "zCVertex.h"
#include "zCVisual.h"
#include "zMAT4.h"
#include "zSTRING.h"
#include "zTBBox3D.h"
#include "zTOrientedBox3D.h"

class zCPolygon;

// Modes of CalcVertexNormals.
enum zTCalcVertNormalMode { zMESH_VERTNORMAL_SMOOTH = 0, zMESH_VERTNORMAL_AVERAGE = 1, zMESH_VERTNORMAL_FLAT = 2 };

class zCMesh : public zCVisual {
    zCLASS_DECLARATION(zCMesh)

public:
    zCMesh();
    ~zCMesh() override;

    // Archiving a mesh stores nothing.
    void Archive(zCArchiver&) override {}
    void Unarchive(zCArchiver&) override {}
    zTBBox3D GetBBox3D() override { return bbox3D; }
    int Reserved12(int, int, int, int) override { return 1; }
    // Not available: shows "zCMesh::Load not found" and ends the process.
    zCVisual* LoadVisual(const zSTRING& name) override;

    // Grow the lists by max(n, 1) slots.
    void GrowVertList(int n);
    void GrowPolyList(int n);
    zCVertex* AddVertex(const zVEC3& position);
    // A triangle with its own three features; its plane is computed (a degenerate
    // one is warned about and kept).
    zCPolygon* AddPoly(zCVertex* a, zCVertex* b, zCVertex* c);
    // Vertices no other polygon uses go with it; later polygons move down one place.
    void DeletePoly(int index);
    void DeleteDegeneratePolys();
    void CalcNormals();
    // From the vertices, or (0) from the oriented-box tree; an empty mesh gets ±0.1.
    void CalcBBox3D(int fromVertices);
    void TransformVertices(const zMAT4& matrix, int recalc);
    // mode: zTCalcVertNormalMode; spatial must be 0 (no spatial search is available).
    void CalcVertexNormals(int mode, int spatial);
    // A polygon without material and without the no-material flags is fatal.
    void CheckPolyMaterials();
    void ResetLightColors();
    void PrepareForEditing();
    void UnshareFeatures();
    void DeleteAll();

    // Loaded form: default-constructed contiguous blocks of the counts (any earlier
    // content is deleted first). Polygons get no lists; their filler gives them.
    void AllocContiguous(int vertCount, int polyCount, int featCount);
    zCVertex* ContiguousVertex(int index) const;
    zCPolygon* ContiguousPoly(int index) const;
    zCVertexFeature* ContiguousFeature(int index) const;

    // The living meshes, newest first.
    static zCMesh* GetFirstMesh() { return s_meshRoot; }
    static int GetNumMeshes() { return s_numMeshes; }

    int numPoly = 0;
    int numVert = 0;
    int numFeat = 0;
    zCVertex** vertList = nullptr;
    zCPolygon** polyList = nullptr;
    zCVertexFeature** featList = nullptr;
    // The loaded form's blocks, each at its pool's stride; null after PrepareForEditing.
    char* vertArray = nullptr;
    char* polyArray = nullptr;
    char* featArray = nullptr;
    zTBBox3D bbox3D;
    zTOrientedBox3D obbox3D;
    zCMesh* next = nullptr;
    zCMesh* prev = nullptr;
    zSTRING meshName;
    int vertCapacity = 0;
    int polyCapacity = 0;

private:
    // Pointer lists for contiguous blocks that have none yet.
    void BuildListsFromArrays();
    void FreeArrays();

    static zCMesh* s_meshRoot;
    static int s_numMeshes;
};
