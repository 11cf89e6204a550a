// The morph-mesh visual.
#include "zCMorphMesh.h"

#include "ErrorBox.h"
#include "zCMorphMeshProto.h"
#include "zCProgMeshProto.h"

zCLASS_DEFINITION(zCMorphMesh, zCVisualAnimate, 0, 0);

struct zTMorphMeshAniLayer {};

int CompareMorphMeshAniLayer(const void*, const void*)
{
    zErrorBox("CompareMorphMeshAniLayer not full");
}

zCMorphMesh::zCMorphMesh() = default;

// Delegating: should the texture list end in its error box and that box return by
// an exception, the destructor still gives both references back.
zCMorphMesh::zCMorphMesh(zCMorphMeshProto* proto) : zCMorphMesh()
{
    aniLayerList.SetCompare(&CompareMorphMeshAniLayer);
    if (!proto)
        return;
    proto->AddRef();
    morphProto = proto;
    morphRefMesh = proto->GetRefMesh();
    if (morphRefMesh)
        morphRefMesh->AddRef();
    texAniState.BuildTexListFromProgMesh();
}

zCMorphMesh::~zCMorphMesh()
{
    if (morphProto)
        morphProto->Release();
    if (morphRefMesh)
        morphRefMesh->Release();
    for (int i = 0; i < aniLayerList.GetNum(); ++i)
        delete aniLayerList[i];
    aniLayerList.DeleteList();
    aniPlayList.DeleteList();
}

zTBBox3D zCMorphMesh::GetBBox3D()
{
    if (morphRefMesh)
        return morphRefMesh->GetBBox3D();
    zTBBox3D box;
    box.SetZero();
    return box;
}

zCVisual* zCMorphMesh::LoadVisual(const zSTRING& name)
{
    zCMorphMeshProto* proto = zCMorphMeshProto::Load(name);
    if (!proto)
        return nullptr;
    // The visual takes its own reference; the one Load gave goes back however the
    // construction ends.
    struct Hold {
        zCMorphMeshProto* proto;
        ~Hold() noexcept(false) { proto->Release(); }
    } hold{proto};
    return new zCMorphMesh(proto);
}
