// The ASC writer: a model prototype written out as ASC export text (file header,
// scene, material groups, node objects with their matrices and meshes).
#pragma once

#include <string>
#include <vector>

#include "zMAT4.h"
#include "zSTRING.h"
#include "zVEC3.h"

class zCMaterial;
class zCModelNodeRec;
class zCModelPrototype;
class zCProgMeshProto;

// What one export writes: the file name (with extension, no folder) and the frame
// range of its scene.
struct zTAscExportInfo {
    zSTRING fileName;
    int firstFrame = 0;
    int lastFrame = 100;
    int fps = 25;
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
    // The whole text of a mesh export of the prototype, lines ended by CR LF.
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
    void CalcRotAxisAngle(zCModelNodeRec& node);
    void WriteObject(zCModelNodeRec& node);
    void WriteNodeTM(zCModelNodeRec& node);
    int WriteMaterialRef(zCModelNodeRec& node);
    void WriteMesh(const zCProgMeshProto& mesh, const zMAT4& world, int group, int time, bool withTexVerts);
    void Clear();

    zSTRING version = "3.10";
    zSTRING releaseDate = "August 2006";

    std::string out;
    int indent = 0;
    int firstFrame = 0;
    int lastFrame = 0;
    int ticksPerFrame = 1;
    zSTRING sceneName;
    std::vector<std::vector<zCMaterial*>> materialGroups;
    std::vector<zCModelNodeRec*> frillNodes;
    std::vector<zCModelNodeRec*> dummyNodes;
    zVEC3 scale;
};
