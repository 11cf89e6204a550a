// The textures a model's meshes use, collected per applied mesh library or node.
#pragma once

#include "zCArray.h"
#include "zVEC3.h"

class zCModelMeshLib;
class zCTexture;

class zCModelTexAniState {
public:
    zCModelTexAniState() = default;
    ~zCModelTexAniState() { DeleteTexList(); }
    zCModelTexAniState(const zCModelTexAniState&) = delete;
    zCModelTexAniState& operator=(const zCModelTexAniState&) = delete;

    void DeleteTexList();
    // Keeps a copy of the list (plain pointers); more than four textures are warned about.
    void SetTexList(const zCArray<zCTexture*>& list);
    // The textures of the library's node meshes, then of its soft skins: first
    // appearance kept, no duplicates.
    void BuildTexListFromMeshLib(zCModelMeshLib* lib);
    // Not available: they show "... not found" and end the process.
    [[noreturn]] void BuildTexListFromMesh();
    [[noreturn]] void BuildTexListFromProgMesh();

    int GetNumTex() const { return numTex; }
    zCTexture* GetTex(int index) const { return index >= 0 && index < numTex ? texList[index] : nullptr; }

private:
    int numTex = 0;
    zCTexture** texList = nullptr;  // owned block
    float aniFrame[4] = {0, 0, 0, 0};  // animation frames of the textures; unused here
};
