// Collecting the textures of a mesh library.
#include "zCModelTexAniState.h"

#include <algorithm>

#include "ErrorBox.h"
#include "ResourceIds.h"
#include "ResString.h"
#include "zCMaterial.h"
#include "zCMeshSoftSkin.h"
#include "zCModelMeshLib.h"
#include "zCProgMeshProto.h"
#include "zERROR.h"

namespace {

// More textures than a model's texture animation handles.
constexpr int kMaxLibTextures = 4;

void AddTexturesOf(const zCProgMeshProto* mesh, zCArray<zCTexture*>& list)
{
    if (!mesh)
        return;
    for (int s = 0; s < mesh->GetNumSubMeshes(); ++s) {
        const zCMaterial* material = mesh->GetSubMesh(s).material;
        zCTexture* texture = material ? material->GetTexture() : nullptr;
        if (texture && !list.IsInList(texture))
            list.InsertEnd(texture);
    }
}

} // namespace

void zCModelTexAniState::DeleteTexList()
{
    delete[] texList;
    texList = nullptr;
    numTex = 0;
}

void zCModelTexAniState::SetTexList(const zCArray<zCTexture*>& list)
{
    DeleteTexList();
    const int count = list.GetNum();
    if (count > kMaxLibTextures)
        g_errorReporter.Report(zERR_WARNING, FormatResString(IDS_TOO_MANY_TEXTURES_MESHLIB, count));
    numTex = count;
    if (count > 0) {
        texList = new zCTexture*[static_cast<std::size_t>(count)];
        std::copy(list.GetArray(), list.GetArray() + count, texList);
    }
}

void zCModelTexAniState::BuildTexListFromMeshLib(zCModelMeshLib* lib)
{
    zCArray<zCTexture*> list;
    if (lib) {
        for (int i = 0; i < lib->nodeMeshList.GetNum(); ++i)
            AddTexturesOf(lib->nodeMeshList[i].mesh, list);
        for (int i = 0; i < lib->softSkinList.GetNum(); ++i)
            AddTexturesOf(lib->softSkinList[i], list);
    }
    SetTexList(list);
}

void zCModelTexAniState::BuildTexListFromMesh()
{
    zNotFound("zCModelTexAniState::BuildTexListFromMesh");
}

void zCModelTexAniState::BuildTexListFromProgMesh()
{
    zNotFound("zCModelTexAniState::BuildTexListFromProgMesh");
}
