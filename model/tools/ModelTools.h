// The model tools' shared state and the small routines of their entries: the mesh
// format version, the batch driver, the progress step and the insert record.
#pragma once

#include <cstdint>

#include "ModelServices.h"
#include "zCArray.h"
#include "zSTRING.h"

class zCModelPrototype;
class zFILE;

// Binary mesh format version of the current platform: 3 first game, 9 second.
extern std::uint16_t g_meshFileVersion;
// Set by the model-script loader when a file it needs is missing or unreadable.
extern int g_modelLoadError;
extern zSTRING g_lastModelFile;
extern zCArray<zSTRING> g_registeredMeshNames;
// The open model-script text file and the one line buffer the model readers share.
extern zFILE* g_mdsFile;
extern zSTRING g_mdsLine;
// Lines read from or written to the model script so far.
extern int g_mdsLineNumber;

void SetMeshFormatVersion();
// Sizes the progress steps by the ASC files the open model script names.
void SetProgressStepFromScript();
// A bare file name (as the batch driver passes it) in the compiled-models folder;
// a name with a folder as it stands.
zSTRING CompiledModelPath(const zSTRING& fileName);
// An .MDL (hierarchy, then mesh library) read onto the static model proto by a tool
// entry: the start message (an id taking the file's display name) once the file is
// found; 0 when it is missing (33017) or unreadable (33019), reported.
int ReadCompiledMdl(zCModelPrototype& proto, const zSTRING& fileName, int startMessage);
// With insert-in-game on, appends the path from after its first "Anims\" (spelt so)
// to the insert list.
void RecordInsertFile(zSTRING path);
// The end of one file's work in a long job: polls Build/Stop Build (a stop ends the
// job here) and steps the progress bar.
void FinishFileStep();

// The model toolchain's services: the batch driver, the resource manager and the
// renderer. The entries' bodies stand with the formats they drive.
class zCModelToolServices : public zCModelServices {
public:
    void ForEachFileInDir(int dirIndex, const zSTRING& mask, zTModelToolEntry tool) override;
    // Static models (StaticModelTools.cpp).
    void ConvertMdl(zSTRING& fileName) override;
    void CompileMdl(zSTRING& fileName) override;
    // Model scripts (DynamicModelTools.cpp).
    void ConvertModelScript(zSTRING& fileName) override;
    void CompileModelScript(zSTRING& fileName) override;
    // Static models and model scripts back to ASC files (DecompileModelTools.cpp).
    void DecompileMdl(zSTRING& fileName) override;
    void DecompileModelScript(zSTRING& fileName) override;
    // Morph meshes (MorphMeshTools.cpp).
    void ConvertMorphMesh(zSTRING& fileName) override;
    void DecompileMorphMesh(zSTRING& fileName) override;
    void CompileMorphMesh(zSTRING& fileName) override;
    zCResourceManager* CreateResourceManager() override;
    zCRenderer* CreateRenderer() override;
};
