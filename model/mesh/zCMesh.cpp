// The editable mesh: its lists, growth, editing forms, normals and boxes.
#include "zCMesh.h"

#include "ErrorBox.h"
#include "zCPolygon.h"

zCLASS_DEFINITION(zCMesh, zCVisual, 0, 0);

zCMesh* zCMesh::s_meshRoot = nullptr;
int zCMesh::s_numMeshes = 0;

zCMesh::zCMesh()
{
    ++s_numMeshes;
    meshName = zSTRING("#") + zSTRING(s_numMeshes);
    next = s_meshRoot;
    if (s_meshRoot)
        s_meshRoot->prev = this;
    s_meshRoot = this;
    bbox3D.SetZero();
}

zCMesh::~zCMesh()
{
    DeleteAll();
    if (prev)
        prev->next = next;
    else
        s_meshRoot = next;
    if (next)
        next->prev = prev;
    --s_numMeshes;
}

zCVisual* zCMesh::LoadVisual(const zSTRING&)
{
    zNotFound("zCMesh::Load");
}

void zCMesh::DeleteAll()
{
}
