// What the engine and the build worker need of the model toolchain: its tool
// entries, its resource manager and its renderer. The model toolchain installs
// its implementation with zSetModelServices; until it does, every tool entry
// reports that the model tools are not available, and start-up gets an inert
// resource manager and renderer.
#pragma once

#include "zCCriticalSection.h"
#include "zCThread.h"
#include "zSTRING.h"

class zCClassDef;
class zCResource;
class zCTexture;

// A tool entry: one file name in, nothing out; messages go through the reporter.
using zTModelToolEntry = void (*)(zSTRING& fileName);

// The model toolchain's resource manager as start-up and shut-down handle it. This
// base starts no thread; it only keeps the threading switch.
class zCResourceManager : public zCThread {
public:
    zCResourceManager() = default;
    // A derived manager ends its thread in its own destructor (see zCThread).
    ~zCResourceManager() override { EndThread(); }

    // Only stores the switch.
    virtual void SetThreadingEnabled(int enabled) { threadingEnabled = enabled; }
    int GetThreadingEnabled() const { return threadingEnabled; }

    // Caching of resources; this base caches nothing (CacheIn answers -1).
    virtual int CacheIn(zCResource* resource, float priority);
    virtual void CacheOut(zCResource* resource);
    // Every resource of the class, or of every class for null.
    virtual void CacheOutAll(zCClassDef* classDef);

protected:
    zCCriticalSection section;
    int threadingEnabled = 0;
};

// The renderer object start-up keeps. The toolchains draw nothing: they use it as
// the factory and oracle of textures. This base makes no textures and supports no
// texture format.
class zCRenderer {
public:
    virtual ~zCRenderer() = default;

    virtual zCTexture* CreateTexture() { return nullptr; }
    virtual void* CreateTextureConvert() { return nullptr; }
    virtual int SupportsTextureFormat(int) { return 0; }
    virtual int SupportsTextureFormatHardware(int) { return 0; }
    virtual int GetMaxTextureSize() { return 256; }
};

// The model toolchain's services. Every member of this base reports the missing
// tools (a counted error naming the entry) and does nothing else.
class zCModelServices {
public:
    virtual ~zCModelServices() = default;

    virtual void ConvertMdl(zSTRING& fileName);
    virtual void ConvertModelScript(zSTRING& fileName);
    virtual void ConvertMorphMesh(zSTRING& fileName);
    virtual void DecompileMdl(zSTRING& fileName);
    virtual void DecompileModelScript(zSTRING& fileName);
    virtual void DecompileMorphMesh(zSTRING& fileName);
    virtual void CompileMdl(zSTRING& fileName);
    virtual void CompileModelScript(zSTRING& fileName);
    virtual void CompileMorphMesh(zSTRING& fileName);
    // Runs the tool once for every file of the options directory (a zCOption key
    // index) that matches the mask.
    virtual void ForEachFileInDir(int dirIndex, const zSTRING& mask, zTModelToolEntry tool);

    // The objects engine start-up keeps; the caller deletes them. This base makes
    // the inert ones above.
    virtual zCResourceManager* CreateResourceManager();
    virtual zCRenderer* CreateRenderer();

protected:
    static void ReportUnavailable(const char* entry);
};

// The installed services, or the reporting base when none is installed.
zCModelServices* zGetModelServices();
// Null puts the reporting base back.
void zSetModelServices(zCModelServices* services);

// The tool entries by the names the build worker uses; each forwards to the
// installed services.
void ConvertMdl(zSTRING& fileName);
void ConvertModelScript(zSTRING& fileName);
void ConvertMorphMesh(zSTRING& fileName);
void DecompileMdl(zSTRING& fileName);
void DecompileModelScript(zSTRING& fileName);
void DecompileMorphMesh(zSTRING& fileName);
void CompileMdl(zSTRING& fileName);
void CompileModelScript(zSTRING& fileName);
void CompileMorphMesh(zSTRING& fileName);
void ForEachFileInDir(int dirIndex, const zSTRING& mask, zTModelToolEntry tool);

// Made by engine start-up, deleted by shut-down; null outside.
extern zCResourceManager* g_resourceManager;
extern zCRenderer* g_renderer;
