// The ASC writer: a model prototype written out as ASC export text (file header,
// scene, material groups, node objects with their matrices and meshes).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "zMAT4.h"
#include "zQUAT.h"
#include "zSTRING.h"
#include "zVEC3.h"

class zCMaterial;
class zCModelNodeRec;
class zCMeshSoftSkin;
class zCModelPrototype;
class zCProgMeshProto;

// One pose of an animation export: per prototype node whether an animation sets it,
// and its translation and rotation relative to its parent.
struct zTAscFrame {
    int frame = 0;
    int interpolated = 0;
    std::vector<int> animated;
    std::vector<zVEC3> positions;
    std::vector<zQUAT> rotations;
};

// What one export writes: the file name (with extension, no folder), the frame
// range of its scene and, for an animation export, one pose per frame from first
// to last. Without poses it is a mesh export.
struct zTAscExportInfo {
    zSTRING fileName;
    int firstFrame = 0;
    int lastFrame = 100;
    int fps = 25;
    std::vector<zTAscFrame> frames;
};

// The export's axes: (x, y, z) of the engine is (-x, -z, y) there.
void AscVecToMax(zVEC3& v);
// Rows 0 to 2 the engine's X, Z and Y axis columns, row 3 the translation, each
// converted like a vector.
void AscMatToMax(zMAT4& m);

class zCAscWriter {
public:
    zCAscWriter();
    ~zCAscWriter();
    zCAscWriter(const zCAscWriter&) = delete;
    zCAscWriter& operator=(const zCAscWriter&) = delete;

    // The program's version and release date named in the comment line.
    void SetProgramText(const zSTRING& version, const zSTRING& releaseDate);

    // Writes info.fileName into the job's destination folder; an existing file with
    // another frame range is reported (and overwritten). False, reported, when the
    // file cannot be written.
    bool WriteFile(zCModelPrototype& proto, const zTAscExportInfo& info);
    // A mesh export of the prototype: frames 0 to 100 at 25 per second, no poses.
    bool WritePrototype(zCModelPrototype& proto, const zSTRING& fileName);
    // The whole text of the export, lines ended by CR LF.
    std::string WriteText(zCModelPrototype& proto, const zTAscExportInfo& info);

private:
    void Line(const std::string& text);
    void Open(const std::string& text);
    void Close();
    void KeyInt(const char* key, int n);
    void KeyFloat(const char* key, float f);
    void KeyVec3(const char* key, const zVEC3& v);
    void KeyIndexVec3(const char* key, int i, const zVEC3& v);
    void KeyString(const char* key, const std::string& s);

    void WriteScene(float fps);
    void CollectMaterials(zCModelPrototype& proto);
    void WriteMaterialList();
    void WriteStandardMaterial(const std::string& header, int group, int k, bool multi);

    zSTRING MakeUniqueHelperNodeName(zCModelPrototype& proto, const char* base) const;
    void CalcWorldMatrix(zCModelPrototype& proto, zCModelNodeRec& node);
    void AddDummyNode(zCModelPrototype& proto, zCModelNodeRec& node);
    void AddFrillNode(zCModelPrototype& proto, zCModelNodeRec& node);
    void AddSkinNode(zCModelPrototype& proto, zCMeshSoftSkin& skin);
    void CalcRotAxisAngle(zCModelNodeRec& node);
    void WriteObject(zCModelPrototype& proto, zCModelNodeRec& node, bool softSkin);
    void WriteNodeTM(zCModelNodeRec& node);
    int WriteMaterialRef(zCModelNodeRec& node);
    void ApplySoftSkin(zCModelPrototype& proto, const zCMeshSoftSkin& skin, std::vector<zVEC3>& positions);
    void WriteMesh(const zCProgMeshProto& mesh, const std::vector<zVEC3>& positions, int group, int time,
                   bool withTexVerts, bool softSkin);
    void WriteSoftSkinVerts(zCModelPrototype& proto, const zCMeshSoftSkin& skin);
    void CalcAniMatrices(zCModelPrototype& proto, const std::vector<zTAscFrame>& frames);
    void WriteTmAnimation(zCModelNodeRec& node);
    void Clear();

    zSTRING version = "3.10";
    zSTRING releaseDate = "August 2006";

    std::string out;
    int indent = 0;
    int firstFrame = 0;
    int lastFrame = 0;
    int numFrames = 0;
    int ticksPerFrame = 1;
    zSTRING sceneName;
    std::vector<std::vector<zCMaterial*>> materialGroups;
    std::vector<zCModelNodeRec*> frillNodes;
    std::vector<zCModelNodeRec*> dummyNodes;
    std::vector<zCModelNodeRec*> skinNodes;
    // Per animated node its world matrix in every frame.
    std::map<const zCModelNodeRec*, std::vector<zMAT4>> aniMatrices;
    zVEC3 scale;
};
