// The node state of a model visual.
#include "zCModelNodeState.h"

#include "zCVisual.h"

zCModelNodeState::zCModelNodeState()
{
    bbox3D.SetZero();
    Init();
}

void zCModelNodeState::Init()
{
    parentState = nullptr;
    trafo = MakeIdentityMatrix();
    trafoObjToCam = MakeIdentityMatrix();
    lastAniFrame = 0;
    lastAniIndex = -1;
    isAnimated = 0;
}

void zCModelNodeState::Release()
{
    if (visual)
        visual->Release();
    visual = nullptr;
    parentState = nullptr;
    protoNode = nullptr;
    texAniState.DeleteTexList();
}

void zCModelNodeState::SetNodeVisual(zCVisual* newVisual, int buildTexList)
{
    if (newVisual == visual)
        return;
    texAniState.DeleteTexList();
    if (visual)
        visual->Release();
    visual = newVisual;
    if (!visual)
        return;
    visual->AddRef();
    if (!buildTexList)
        return;
    const zSTRING& className = visual->GetClassDef()->GetClassName();
    if (className == "zCMesh")
        texAniState.BuildTexListFromMesh();
    if (className == "zCMorphMesh" || className == "zCMeshSoftSkin")
        texAniState.BuildTexListFromProgMesh();
}
