// The animations' finish after a model script: the box of an animation compiled from
// ASC, and the sorted, numbered and linked animation list.
#include <algorithm>
#include <vector>

#include "ResourceIds.h"
#include "ResString.h"
#include "zCMeshSoftSkin.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zCVisual.h"
#include "zERROR.h"
#include "zTOrientedBox3D.h"

void zCModelPrototype::CalcAniBBox(zCModelAni* ani)
{
    if (!ani)
        return;
    zTBBox3D box;
    box.Init();
    bool found = false;
    zCModelAni::SetPosConfig(ani->posRangeMin, ani->posStep);
    const int nodeCount = nodeList.GetNum();
    std::vector<zMAT4> saved;
    saved.reserve(static_cast<std::size_t>(nodeCount));
    for (int i = 0; i < nodeCount; ++i)
        saved.push_back(nodeList[i]->localMatrix);

    const int animated = ani->nodeList ? std::min<int>(ani->numNodes, static_cast<int>(ani->nodeList->size())) : 0;
    for (int frame = 0; frame < ani->numFrames; ++frame) {
        for (int j = 0; j < animated; ++j) {
            zCModelNodeRec* node = (*ani->nodeList)[static_cast<std::size_t>(j)];
            if (!node)
                continue;
            zQUAT rotation;
            zVEC3 position;
            ani->GetSample(frame, j, rotation, position);
            zMAT4 local = MakeIdentityMatrix();
            rotation.ToMatrix4(local);
            local.m[0][3] = position.x;
            local.m[1][3] = position.y;
            local.m[2][3] = position.z;
            node->localMatrix = local;
        }
        for (int i = 0; i < nodeCount; ++i) {
            zCModelNodeRec* node = nodeList[i];
            if (i == 0) {
                // The box stays with the model, not with its travel.
                node->localMatrix.m[0][3] = node->localMatrix.m[1][3] = node->localMatrix.m[2][3] = 0.0f;
            }
            node->worldMatrix = node->parent ? node->parent->worldMatrix * node->localMatrix : node->localMatrix;
        }
        for (int s = 0; s < softSkinList.GetNum(); ++s) {
            const zCMeshSoftSkin* skin = softSkinList[s];
            const zCArray<int>& indexes = skin->GetNodeIndexList();
            for (int k = 0; k < indexes.GetNum(); ++k) {
                const int index = indexes[k];
                if (index < 0 || index >= nodeCount)
                    continue;
                const zTOrientedBox3D& nodeBox = skin->GetNodeBox(k);
                if (nodeBox.extent.x < 0.01f)
                    continue;
                box.Merge(nodeBox.GetBBox3D().Transform(nodeList[index]->worldMatrix));
                found = true;
            }
        }
        for (int i = 0; i < nodeCount; ++i) {
            zCModelNodeRec* node = nodeList[i];
            if (!node->visual)
                continue;
            box.Merge(node->visual->GetBBox3D().Transform(node->worldMatrix));
            found = true;
        }
    }
    for (int i = 0; i < nodeCount; ++i)
        nodeList[i]->localMatrix = saved[static_cast<std::size_t>(i)];

    if (!found) {
        g_errorReporter.Report(zERR_ERROR, LoadResString(ani->numFrames <= 0 ? IDS_ANI_ZERO_FRAMES_ANIMATION
                                                                               : IDS_ORDER_CALCULATE_ANI_BBOX));
        box = bbox3D;
    }
    ani->aniBBox = box;
}

void zCModelPrototype::ResolveAnis()
{
    const int count = aniList.GetNum();
    if (count == 0)
        return;
    aniList.QuickSort();
    bool failed = false;
    for (int i = 0; i < count; ++i) {
        zCModelAni* ani = aniList[i];
        ani->aniID = i;
        if (!ani->nextAniName.empty()) {
            ani->nextAni = ani->nextAniName == ani->aniName ? ani : SearchAni(ani->nextAniName);
            if (!ani->nextAni)
                g_errorReporter.Report(zERR_WARNING,
                                       FormatResString(IDS_NOT_FIND_NEXTANI, ani->nextAniName, ani->aniName));
        }
        const int alias = ani->ResolveAliasAni(*this);
        const int comb = ani->ResolveCombAni(*this);
        if (!alias || !comb)
            failed = true;
    }
    if (failed)
        g_errorReporter.Fatal(LoadResString(IDS_FATAL_GOODBYE));
}
